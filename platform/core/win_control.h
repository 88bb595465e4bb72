#pragma once
// TzuWinControl is a component with a platform window: bounds, alignment inside its
// parent, visibility and child controls. The window is made by the application object
// when the control is shown inside a form that has one (HandleNeeded), and goes with the
// control. A parent does not own its child controls; their owner frees them, and a child
// leaves its parent when it goes.
//
// Usage (a control that paints itself):
//   class TMyControl : public zu::TzuWinControl {
//       void WindowPaint(std::span<const zu::TzuWinRect> rects) override;   // PutPixels here
//   };
//   ctl->SetParent(form); ctl->SetAlign(zu::alClient);   // form->Show() creates the windows
// Subclasses hook CreateHandle/DestroyHandle to bind to the window, BoundsChanged for size.

#include <memory>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/property.h"
#include "platform/core/window.h"

namespace zu {

enum TzuControlAlign : int { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
extern const TzuEnumInfo kControlAlignEnum;

class TzuWinControl : public TzuComponent, public IzuWindowEvents {
    ZU_CLASS(TzuWinControl)
public:
    explicit TzuWinControl(TzuComponent* owner);
    ~TzuWinControl() override;

    int Left() const { return m_left; }
    void SetLeft(int value) { SetBounds(value, m_top, m_width, m_height); }
    int Top() const { return m_top; }
    void SetTop(int value) { SetBounds(m_left, value, m_width, m_height); }
    int Width() const { return m_width; }
    void SetWidth(int value) { SetBounds(m_left, m_top, value, m_height); }
    int Height() const { return m_height; }
    void SetHeight(int value) { SetBounds(m_left, m_top, m_width, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    // The client area; equal to the bounds for borderless controls.
    virtual int ClientWidth() const { return m_width; }
    virtual int ClientHeight() const { return m_height; }

    TzuControlAlign Align() const { return m_align; }
    void SetAlign(TzuControlAlign value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool value) { m_tabStop = value; }

    TzuWinControl* Parent() const { return m_parent; }
    void SetParent(TzuWinControl* parent);
    int ControlCount() const { return static_cast<int>(m_controls.size()); }
    TzuWinControl* Controls(int i) const { return m_controls.at(static_cast<size_t>(i)); }
    virtual bool IsForm() const { return false; }
    // The form this control sits on (itself for a form), or null.
    TzuWinControl* ParentForm();

    IzuWindow* Window() const { return m_window.get(); }
    bool HandleAllocated() const { return m_window != nullptr; }
    // Creates the window (and the parents' first) when an application object exists.
    void HandleNeeded();
    void Invalidate();
    void InvalidateRect(const TzuWinRect& r);
    // Lays the child controls out by their Align inside the client area.
    void AlignControls();

    // Stream hooks: child controls are written inside their parent.
    void GetChildren(const std::function<void(TzuComponent*)>& proc, TzuComponent* root) override;
    TzuComponent* GetParentComponent() const override { return m_parent; }
    void SetParentComponent(TzuComponent* parent) override;
    bool HasParent() const override { return true; }
    void Loaded() override;

    // IzuWindowEvents: nothing to paint by default.
    void WindowPaint(std::span<const TzuWinRect> /*rects*/) override {}
    void WindowResized(int width, int height) override;

protected:
    // The window was made (bounds and visibility already given to it) / is about to go.
    virtual void CreateHandle() {}
    virtual void DestroyHandle() {}
    virtual void BoundsChanged() {}
    virtual void VisibleChanged() {}
    // Makes this control's window; forms override it.
    virtual std::unique_ptr<IzuWindow> MakeWindow();
    void DestroyWindowTree();

private:
    void ApplyBounds();

    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    TzuControlAlign m_align = alNone;
    bool m_visible = true;
    bool m_tabStop = false;
    bool m_aligning = false;
    TzuWinControl* m_parent = nullptr;
    std::vector<TzuWinControl*> m_controls;
    std::unique_ptr<IzuWindow> m_window;
};

}  // namespace zu
