#pragma once
// TzuScrollBox clips a content object to the "content" part of its style (the viewport)
// and moves it with the style's scroll bars, the mouse wheel (a short eased glide) and,
// when MouseTracking is on, by dragging with a flick that glides on. Children given to the
// box go into its TzuScrollContent, which the box owns; bars, viewport, size grip and the
// scroll animations (children of the bars) belong to the style clone and are only pointed
// at. TzuVertScrollBox scrolls vertically only; the framed kinds differ by style.

#include "scene/zu_scene/tree/content.h"
#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuAnimation;
class TzuCanvas;
class TzuScrollBar;
class TzuScrollBox;

// The scrolled object inside a scroll box: clips its children to the visible window and
// refuses hits outside it. Owned by its box.
class TzuScrollContent : public TzuContent {
    ZU_CLASS(TzuScrollContent)
public:
    explicit TzuScrollContent(TzuComponent* owner);

    // The viewport's rectangle in this object's coordinates: the visible window.
    TzuRect ClipRect() override;
    bool PointInObject(float x, float y) override;
    bool RealignsOnChildResize() const override { return true; }
    void Realign() override;
    void Paint() override;
    TzuScrollBox* Box() const;
    // When set, the children's styles are applied as each child is first painted (or
    // focused), not by walks over all of them: a list of many rows styles what shows.
    bool StylesChildrenWhenShown() const { return m_stylesWhenShown; }
    void SetStylesChildrenWhenShown(bool value) { m_stylesWhenShown = value; }
    bool DefersChildStyle(const TzuObject* /*child*/) const override { return m_stylesWhenShown; }
    void UpdateStyle() override;

protected:
    void AfterAddObject(TzuObject* child) override;
    void BeforeRemoveObject(TzuObject* child) override;

private:
    bool m_stylesWhenShown = false;
};

class TzuScrollBox : public TzuControl {
    ZU_CLASS(TzuScrollBox)
public:
    explicit TzuScrollBox(TzuComponent* owner);
    ~TzuScrollBox() override;

    bool AutoHide() const { return m_autoHide; }
    void SetAutoHide(bool value);
    bool Animated() const { return m_animated; }
    void SetAnimated(bool value) { m_animated = value; }
    bool DisableMouseWheel() const { return m_disableMouseWheel; }
    void SetDisableMouseWheel(bool value) { m_disableMouseWheel = value; }
    bool MouseTracking() const { return m_mouseTracking; }
    void SetMouseTracking(bool value) { m_mouseTracking = value; }
    bool ShowScrollBars() const { return m_showScrollBars; }
    void SetShowScrollBars(bool value);
    bool ShowSizeGrip() const { return m_showSizeGrip; }
    void SetShowSizeGrip(bool value);
    bool UseSmallScrollBars() const { return m_useSmallScrollBars; }
    void SetUseSmallScrollBars(bool value);

    TzuScrollContent* Content() const { return m_content; }
    TzuVisualObject* Viewport() const { return m_viewport; }
    TzuScrollBar* HScrollBar() const { return m_hbar; }
    TzuScrollBar* VScrollBar() const { return m_vbar; }
    // The scroll position: a bar's Value while that bar is visible, else 0.
    float HScrollPos() const;
    float VScrollPos() const;
    // Scrolls to a position as the wheel does: gliding when Animated, else at once.
    void ScrollTo(float x, float y);
    int UpdateCount() const { return m_updateCount; }

    // Nested: realigning waits until the outermost EndUpdate, which realigns once.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    // Ends an update without the realign EndUpdate does, for a change undone before
    // anything saw it.
    void EndUpdateUnchanged() {
        if (m_updateCount > 0) --m_updateCount;
    }
    // The union of the viewport and every visible child of the content, in the content's
    // coordinates.
    virtual TzuRect ContentBounds();
    virtual void SetContentBounds(const TzuRect& r);
    // Painting hook for subclasses that draw their items themselves: called after the
    // content painted itself, with the canvas clipped to the visible window and set to the
    // content's matrix; r is that window in content coordinates.
    virtual void PaintContent(TzuCanvas* canvas, const TzuRect& r);

    void AddObject(TzuObject* child) override;
    void Realign() override;
    void Loaded() override;
    void Notification(TzuComponent* component, TzuOperation operation) override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseWheel(TzuShiftState shift, int wheelDelta, bool& handled) override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    virtual void HValueChanged();
    virtual void VValueChanged();

private:
    // Takes the bars, viewport and size grip from the style clone.
    void BindParts();
    void ReleaseParts();
    // One pass of fitting the content, the bars and the viewport to each other.
    void ScrollBarStep();
    void PlaceBar(TzuScrollBar* bar, bool enabled, bool vertical, float hiddenY);
    // The viewport's top-left corner in the box's coordinates.
    TzuPoint ViewportOrigin();
    TzuAnimation*& AnimationFor(TzuScrollBar* bar);
    // Where a glide of the bar under way is heading; its value when none is.
    float GlideBase(TzuScrollBar* bar);
    void StartScroll(TzuScrollBar* bar, float target);
    void StopScrollAnimations();

    TzuScrollContent* m_content = nullptr;
    TzuScrollBar* m_hbar = nullptr;
    TzuScrollBar* m_vbar = nullptr;
    TzuVisualObject* m_viewport = nullptr;
    TzuVisualObject* m_sizeGrip = nullptr;
    TzuAnimation* m_hAnimation = nullptr;
    TzuAnimation* m_vAnimation = nullptr;
    TzuPoint m_downPoint{};
    TzuPoint m_lastMove{};
    TzuPoint m_lastPoint{};
    float m_hTarget = 0;
    float m_vTarget = 0;
    float m_savedH = 0;
    float m_savedV = 0;
    int m_updateCount = 0;
    bool m_tracking = false;
    bool m_inRealign = false;
    bool m_autoHide = true;
    bool m_animated = true;
    bool m_disableMouseWheel = false;
    bool m_mouseTracking = false;
    bool m_showScrollBars = true;
    bool m_showSizeGrip = false;
    bool m_useSmallScrollBars = false;
};

// Scrolls vertically only: the content is as wide as the viewport.
class TzuVertScrollBox : public TzuScrollBox {
    ZU_CLASS(TzuVertScrollBox)
public:
    explicit TzuVertScrollBox(TzuComponent* owner);
    TzuRect ContentBounds() override;
};

class TzuFramedScrollBox : public TzuScrollBox {
    ZU_CLASS(TzuFramedScrollBox)
public:
    using TzuScrollBox::TzuScrollBox;
};

class TzuFramedVertScrollBox : public TzuVertScrollBox {
    ZU_CLASS(TzuFramedVertScrollBox)
public:
    explicit TzuFramedVertScrollBox(TzuComponent* owner);
};

// True while the box that parent is (or whose content parent is) holds its realigns.
bool ScrollBoxHoldsRealign(TzuObject* parent);

}  // namespace zu
