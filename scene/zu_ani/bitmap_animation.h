#pragma once
// TzuBitmapAnimation cross-fades a bitmap property from the StartValue picture to the
// StopValue picture: each step draws the stop picture over a copy of the start picture
// with the current opacity and hands the result to the target. It owns both pictures
// and its work bitmap.

#include <memory>

#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/tree/animation.h"

namespace zu {

class TzuBitmapAnimation : public TzuAnimation {
    ZU_CLASS(TzuBitmapAnimation)
public:
    explicit TzuBitmapAnimation(TzuComponent* owner);
    ~TzuBitmapAnimation() override;

    TzuBitmap* StartValue() const { return m_startValue.get(); }
    void SetStartValue(const TzuBitmap& value) { m_startValue->Assign(value); }
    TzuBitmap* StopValue() const { return m_stopValue.get(); }
    void SetStopValue(const TzuBitmap& value) { m_stopValue->Assign(value); }

    void ProcessAnimation() override;

private:
    std::unique_ptr<TzuBitmap> m_startValue;
    std::unique_ptr<TzuBitmap> m_stopValue;
    std::unique_ptr<TzuBitmap> m_work;
};

}  // namespace zu
