#pragma once
// TzuGtkApplication is the application object on GTK 3 under X11: the GTK main loop, idle
// callbacks for posted messages, timeouts for timers, GtkMessageDialog as the error box,
// and GTK windows for forms and controls. Construct it once at the start of main, before
// any form; it forces the X11 backend.
//
// Usage:
//   int main(int argc, char** argv) {
//       zu::TzuGtkApplication app(argc, argv);   // throws when no display can be opened
//       ... create the main form, app.SetMainForm(form), form->Show() ...
//       app.Run();
//   }

#include <map>

#include "platform/core/application.h"

namespace zu {

class TzuGtkApplication : public TzuApplication {
public:
    TzuGtkApplication(int& argc, char**& argv);
    ~TzuGtkApplication() override;

    void Run() override;
    void Terminate() override;
    bool Terminated() const override { return m_terminated; }
    void ProcessMessages() override;
    // One main-loop iteration, sleeping until an event, a timer or a posted message comes.
    bool WaitMessage() override;
    uint64_t PostMessage(std::function<void()> fn) override;
    void CancelMessage(uint64_t id) override;
    uint64_t StartTimer(unsigned intervalMs, std::function<void()> fn) override;
    void StopTimer(uint64_t id) override;
    std::unique_ptr<IzuWindow> CreateFormWindow(IzuWindowEvents& events) override;
    std::unique_ptr<IzuWindow> CreateChildWindow(IzuWindow& parent, IzuWindowEvents& events) override;
    TzuWinPoint CursorPos() const override;
    // Follows GTK's dark variant of the theme (gtk-application-prefer-dark-theme).
    void SetDarkLook(bool dark) override;
    // Passes the dark look on to GTK's settings before a menu or dialog shows.
    void ApplyDarkLook();
    // Sets the environment so that a process without a session bus starts without
    // warnings; does nothing where a bus is reachable or the user set the variables.
    static void QuietWithoutSessionBus();
    std::optional<std::string> OpenFileDialog(IzuWindow* near, const std::string& title,
                                              const std::string& filterName,
                                              const std::string& masks) override;
    TzuWinRect ScreenWorkArea(TzuWinPoint near) const override;
    // The system clipboard (the CLIPBOARD selection, not the primary one).
    void SetClipboardText(const std::u16string& text) override;
    std::optional<std::u16string> ClipboardText() override;
    bool ClipboardHasText() override;
    // The X PRIMARY selection.
    void SetPrimaryText(const std::u16string& text) override;
    std::optional<std::u16string> PrimaryText() override;

    // A GtkMenu at the point, and a GtkColorChooserDialog without alpha.
    void ShowPopupMenu(IzuWindow* near, const std::vector<TzuMenuEntry>& items, TzuWinPoint screen,
                       TzuMenuChoice chosen) override;
    std::optional<uint32_t> ChooseColor(IzuWindow* near, uint32_t initial, const std::string& title) override;
    // The error box shown at the moment, or null; lets tests and tools answer it.
    void* CurrentErrorBox() const { return m_errorBox; }

protected:
    void ShowErrorBox(const std::string& title, const std::string& text) override;

private:
    struct Callback;
    static int Dispatch(void* data);
    static void Release(void* data);
    uint64_t AddSource(unsigned intervalMs, std::function<void()> fn, bool repeat);
    void RemoveSource(uint64_t id);

    std::map<uint64_t, unsigned> m_sources;  // our id -> GLib source id
    uint64_t m_nextId = 1;
    void* m_errorBox = nullptr;
    bool m_terminated = false;
};

}  // namespace zu
