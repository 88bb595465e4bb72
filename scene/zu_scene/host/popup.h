#pragma once
// TzuPopup is a styled control that lives (invisible) in a scene tree and, when opened,
// is shown in a borderless, always-on-top window of its own, placed against a target
// object, a rectangle, the screen or the pointer. While open it leaves its tree for a
// private transparent scene owned by its TzuPopupForm, and goes back when it closes. The
// popup owns its placement rectangle and, while open, the form and the follow timer; the
// target, the saved parent and the saved scene are weak references cleared when they go.
//
// Usage:
//   auto* popup = new zu::TzuPopup(nullptr);
//   popup->SetParent(panel); popup->SetBounds(0, 0, 120, 80);
//   popup->SetPlacementTarget(button);      // below the button
//   popup->Open();                          // or SetIsOpen(true); Close() takes it back
//   int result = popup->PopupModal();       // waits for a button's modal result

#include "platform/core/window.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/types/bounds.h"

namespace zu {

class TzuPopupForm;
class TzuScene;
class TzuTimer;

enum TzuPlacement : int {
    zuPlacementBottom,
    zuPlacementTop,
    zuPlacementLeft,
    zuPlacementRight,
    zuPlacementCenter,
    zuPlacementAbsolute,
    zuPlacementMouse
};
extern const TzuEnumInfo kPlacementEnum;

class TzuPopup : public TzuControl {
    ZU_CLASS(TzuPopup)
public:
    explicit TzuPopup(TzuComponent* owner);
    ~TzuPopup() override;

    bool IsOpen() const { return m_isOpen; }
    void SetIsOpen(bool value);
    float HorizontalOffset() const { return m_horizontalOffset; }
    void SetHorizontalOffset(float value) { m_horizontalOffset = value; }
    float VerticalOffset() const { return m_verticalOffset; }
    void SetVerticalOffset(float value) { m_verticalOffset = value; }
    TzuPlacement Placement() const { return m_placement; }
    void SetPlacement(TzuPlacement value) { m_placement = value; }
    TzuVisualObject* PlacementTarget() const { return m_placementTarget; }
    void SetPlacementTarget(TzuVisualObject* value);
    // Changed through its own fields; it is not replaced.
    TzuBounds* PlacementRectangle() const { return const_cast<TzuBounds*>(&m_placementRectangle); }
    bool StaysOpen() const { return m_staysOpen; }
    void SetStaysOpen(bool value) { m_staysOpen = value; }
    bool DragWithParent() const { return m_dragWithParent; }
    void SetDragWithParent(bool value) { m_dragWithParent = value; }
    // The style resource of the popup's own scene; the scene's own when null.
    TzuResources* Style() const { return m_style; }
    void SetStyle(TzuResources* value);

    // ---- Operations ----
    // Computes the window position for the current placement and moves the form there.
    virtual void Place();
    // Opens the popup and handles messages until a modal result is set (a button's
    // ModalResult, Escape) or the application terminates (mrCancel); closes and answers
    // the result. Called while open, it ends a running loop with mrCancel or closes.
    virtual int PopupModal();
    virtual void Open();
    virtual void Close();

    // Fired after the popup opened or closed (also when dismissed by an outside press); for
    // the control that owns the popup. Not streamed.
    TzuNotifyEvent& OnOpenChange() { return m_onOpenChange; }

    // ---- State while open ----
    TzuPopupForm* PopupForm() const { return m_form; }
    TzuScene* PopupScene() const { return m_popupScene; }
    // The scene control of the tree the popup came from, while open.
    TzuComponent* OriginSceneControl() const { return m_form ? m_savedSceneControl : nullptr; }
    bool InModalLoop() const { return m_modalLoop; }
    // The screen position Place computed last.
    TzuWinPoint PlacedAt() const { return m_placedAt; }
    // The object placement is measured against: the PlacementTarget, else the parent
    // (the parent it came from while open) when that is visual.
    TzuVisualObject* EffectiveTarget() const;

    void Notification(TzuComponent* component, TzuOperation operation) override;
    void KillFocus() override;
    void AfterPaint() override;
    void Loaded() override;

protected:
    // The window size for the popup: its size in scene pixels under the scale it has now.
    void ComputeWindowSize(int& width, int& height);
    // The top-left corner on the screen, before it is kept on the monitor.
    virtual TzuWinPoint PlacementPoint();
    bool Closing() const { return m_closing; }

private:
    void SetSavedParent(TzuObject* parent);
    void SetSavedScene(IzuScene* scene);
    void ForgetForm();
    // Announces IsOpen; false when a handler freed the popup.
    bool AnnounceOpenState();
    void StopFollowTimer();
    void CancelFocusCheck();

    float m_horizontalOffset = 0;
    float m_verticalOffset = 0;
    TzuPlacement m_placement = zuPlacementBottom;
    TzuVisualObject* m_placementTarget = nullptr;
    TzuBounds m_placementRectangle;
    TzuResources* m_style = nullptr;
    bool m_isOpen = false;
    bool m_staysOpen = false;
    bool m_dragWithParent = false;
    bool m_closing = false;
    bool m_modalLoop = false;
    bool m_openAfterLoad = false;
    bool m_endLoop = false;
    TzuWinPoint m_placedAt{};
    TzuNotifyEvent m_onOpenChange;

    // While open.
    TzuPopupForm* m_form = nullptr;
    TzuScene* m_popupScene = nullptr;
    TzuTimer* m_followTimer = nullptr;
    TzuObject* m_savedParent = nullptr;
    IzuScene* m_savedScene = nullptr;
    TzuComponent* m_savedSceneControl = nullptr;
    TzuPoint m_savedScale{1, 1};
    TzuPoint m_savedPosition{};
    TzuPoint m_savedSize{};
    uint64_t m_focusCheck = 0;  // queued check after the popup lost the focus
};

}  // namespace zu
