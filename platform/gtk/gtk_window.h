#pragma once
// GTK windows behind IzuWindow. A form is a GtkWindow holding a GtkFixed in which every
// control of the form is placed; a control is a GtkDrawingArea whose draw signal becomes
// WindowPaint. Each object owns its widget and destroys it when it goes.

#include <memory>
#include <optional>
#include <vector>

#include <gtk/gtk.h>

#include "platform/core/window.h"

namespace zu {

class TzuGtkWindow : public IzuWindow {
public:
    TzuGtkWindow(IzuWindowEvents& events, GtkWidget* widget);
    ~TzuGtkWindow() override;

    int ClientWidth() const override { return m_width; }
    int ClientHeight() const override { return m_height; }
    void SetVisible(bool visible) override;
    bool Visible() const override { return gtk_widget_get_visible(m_widget); }
    void SetCaption(const std::string&) override {}
    void SetBorderless(bool) override {}
    void SetBackgroundColor(uint32_t) override {}
    void Invalidate(const TzuWinRect& r) override;
    int ScaleFactor() const override;
    void PutPixels(int x, int y, const uint32_t* pixels, int stride, int width, int height) override;
    bool SupportsAlpha() const override;
    void SetLayered(bool) override {}
    bool Layered() const override { return false; }
    void PresentLayered(const uint32_t* pixels, int stride, int width, int height) override;
    TzuWinPoint ClientToScreen(TzuWinPoint p) const override;
    void SetCursor(TzuCursorShape shape) override;
    void SetMouseCapture(bool on) override;
    void SetImeCaret(const TzuWinRect& r) override;
    void HintChanged() override;
    void SetDropTarget(bool on) override;

    GtkWidget* Widget() const { return m_widget; }
    // The container controls are placed in, and where this window's client area lies in it.
    virtual GtkFixed* Container() const = 0;
    virtual TzuWinPoint ContainerOrigin() const = 0;

protected:
    // Runs the draw of the widget: the stored layered frame, or WindowPaint for the clip.
    gboolean Draw(cairo_t* cr);
    // Connects the mouse and keyboard signals of the widget to the input events.
    void ConnectInput();
    // Gives the realized widget's GdkWindow the current pointer shape.
    void ApplyCursor();

    static void OnRealize(GtkWidget*, gpointer self);
    static void OnScaleFactor(GtkWidget*, GParamSpec*, gpointer self);
    static gboolean OnButton(GtkWidget*, GdkEventButton* e, gpointer self);
    static gboolean OnMotion(GtkWidget*, GdkEventMotion* e, gpointer self);
    static gboolean OnScroll(GtkWidget*, GdkEventScroll* e, gpointer self);
    static gboolean OnLeave(GtkWidget*, GdkEventCrossing* e, gpointer self);
    static gboolean OnKey(GtkWidget*, GdkEventKey* e, gpointer self);
    static void OnImeCommit(GtkIMContext*, const gchar* text, gpointer self);
    static void OnImePreedit(GtkIMContext*, gpointer self);
    static void OnFocusChange(GtkWidget*, GdkEventFocus* e, gpointer self);
    static gboolean OnQueryTooltip(GtkWidget*, gint x, gint y, gboolean keyboard, GtkTooltip* tip,
                                   gpointer self);
    static gboolean OnDragMotion(GtkWidget*, GdkDragContext* c, gint x, gint y, guint time, gpointer self);
    static void OnDragLeave(GtkWidget*, GdkDragContext* c, guint time, gpointer self);
    static gboolean OnDragDrop(GtkWidget*, GdkDragContext* c, gint x, gint y, guint time, gpointer self);
    static void OnDragDataReceived(GtkWidget*, GdkDragContext* c, gint x, gint y, GtkSelectionData* data,
                                   guint info, guint time, gpointer self);
    static gboolean OnDeferredLeave(gpointer self);
    // Asks the source for the drag's data, once per drag; false when it offers nothing we read.
    bool RequestDropData(GdkDragContext* c, guint time);
    void ReplyMotion(GdkDragContext* c, guint time);
    void FinishDrop(GdkDragContext* c, guint time);
    void ForgetDrag();
    // A drag is over the window at (x, y): a pending leave is off, a new drag replaces the old.
    void FollowDrag(GdkDragContext* c, gint x, gint y);

