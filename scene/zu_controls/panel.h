#pragma once
// TzuPanel is a plain styled surface that groups other objects; its children are its
// own, the style only paints behind them. The HUD panel differs only by its style.

#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuPanel : public TzuControl {
    ZU_CLASS(TzuPanel)
public:
    explicit TzuPanel(TzuComponent* owner) : TzuControl(owner) { SetBounds(0, 0, 120, 100); }
};

class TzuHudPanel : public TzuPanel {
    ZU_CLASS(TzuHudPanel)
public:
    explicit TzuHudPanel(TzuComponent* owner) : TzuPanel(owner) {}
};

}  // namespace zu
