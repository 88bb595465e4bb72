#pragma once
// TzuGradientEdit edits the stops of a gradient: a bar shows the gradient over a
// checkerboard, each stop has a marker below it. A press on a marker selects its stop and
// starts dragging it along the bar (passing a neighbour swaps their places); a press in
// the bar between the first and the last stop adds a stop of the colour found there;
// dragging a stop more than 10 pixels off the control and releasing it deletes it while
// another stop remains. It owns its gradient and the bar's picture; the linked colour
// picker, which shows the selected stop's colour, is a weak reference cleared when it goes.

#include <memory>

#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuBitmap;
class TzuColorPicker;
class TzuGradient;

class TzuGradientEdit : public TzuControl {
    ZU_CLASS(TzuGradientEdit)
public:
    explicit TzuGradientEdit(TzuComponent* owner);
    ~TzuGradientEdit() override;

    TzuGradient* Gradient() const { return m_gradient.get(); }
    TzuColorPicker* ColorPicker() const { return m_colorPicker; }
    void SetColorPicker(TzuColorPicker* value);
    // The index of the selected stop, -1 with no stops. Selecting another fires
    // OnSelectPoint and shows its colour in the linked picker.
    int Selected() const { return m_selected; }
    void SetSelected(int index);
    // Fired after a stop was added, moved or deleted, then the picker shows the selected
    // stop's colour.
    TzuNotifyEvent& OnChange() { return m_onChange; }
    TzuNotifyEvent& OnSelectPoint() { return m_onSelectPoint; }

    // Marker and bar geometry in local coordinates.
    float StopX(int index) const;
    float OffsetAt(float x) const;
    bool Dragging() const { return m_dragging; }
    bool DraggedOff() const { return m_draggedOff; }

    void Paint() override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

private:
    int StopAt(float x, float y) const;
    // A press in the bar: the new stop's index, -1 when none was added.
    int AddStopAt(float x);
    void DragTo(float x, float y);
    void Changed();
    void ShowSelectedInPicker();
    void GradientChanged();

    std::unique_ptr<TzuGradient> m_gradient;
    std::unique_ptr<TzuBitmap> m_bar;
    TzuColorPicker* m_colorPicker = nullptr;
    TzuNotifyEvent m_onChange;
    TzuNotifyEvent m_onSelectPoint;
    int m_selected = 0;
    bool m_barValid = false;
    bool m_dragging = false;
    bool m_draggedOff = false;
};

}  // namespace zu
