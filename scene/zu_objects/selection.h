#pragma once
// TzuSelection is an interactive frame with four corner grips: dragging inside it moves
// it, dragging a grip resizes it (optionally keeping its proportions), within its parent
// when ParentBounds is on. It reports each step through OnTrack and the finished change
// through OnChange.

#include "platform/core/event.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuSelection : public TzuVisualObject {
    ZU_CLASS(TzuSelection)
public:
    explicit TzuSelection(TzuComponent* owner);

    bool ParentBounds() const { return m_parentBounds; }
    void SetParentBounds(bool value) { m_parentBounds = value; }
    TzuNotifyEvent& OnChange() { return m_onChange; }
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value);
    int MinSize() const { return m_minSize; }
    // Values below 1 become 1.
    void SetMinSize(int value) { m_minSize = value < 1 ? 1 : value; }
    TzuNotifyEvent& OnTrack() { return m_onTrack; }
    bool Proportional() const { return m_proportional; }
    void SetProportional(bool value) { m_proportional = value; }
    float GripSize() const { return m_gripSize; }
    // Kept within [1, 20].
    void SetGripSize(float value);

    TzuRect AbsoluteRect() override;
    TzuRect UpdateRect() override;
    // The grips reach beyond the box by their size in screen pixels.
    bool HasScreenOutset() const override { return true; }
    bool PointInObject(float x, float y) override;

    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseLeave() override;

protected:
    void Paint() override;

private:
    enum Grip { kTopLeft, kTopRight, kBottomLeft, kBottomRight, kGripCount };
    TzuRect GripRect(Grip grip) const;
    bool InGrip(Grip grip, const TzuPoint& p) const;
    void MoveBy(const TzuPoint& current);
    void ResizeTo(Grip grip, const TzuPoint& local);
    // Keeps Width and Height at MinSize or more, Width at MinSize x ratio when proportional.
    void ApplyMinSize(bool proportional);

    bool m_parentBounds = true;
    TzuNotifyEvent m_onChange;
    bool m_hideSelection = false;
    int m_minSize = 15;
    TzuNotifyEvent m_onTrack;
    bool m_proportional = false;
    float m_gripSize = 3;
    float m_ratio = 1;
    bool m_moving = false;
    bool m_drag[kGripCount] = {};
    bool m_hot[kGripCount] = {};
    TzuPoint m_down;
    TzuPoint m_current;
};

}  // namespace zu
