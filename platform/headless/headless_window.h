#pragma once
// TzuHeadlessWindow is an off-screen platform window for tests and snapshots: its pixels
// live in a plain pixel buffer, invalidations collect until the application object's
// ProcessMessages paints them. The control that asked for it owns it.

#include <utility>
#include <vector>

#include "platform/core/pixel_buffer.h"
#include "platform/core/window.h"

namespace zu {

class TzuHeadlessApplication;

class TzuHeadlessWindow : public IzuWindow {
public:
    TzuHeadlessWindow(TzuHeadlessApplication& app, IzuWindowEvents& events, TzuHeadlessWindow* parent);
    ~TzuHeadlessWindow() override;

    void SetBounds(int left, int top, int width, int height) override;
    int ClientWidth() const override { return m_width; }
    int ClientHeight() const override { return m_height; }
    int ScaleFactor() const override { return m_scale; }
    // Moves the window to a screen of another density: the image is made again at the new
    // scale and the whole window painted after WindowScaleChanged.
    void SetScaleFactor(int scale);
    void SetVisible(bool visible) override { m_visible = visible; }
    bool Visible() const override { return m_visible; }
    void SetCaption(const std::string& utf8) override { m_caption = utf8; }
    void SetBorderless(bool borderless) override { m_borderless = borderless; }
    void SetBackgroundColor(uint32_t argb) override { m_background = argb; }
    void Invalidate(const TzuWinRect& r) override;
    void PutPixels(int x, int y, const uint32_t* pixels, int stride, int width, int height) override;
    bool SupportsAlpha() const override { return true; }
    void SetLayered(bool layered) override { m_layered = layered; }
    bool Layered() const override { return m_layered; }
    void PresentLayered(const uint32_t* pixels, int stride, int width, int height) override;
    TzuWinPoint ClientToScreen(TzuWinPoint p) const override;
    void SetPopup(IzuWindow* owner, bool dismissOnOutsidePress) override;

    // ---- For tests ----
    // What the window shows: what was put into it, premultiplied device pixels.
    const TzuPixelBuffer& Image() const { return m_image; }
    // Hands the pixels over and leaves the window empty, for a program that keeps the last
    // frame and nothing else.
    TzuPixelBuffer TakeImage() {
        TzuPixelBuffer out;
        std::swap(out, m_image);
        return out;
    }
    uint32_t Pixel(int x, int y) const;
    // At most kMaxPendingRects; more become their bounding box.
    const std::vector<TzuWinRect>& PendingRects() const { return m_pending; }
    static constexpr size_t kMaxPendingRects = 32;
    // The regions handed to WindowPaint, oldest first: the latest kMaxPaintLog / 2 to
    // kMaxPaintLog of them.
    static constexpr size_t kMaxPaintLog = 1024;
    const std::vector<std::vector<TzuWinRect>>& PaintLog() const { return m_paintLog; }
    void ClearPaintLog() { m_paintLog.clear(); }
    int LayeredPresentCount() const { return m_layeredPresents; }
    const std::string& Caption() const { return m_caption; }
    bool Borderless() const { return m_borderless; }
    uint32_t BackgroundColor() const { return m_background; }
    TzuWinRect Bounds() const { return {m_left, m_top, m_left + m_width, m_top + m_height}; }
    TzuHeadlessWindow* Parent() const { return m_parent; }
    // The form window this one belongs to (itself for a form).
    TzuHeadlessWindow* TopWindow();
    bool IsPopup() const { return m_popup; }
    IzuWindow* PopupOwner() const { return m_popupOwner; }
    bool DismissOnOutsidePress() const { return m_dismiss; }

    // Runs WindowPaint for the collected rectangles; false when there were none.
    bool PaintPending();

    // ---- Injected input ----
    // Each hands one input event to the window's events object, as the message loop of a
    // real platform would; what the handler throws goes to the error box.
    void InjectMouseDown(TzuMouseButton button, int x, int y, TzuShiftState shift = 0,
                         bool doubleClick = false);
    void InjectMouseUp(TzuMouseButton button, int x, int y, TzuShiftState shift = 0,
                       bool doubleClick = false);
    void InjectMouseMove(int x, int y, TzuShiftState shift = 0);
    // True when the window took the wheel.
    bool InjectMouseWheel(int delta, int x, int y, TzuShiftState shift = 0);
    void InjectMouseLeave();
    void InjectKeyDown(TzuKeyCode key, TzuShiftState shift = 0);
    void InjectKeyUp(TzuKeyCode key, TzuShiftState shift = 0);
    void InjectKeyChar(char16_t ch);
    // A whole key stroke: KeyDown, KeyChar when ch is not 0, then KeyUp.
    void InjectKey(TzuKeyCode key, TzuShiftState shift = 0, char16_t ch = 0);
    // The window system moved activation to (true) or away from (false) this form.
    void InjectActivate(bool active);
    // Text committed by an input method.
    void InjectImeCommit(const std::u16string& text);
    // A drag from another program: moves (true when a drop would be taken), the leave of
    // a drag that goes elsewhere, and the drop (true when it was taken).
    bool InjectDropMotion(const TzuDropData& data, int x, int y);
    void InjectDropLeave();
    bool InjectDrop(const TzuDropData& data, int x, int y);

    // ---- Tooltip ----
    // The tooltip as a platform would show it: asked for at the last injected pointer
    // position whenever the pointer moves or HintChanged is called. Empty when none.
    const std::u16string& Tooltip() const { return m_tooltip; }
    TzuWinRect TooltipArea() const { return m_tooltipArea; }
    void HintChanged() override;

private:
    TzuHeadlessApplication& m_app;
    IzuWindowEvents& m_events;
    TzuHeadlessWindow* m_parent;
    TzuPixelBuffer m_image;
    std::vector<TzuWinRect> m_pending;
    std::vector<std::vector<TzuWinRect>> m_paintLog;
    std::string m_caption;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;  // client pixels; the image holds m_scale times as many per side
    int m_height = 0;
    int m_scale = 1;
    uint32_t m_background = 0xFF000000;
    int m_layeredPresents = 0;
    bool m_visible = false;
    bool m_borderless = false;
    bool m_layered = false;
    bool m_popup = false;
    bool m_dismiss = false;
    IzuWindow* m_popupOwner = nullptr;
    std::u16string m_tooltip;
    TzuWinRect m_tooltipArea{};
    TzuWinPoint m_pointer{-1, -1};
};

}  // namespace zu
