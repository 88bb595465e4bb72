#pragma once
// TzuSelectionPoint is a single round grip centred on its own position that the mouse
// drags around its parent, reporting each step through OnTrack and the drop through
// OnChange. Its size is always twice GripSize.

#include "platform/core/event.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuSelectionPoint : public TzuVisualObject {
    ZU_CLASS(TzuSelectionPoint)
public:
    explicit TzuSelectionPoint(TzuComponent* owner);

    TzuNotifyEvent& OnChange() { return m_onChange; }
    TzuNotifyEvent& OnTrack() { return m_onTrack; }
    bool ParentBounds() const { return m_parentBounds; }
    void SetParentBounds(bool value) { m_parentBounds = value; }
    float GripSize() const { return m_gripSize; }
    // Kept within [1, 20]; the size follows.
    void SetGripSize(float value);
    // Both store 2 x GripSize whatever they are given.
    void SetWidth(float value) override;
    void SetHeight(float value) override;

    TzuRect UpdateRect() override;
    // The grips reach beyond the box by their size in screen pixels.
    bool HasScreenOutset() const override { return true; }
    // A selected point turns red instead of showing the scene's frame.
    bool HasDesignFrame() const override { return false; }
    bool PointInObject(float x, float y) override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseEnter() override;
    void MouseLeave() override;

protected:
    void Paint() override;

private:
    TzuNotifyEvent m_onChange;
    TzuNotifyEvent m_onTrack;
    bool m_parentBounds = true;
    float m_gripSize = 3;
    bool m_dragging = false;
};

}  // namespace zu
