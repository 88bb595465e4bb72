#include "platform/headless/headless_window.h"

#include <algorithm>
#include <cstring>

#include "platform/core/application.h"
#include "platform/headless/headless_application.h"

namespace zu {

TzuHeadlessWindow::TzuHeadlessWindow(TzuHeadlessApplication& app, IzuWindowEvents& events,
                                     TzuHeadlessWindow* parent)
    : m_app(app), m_events(events), m_parent(parent), m_scale(app.ScaleFactor()) {
    m_app.AddWindow(this);
}

TzuHeadlessWindow::~TzuHeadlessWindow() { m_app.RemoveWindow(this); }

void TzuHeadlessWindow::SetBounds(int left, int top, int width, int height) {
    m_left = left;
    m_top = top;
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height) return;
    m_width = width;
    m_height = height;
    m_image.SetSize(width * m_scale, height * m_scale);
    // A resized window has lost its pixels and must be painted whole.
    m_pending.clear();
    Invalidate({0, 0, width, height});
}

void TzuHeadlessWindow::SetScaleFactor(int scale) {
    scale = std::clamp(scale, 1, 8);
    if (scale == m_scale) return;
    m_scale = scale;
    m_image.SetSize(m_width * m_scale, m_height * m_scale);
    m_pending.clear();
    RunGuarded([&] { m_events.WindowScaleChanged(); });
    Invalidate({0, 0, m_width, m_height});
}

void TzuHeadlessWindow::Invalidate(const TzuWinRect& r) {
    TzuWinRect c{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, ClientWidth()),
                 std::min(r.Bottom, ClientHeight())};
    if (c.Empty()) return;
    // Each new rectangle is compared with every pending one: past a few dozen they become
    // their bounding box, so a burst of invalidations costs linear time, not quadratic.
    if (m_pending.size() >= kMaxPendingRects) {
        for (const TzuWinRect& p : m_pending) {
            c = {std::min(c.Left, p.Left), std::min(c.Top, p.Top), std::max(c.Right, p.Right),
                 std::max(c.Bottom, p.Bottom)};
        }
        m_pending.assign(1, c);
        return;
    }
    for (const TzuWinRect& p : m_pending) {
        if (p.Left <= c.Left && p.Top <= c.Top && p.Right >= c.Right && p.Bottom >= c.Bottom) return;
    }
    // Rectangles inside the new one are dropped, as a region would absorb them.
    std::erase_if(m_pending, [&](const TzuWinRect& p) {
        return c.Left <= p.Left && c.Top <= p.Top && c.Right >= p.Right && c.Bottom >= p.Bottom;
    });
    m_pending.push_back(c);
}

bool TzuHeadlessWindow::PaintPending() {
    if (m_pending.empty()) return false;
    std::vector<TzuWinRect> rects;
    rects.swap(m_pending);
    if (m_layered) return true;  // a layered form shows only what is presented to it
    if (!m_parent) {
        // A form shows its background colour where its controls do not paint.
        for (const TzuWinRect& r : rects) {
            for (int y = r.Top * m_scale; y < r.Bottom * m_scale; ++y)
                std::fill_n(m_image.ScanLine(y) + r.Left * m_scale, r.Width() * m_scale, m_background);
        }
    }
    // Only the latest paints are kept: a window painted for an hour of ticks would grow
    // the log without end. Dropping the older half at a time keeps that cheap.
    if (m_paintLog.size() >= kMaxPaintLog)
        m_paintLog.erase(m_paintLog.begin(), m_paintLog.begin() + std::ptrdiff_t(kMaxPaintLog / 2));
    m_paintLog.push_back(rects);
    m_events.WindowPaint(rects);
    return true;
}

void TzuHeadlessWindow::PutPixels(int x, int y, const uint32_t* pixels, int stride, int width, int height) {
    if (!pixels) return;
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + width, m_image.Width()), y1 = std::min(y + height, m_image.Height());
    if (x1 <= x0 || y1 <= y0) return;
    for (int row = y0; row < y1; ++row) {
        const uint32_t* src = pixels + int64_t(row - y) * stride + (x0 - x);
        std::memcpy(m_image.ScanLine(row) + x0, src, size_t(x1 - x0) * 4);
    }
}

void TzuHeadlessWindow::PresentLayered(const uint32_t* pixels, int stride, int width, int height) {
    ++m_layeredPresents;
    PutPixels(0, 0, pixels, stride, width, height);
}

TzuWinPoint TzuHeadlessWindow::ClientToScreen(TzuWinPoint p) const {
    for (const TzuHeadlessWindow* w = this; w; w = w->m_parent) {
        p.X += w->m_left;
        p.Y += w->m_top;
    }
    return p;
}

