#pragma once
// TzuBounds wraps a rectangle used as margins or padding so that it can be published,
// streamed (as one "Rect" text) and observed. It owns nothing; its holder sets OnChange.

#include <string>

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "platform/core/variant.h"
#include "scene/zu_scene/types/geometry.h"

namespace zu {

class TzuBounds : public TzuPersistent {
    ZU_CLASS(TzuBounds)
public:
    explicit TzuBounds(const TzuRect& defaultValue = TzuRect{});

    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Right() const { return m_right; }
    float Bottom() const { return m_bottom; }
    void SetLeft(float value);
    void SetTop(float value);
    void SetRight(float value);
    void SetBottom(float value);

    TzuRect GetRect() const { return TzuRect{m_left, m_top, m_right, m_bottom}; }
    void SetRect(const TzuRect& r);
    // r shrunk by the four values taken as insets.
    TzuRect MarginRect(const TzuRect& r) const;
    bool IsEmpty() const;
    bool MarginEmpty() const;
    const TzuRect& DefaultValue() const { return m_defaultValue; }

    void Assign(const TzuPersistent& source) override;
    TzuNotifyEvent& OnChange() { return m_onChange; }

    // The "Rect" stream property.
    void ReadRect(const TzuStreamValue& value);
    TzuStreamValue WriteRect() const;
    // Takes from's rectangle when its text would read back as exactly that rectangle.
    bool CopyRect(const TzuBounds& from);
    bool RectStored() const { return GetRect() != m_defaultValue; }

private:
    void Changed() { m_onChange(this); }

    float m_right = 0;
    float m_bottom = 0;
    float m_top = 0;
    float m_left = 0;
    TzuNotifyEvent m_onChange;
    TzuRect m_defaultValue;
};

}  // namespace zu
