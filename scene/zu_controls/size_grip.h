#pragma once
// TzuSizeGrip is the corner handle that resizes the window hosting the scene: the scene
// recognises it by its marker and starts a window resize when it is pressed, so the grip
// itself only wears its style. The HUD grip differs only by its style.

#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/size_grip.h"

namespace zu {

class TzuSizeGrip : public TzuControl, public IzuSizeGrip {
    ZU_CLASS(TzuSizeGrip)
public:
    explicit TzuSizeGrip(TzuComponent* owner) : TzuControl(owner) { SetBounds(0, 0, 16, 16); }
};

class TzuHudSizeGrip : public TzuSizeGrip {
    ZU_CLASS(TzuHudSizeGrip)
public:
    explicit TzuHudSizeGrip(TzuComponent* owner) : TzuSizeGrip(owner) {}
};

}  // namespace zu