uint32_t TzuHeadlessWindow::Pixel(int x, int y) const {
    const uint32_t* row = m_image.ScanLine(y);
    return row && x >= 0 && x < m_image.Width() ? row[x] : 0;
}

void TzuHeadlessWindow::SetPopup(IzuWindow* owner, bool dismissOnOutsidePress) {
    m_popup = true;
    m_popupOwner = owner;
    m_dismiss = dismissOnOutsidePress;
    m_borderless = true;
}

TzuHeadlessWindow* TzuHeadlessWindow::TopWindow() {
    TzuHeadlessWindow* w = this;
    while (w->m_parent) w = w->m_parent;
    return w;
}

void TzuHeadlessWindow::InjectActivate(bool active) {
    RunGuarded([&] { m_events.WindowActivate(active); });
}

void TzuHeadlessWindow::InjectMouseDown(TzuMouseButton button, int x, int y, TzuShiftState shift,
                                        bool doubleClick) {
    // Open popups that close on an outside press hear of it first, as a grab tells them.
    m_app.PressOutsidePopups(TopWindow());
    if (!m_app.HasWindow(this)) return;
    RunGuarded([&] { m_events.MouseDown(button, shift, x, y, doubleClick); });
}

void TzuHeadlessWindow::InjectMouseUp(TzuMouseButton button, int x, int y, TzuShiftState shift,
                                      bool doubleClick) {
    RunGuarded([&] { m_events.MouseUp(button, shift, x, y, doubleClick); });
}

void TzuHeadlessWindow::InjectMouseMove(int x, int y, TzuShiftState shift) {
    m_pointer = {x, y};
    RunGuarded([&] { m_events.MouseMove(shift, x, y); });
    HintChanged();
}

bool TzuHeadlessWindow::InjectMouseWheel(int delta, int x, int y, TzuShiftState shift) {
    bool handled = false;
    RunGuarded([&] { handled = m_events.MouseWheel(shift, delta, x, y); });
    return handled;
}

void TzuHeadlessWindow::InjectMouseLeave() {
    RunGuarded([&] { m_events.MouseLeave(); });
}

void TzuHeadlessWindow::InjectKeyDown(TzuKeyCode key, TzuShiftState shift) {
    TzuHeadlessWindow* to = m_app.KeyTarget(this);
    RunGuarded([&] { to->m_events.KeyDown(key, shift); });
}

void TzuHeadlessWindow::InjectKeyUp(TzuKeyCode key, TzuShiftState shift) {
    TzuHeadlessWindow* to = m_app.KeyTarget(this);
    RunGuarded([&] { to->m_events.KeyUp(key, shift); });
}

void TzuHeadlessWindow::InjectKeyChar(char16_t ch) {
    TzuHeadlessWindow* to = m_app.KeyTarget(this);
    RunGuarded([&] { to->m_events.KeyChar(ch); });
}

void TzuHeadlessWindow::InjectKey(TzuKeyCode key, TzuShiftState shift, char16_t ch) {
    InjectKeyDown(key, shift);
    if (ch != 0) InjectKeyChar(ch);
    InjectKeyUp(key, shift);
}

void TzuHeadlessWindow::InjectImeCommit(const std::u16string& text) {
    TzuHeadlessWindow* to = m_app.KeyTarget(this);
    RunGuarded([&] { to->m_events.ImeCommit(text); });
}

bool TzuHeadlessWindow::InjectDropMotion(const TzuDropData& data, int x, int y) {
    bool accept = false;
    if (m_dropTarget) RunGuarded([&] { accept = m_events.DropMotion(data, x, y); });
    return accept;
}

void TzuHeadlessWindow::InjectDropLeave() {
    if (m_dropTarget) RunGuarded([&] { m_events.DropLeave(); });
}

bool TzuHeadlessWindow::InjectDrop(const TzuDropData& data, int x, int y) {
    bool taken = false;
    if (m_dropTarget) RunGuarded([&] { taken = m_events.DropData(data, x, y); });
    return taken;
}

void TzuHeadlessWindow::HintChanged() {
    std::u16string text;
    TzuWinRect area{};
    bool shown = false;
    if (m_pointer.X >= 0)
        RunGuarded([&] { shown = m_events.QueryHint(m_pointer.X, m_pointer.Y, text, area); });
    m_tooltip = shown ? text : std::u16string();
    m_tooltipArea = shown ? area : TzuWinRect{};
}

}  // namespace zu
