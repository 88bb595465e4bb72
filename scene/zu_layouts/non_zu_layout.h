#pragma once
// TzuNonZULayout hosts a platform control inside a scene: the control is kept over the
// layout's area in scene pixels and shown exactly while the layout and all its visual
// ancestors are visible: an ancestor's visibility change reaches it through the visual
// objects' visibility hook, and a timer keeps checking while it is shown. The control is
// not owned; its going clears the reference.

#include "scene/zu_layouts/layout.h"

namespace zu {

class TzuTimer;
class TzuWinControl;

class TzuNonZULayout : public TzuLayout {
    ZU_CLASS(TzuNonZULayout)
public:
    explicit TzuNonZULayout(TzuComponent* owner);
    ~TzuNonZULayout() override;

    TzuWinControl* NonZUControl() const { return m_control; }
    // Refuses the scene's own control: it cannot sit inside itself.
    void SetNonZUControl(TzuWinControl* control);
    void Realign() override;
    // Shows or hides the hosted control to match the layout's visibility in the tree.
    void UpdateControlVisibility();
    void Notification(TzuComponent* component, TzuOperation operation) override;
    void SetVisible(bool value) override;
    // The visibility hook: every layout with a control below changed follows it.
    static void FollowAncestorVisibility(TzuVisualObject* changed);

private:
    TzuWinControl* m_control = nullptr;
    TzuTimer* m_timer = nullptr;
};

}  // namespace zu
