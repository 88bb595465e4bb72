#pragma once
// TzuStatusBar is the strip along the bottom of a window; its style may hold a "sizegrip"
// part, shown while ShowSizeGrip is on and made live (hit-testable) outside design mode so
// that dragging it resizes the window. TzuToolBar is the strip along the top that holds
// tool buttons. The HUD status bar differs only by its style.

#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuStatusBar : public TzuControl {
    ZU_CLASS(TzuStatusBar)
public:
    explicit TzuStatusBar(TzuComponent* owner);

    bool ShowSizeGrip() const { return m_showSizeGrip; }
    void SetShowSizeGrip(bool value);

protected:
    void ApplyStyle() override;

private:
    bool m_showSizeGrip = true;
};

class TzuHudStatusBar : public TzuStatusBar {
    ZU_CLASS(TzuHudStatusBar)
public:
    explicit TzuHudStatusBar(TzuComponent* owner) : TzuStatusBar(owner) {}
};

class TzuToolBar : public TzuControl {
    ZU_CLASS(TzuToolBar)
public:
    explicit TzuToolBar(TzuComponent* owner);
};

}  // namespace zu
