#pragma once
// Platform windows as the component layer sees them. A windowed control (win_control.h)
// owns one IzuWindow made by the application object and receives the platform's requests
// through IzuWindowEvents, which it implements.
//
// Usage:
//   class TMyControl : public TzuWinControl { void Paint(std::span<const TzuWinRect> r) override; };
//   // Paint runs when the platform wants pixels; inside it, Window()->PutPixels(...) shows them.
//   // Invalidate(rect) asks for a later Paint of that area; nothing is painted synchronously.
// Rectangles are in client pixels of the window, Right and Bottom exclusive. On a screen
// whose desktop scales everything (ScaleFactor above 1) a client pixel is a block of
// ScaleFactor x ScaleFactor device pixels: sizes, input and invalidation stay in client
// pixels, while PutPixels and PresentLayered take device pixels.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zu {

struct TzuWinRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TzuWinRect&) const = default;
};

struct TzuWinPoint {
    int X = 0;
    int Y = 0;
};

// The pointer shapes a window can show while the pointer is over it.
enum class TzuCursorShape {
    Default,
    Arrow,
    IBeam,
    Wait,
    Cross,
    Hand,
    SizeWE,
    SizeNS,
    SizeNWSE,
    SizeNESW,
    SizeAll,
    No
};

enum TzuMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
// Modifier keys and mouse buttons held during an input event, as bits; ssDouble marks the
// press that completes a double click.
enum : uint16_t {
    ssShift = 1,
    ssAlt = 2,
    ssCtrl = 4,
    ssLeft = 8,
    ssRight = 16,
    ssMiddle = 32,
    ssDouble = 64
};
using TzuShiftState = uint16_t;

// Keys are named by platform-neutral codes: letters and digits by their upper-case ASCII
// code, the rest by the constants below. Platforms map keys they do not know to 0.
using TzuKeyCode = uint16_t;
namespace keys {
inline constexpr TzuKeyCode Backspace = 8;
inline constexpr TzuKeyCode Tab = 9;
inline constexpr TzuKeyCode Enter = 13;
inline constexpr TzuKeyCode ShiftKey = 16;
inline constexpr TzuKeyCode ControlKey = 17;
inline constexpr TzuKeyCode AltKey = 18;
inline constexpr TzuKeyCode Escape = 27;
inline constexpr TzuKeyCode Space = 32;
inline constexpr TzuKeyCode PageUp = 33;
inline constexpr TzuKeyCode PageDown = 34;
inline constexpr TzuKeyCode End = 35;
inline constexpr TzuKeyCode Home = 36;
inline constexpr TzuKeyCode Left = 37;
inline constexpr TzuKeyCode Up = 38;
inline constexpr TzuKeyCode Right = 39;
inline constexpr TzuKeyCode Down = 40;
inline constexpr TzuKeyCode Insert = 45;
inline constexpr TzuKeyCode Delete = 46;
// The keypad's operator keys; its digits and arrows arrive as the plain keys.
inline constexpr TzuKeyCode Multiply = 106;
inline constexpr TzuKeyCode Add = 107;
inline constexpr TzuKeyCode Subtract = 109;
inline constexpr TzuKeyCode Divide = 111;
inline constexpr TzuKeyCode F1 = 112;  // F1..F12 are consecutive
}  // namespace keys

// What another program drops onto a window: file names, or text when no files came.
struct TzuDropData {
    std::vector<std::u16string> Files;
    std::u16string Text;
    bool HasText = false;
};

// What a platform window asks of its control. Every call comes from the message loop;
// the platform layer catches anything thrown and shows it with the error box.
class IzuWindowEvents {
public:
    virtual ~IzuWindowEvents() = default;
    // The rectangles of the update region, in the platform's order. PutPixels is valid
    // only during this call on platforms that paint on demand.
    virtual void WindowPaint(std::span<const TzuWinRect> rects) = 0;
    // The platform changed the client size (the user resized, a window manager placed it).
    virtual void WindowResized(int /*width*/, int /*height*/) {}
    // The window's ScaleFactor changed (it moved to a screen of another density); a full
    // WindowPaint follows.
    virtual void WindowScaleChanged() {}
    // The user asked to close a top-level window; the control decides whether it goes.
    virtual void WindowCloseRequest() {}
    // A top-level window gained or lost activation. A popup window also reports a press
    // outside itself as lost activation, as no window manager may be there to move it.
    virtual void WindowActivate(bool /*active*/) {}

    // ---- Input ----
    // Coordinates are client pixels of the window that receives the event.
    virtual void MouseDown(TzuMouseButton /*button*/, TzuShiftState /*shift*/, int /*x*/, int /*y*/,
                           bool /*doubleClick*/) {}
    virtual void MouseUp(TzuMouseButton /*button*/, TzuShiftState /*shift*/, int /*x*/, int /*y*/,
                         bool /*doubleClick*/) {}
    virtual void MouseMove(TzuShiftState /*shift*/, int /*x*/, int /*y*/) {}
    // delta is in 120ths of a notch, positive when the wheel turns away from the user
    // (scrolls up): one notch is 120, smooth scrolling gives fractions of it. True when
    // something took it; the platform offers a wheel nobody took to what encloses the
    // window (a scrolled container around it).
    virtual bool MouseWheel(TzuShiftState /*shift*/, int /*delta*/, int /*x*/, int /*y*/) { return false; }
    virtual void MouseLeave() {}
    virtual void KeyDown(TzuKeyCode /*key*/, TzuShiftState /*shift*/) {}
    virtual void KeyUp(TzuKeyCode /*key*/, TzuShiftState /*shift*/) {}
    // The character a key press typed, after KeyDown.
    virtual void KeyChar(char16_t /*ch*/) {}
    // Text an input method composed and committed, in UTF-16.
    virtual void ImeCommit(const std::u16string& /*text*/) {}
    // The text an input method is composing and its cursor (UTF-16 units); empty text
    // when the composition ended or was cancelled.
    virtual void ImePreedit(const std::u16string& /*text*/, int /*cursor*/) {}

