#pragma once
// TzuSplitter sits between aligned siblings and resizes the one it is aligned against:
// dragging it widens or narrows that target, never below MinSize and never so far that
// the other aligned siblings lose their MinSize of room. The pointer is followed in the
// parent's units, since the splitter itself moves as its target changes size. Its
// target is a weak reference held only while a drag runs.

#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuSplitter : public TzuControl {
    ZU_CLASS(TzuSplitter)
public:
    explicit TzuSplitter(TzuComponent* owner);
    ~TzuSplitter() override;

    float MinSize() const { return m_minSize; }
    void SetMinSize(float value) { m_minSize = value; }
    bool ShowGrip() const { return m_showGrip; }
    void SetShowGrip(bool value);
    void SetAlign(TzuAlign value) override;

    bool Dragging() const { return m_dragging; }
    // The sibling a drag would resize, as a press now would find it.
    TzuVisualObject* FindTarget();

    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void AfterPaint() override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

protected:
    void ApplyStyle() override;

private:
    bool Horizontal() const;  // resizes widths (left/right alignments)
    float PendingSize(float x, float y);
    void SetTarget(TzuVisualObject* target);
    void UpdateCursor();

    float m_minSize = 20;
    bool m_showGrip = true;
    bool m_dragging = false;
    TzuPoint m_pressPoint{};
    TzuVisualObject* m_target = nullptr;
    float m_maxSize = 0;
    float m_pressSize = 0;  // the target's size when the drag began
    float m_lastSize = -1;
};

}  // namespace zu