    GtkIMContext* m_im = nullptr;
    // The drag from another program over the window. Motion carries no data: it is asked
    // for once and kept for the rest of the drag. GTK sends the leave before the drop, so
    // the leave waits for the loop and a drop in between cancels it.
    struct DropState {
        GdkDragContext* context = nullptr;
        std::optional<TzuDropData> data;
        bool received = false;
        bool requested = false;
        bool dropPending = false;
        int x = 0;
        int y = 0;
    } m_drop;
    guint m_leaveSource = 0;
    // False once the window is gone: a handler whose event closed its own window (a key
    // that closes a popup) stops before it reads the window again.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);

    IzuWindowEvents& m_events;
    GtkWidget* m_widget;
    int m_width = 0;
    int m_height = 0;
    cairo_t* m_cr = nullptr;        // set while a draw signal runs
    std::vector<uint32_t> m_frame;  // last layered frame
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    double m_scrollRest = 0;    // smooth scrolling not yet a whole 120th of a notch
    bool m_wheelTaken = false;  // whether the last whole wheel step was taken
    bool m_captured = false;    // an explicit seat grab is held
    // The last plain press, to recognise the press that completes a double click.
    struct LastPress {
        bool valid = false;
        bool wasDouble = false;
        guint button = 0;
        guint32 time = 0;
        double x = 0;
        double y = 0;
    } m_lastPress;
    bool CompletesDoubleClick(const GdkEventButton* e);
};

class TzuGtkFormWindow : public TzuGtkWindow {
public:
    explicit TzuGtkFormWindow(IzuWindowEvents& events);
    ~TzuGtkFormWindow() override;

    void SetBounds(int left, int top, int width, int height) override;
    void SetCaption(const std::string& utf8) override;
    void SetBorderless(bool borderless) override;
    void SetBackgroundColor(uint32_t argb) override;
    void SetLayered(bool layered) override;
    bool Layered() const override { return m_layered; }
    bool BeginMoveDrag(TzuMouseButton button, TzuWinPoint screen) override;
    bool BeginResizeDrag(TzuMouseButton button, TzuWinPoint screen) override;
    void SetPopup(IzuWindow* owner, bool dismissOnOutsidePress) override;
    GtkFixed* Container() const override { return m_fixed; }
    TzuWinPoint ContainerOrigin() const override { return {0, 0}; }

    // A press on the given widget: popups that close on an outside press and do not hold
    // the widget hear that they lost activation. True when the press fell outside a popup
    // onto nothing of ours and is used up by closing it.
    static bool PressDismissesPopups(GtkWidget* pressed, const GdkEventButton* e);

private:
    static gboolean OnMap(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnUnmap(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnFocus(GtkWidget*, GdkEventFocus* e, gpointer self);
    // Takes the popup's grab (again): the keyboard, and the pointer when an outside press
    // closes it.
    void Grab();
    void ReleaseGrab();

    static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean OnConfigure(GtkWidget*, GdkEventConfigure* e, gpointer self);

    GtkFixed* m_fixed;
    uint32_t m_background = 0xFFF0F0F0;
    bool m_layered = false;
    bool m_popup = false;
    bool m_dismissOnOutsidePress = false;
    bool m_grabbed = false;  // the popup's pointer or keyboard grab is held
};

class TzuGtkChildWindow : public TzuGtkWindow {
public:
    TzuGtkChildWindow(TzuGtkWindow& parent, IzuWindowEvents& events);

    void SetBounds(int left, int top, int width, int height) override;
    GtkFixed* Container() const override { return m_fixed; }
    TzuWinPoint ContainerOrigin() const override { return m_origin; }

private:
    static gboolean OnDraw(GtkWidget*, cairo_t* cr, gpointer self);

    GtkFixed* m_fixed;
    TzuWinPoint m_parentOrigin;
    TzuWinPoint m_origin;
};

}  // namespace zu