    // ---- Drops from other programs ----
    // The drag moved over (x, y) carrying data; true when a drop there would be taken.
    virtual bool DropMotion(const TzuDropData& /*data*/, int /*x*/, int /*y*/) { return false; }
    // The drag left the window, or was cancelled.
    virtual void DropLeave() {}
    // The data was dropped at (x, y); true when something took it.
    virtual bool DropData(const TzuDropData& /*data*/, int /*x*/, int /*y*/) { return false; }

    // ---- Hints ----
    // The hint to show for the pointer at (x, y) and the area it belongs to (client
    // pixels); false for none.
    virtual bool QueryHint(int /*x*/, int /*y*/, std::u16string& /*text*/, TzuWinRect& /*area*/) {
        return false;
    }
};

// One platform window: a top-level form or a child control inside a form.
class IzuWindow {
public:
    virtual ~IzuWindow() = default;

    // Forms: screen position and outer size; children: position in the parent's client area.
    virtual void SetBounds(int left, int top, int width, int height) = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool Visible() const = 0;
    // Forms only; children ignore these.
    virtual void SetCaption(const std::string& utf8) = 0;
    virtual void SetBorderless(bool borderless) = 0;
    virtual void SetBackgroundColor(uint32_t argb) = 0;

    // Asks for a WindowPaint of r later; the background is not erased.
    virtual void Invalidate(const TzuWinRect& r) = 0;
    // Device pixels per client pixel, 1 on an ordinary screen.
    virtual int ScaleFactor() const { return 1; }
    // Shows a block of premultiplied B,G,R,A pixels (stride in pixels) at (x, y), clipped
    // to the client area; all in device pixels.
    virtual void PutPixels(int x, int y, const uint32_t* pixels, int stride, int width, int height) = 0;

    // Per-pixel alpha presentation ("layered" forms). SupportsAlpha tells whether the
    // display can show it; SetLayered switches a form to it; PresentLayered replaces the
    // whole content of a child control with a frame (device pixels) whose alpha is kept,
    // not composited over the form's background.
    virtual bool SupportsAlpha() const = 0;
    virtual void SetLayered(bool layered) = 0;
    virtual bool Layered() const = 0;
    virtual void PresentLayered(const uint32_t* pixels, int stride, int width, int height) = 0;

    virtual TzuWinPoint ClientToScreen(TzuWinPoint p) const = 0;

    // Explicit mouse capture: while on, the window receives every mouse event, also
    // outside its area. A press already captures until its release on every platform.
    virtual void SetMouseCapture(bool /*on*/) {}
    // Forms: hands a move or a bottom-right resize of the window, started by a press at a
    // screen point, to the window system. False when the platform leaves it to the caller,
    // who then moves the form itself from the mouse moves.
    virtual bool BeginMoveDrag(TzuMouseButton /*button*/, TzuWinPoint /*screen*/) { return false; }
    virtual bool BeginResizeDrag(TzuMouseButton /*button*/, TzuWinPoint /*screen*/) { return false; }

    // The pointer shape shown over the window. The base only remembers it, for platforms
    // that have no pointer.
    virtual void SetCursor(TzuCursorShape shape) { m_cursor = shape; }

    // Forms, before they are shown: makes the window a popup of the owner form's window: no
    // frame, kept above other windows, shown without taking activation from the owner.
    // With dismissOnOutsidePress a press anywhere outside the popup (on the owner or
    // another application alike) reports WindowActivate(false) to it. While shown, a popup
    // holds the keyboard as a menu does: keys typed while it is up reach its focused child
    // control, and the owner keeps its activation.
    virtual void SetPopup(IzuWindow* /*owner*/, bool /*dismissOnOutsidePress*/) {}
    TzuCursorShape Cursor() const { return m_cursor; }

    // Where typed text goes (client pixels): the input method keeps its candidate window
    // there. The base only remembers it.
    virtual void SetImeCaret(const TzuWinRect& r) { m_imeCaret = r; }
    TzuWinRect ImeCaret() const { return m_imeCaret; }
    // The hint under the pointer may have changed: the platform asks QueryHint again.
    virtual void HintChanged() {}
    // Lets other programs drop files and text onto the window.
    virtual void SetDropTarget(bool on) { m_dropTarget = on; }
    bool DropTarget() const { return m_dropTarget; }

protected:
    TzuCursorShape m_cursor = TzuCursorShape::Default;
    TzuWinRect m_imeCaret{};
    bool m_dropTarget = false;
};

}  // namespace zu
