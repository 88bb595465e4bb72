#pragma once
// TzuColorKeyAnimation runs a color property through key frames: at each step it
// finds the pair of keys around the eased time and blends their values; with fewer than
// two keys, or two keys at the same position, it writes nothing. It owns its keys.

#include "scene/zu_ani/keys.h"
#include "scene/zu_scene/tree/animation.h"

namespace zu {

class TzuColorKeyAnimation : public TzuAnimation {
    ZU_CLASS(TzuColorKeyAnimation)
public:
    explicit TzuColorKeyAnimation(TzuComponent* owner);

    TzuKeys* Keys() const { return const_cast<TzuKeys*>(&m_keys); }
    bool StartFromCurrent() const { return m_startFromCurrent; }
    void SetStartFromCurrent(bool value) { m_startFromCurrent = value; }

    void Start() override;
    void ProcessAnimation() override;

private:
    TzuKeys m_keys;
    bool m_startFromCurrent = false;
};

}  // namespace zu
