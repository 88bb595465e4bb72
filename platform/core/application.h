#pragma once
// TzuApplication is the process's application object: message loop, posted messages,
// timers, window creation and the error box. A platform (platform/gtk, platform/headless)
// derives from it; constructing one installs it as Application(), destroying it
// uninstalls it. Exactly one exists at a time. The scene library's start-up
// (RegisterSceneClasses) makes Application()->ProcessMessages its message pump.
//
// Usage:
//   zu::TzuGtkApplication app(argc, argv);          // or zu::TzuHeadlessApplication
//   auto* form = ...;  form->Show();
//   app.Run();                                      // until Terminate or the main form closes
//   zu::Application()->PostMessage([] { ... });     // runs later on the loop
//   try { ... } catch (...) { zu::Application()->HandleException(); }
//   zu::RunGuarded([&] { ... });                    // the same, for platform callbacks

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/window.h"

namespace zu {

class TzuComponent;

// One line of a popup menu as the platform shows it. An entry with a submenu opens it and
// is never chosen itself. A check entry shows a tick box, a radio entry a dot shared with
// the radio entries of the same group in the same (sub)menu; Checked says whether it is on.
struct TzuMenuEntry {
    std::u16string Caption;
    bool Enabled = true;
    bool Checked = false;
    bool Separator = false;
    bool CheckItem = false;
    bool RadioItem = false;
    int GroupIndex = 0;
    std::vector<TzuMenuEntry> Submenu;
};
// Told the index of the chosen entry, or -1 when the menu closed without a choice. Entries
// are counted in menu order, each entry before the entries of its submenu.
using TzuMenuChoice = std::function<void(int index)>;
// The entry of that index counted as above, or null; with enabledPath, also null when the
// entry or a submenu holding it is disabled (the user cannot reach it).
const TzuMenuEntry* MenuEntryAt(const std::vector<TzuMenuEntry>& entries, int index,
                                bool enabledPath = false);

class TzuApplication {
public:
    TzuApplication();
    virtual ~TzuApplication();
    TzuApplication(const TzuApplication&) = delete;
    TzuApplication& operator=(const TzuApplication&) = delete;

    // The title of error boxes; the executable's file name until set.
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }

    // The form whose closing ends Run.
    TzuComponent* MainForm() const { return m_mainForm; }
    void SetMainForm(TzuComponent* form) { m_mainForm = form; }

    // ---- Message loop ----
    virtual void Run() = 0;
    virtual void Terminate() = 0;
    virtual bool Terminated() const = 0;
    // Handles the messages that are pending now, then returns.
    virtual void ProcessMessages() = 0;
    // Handles the pending messages, or, when none are pending, waits for the next message
    // or timer. False when nothing could ever arrive (waiting would never end).
    virtual bool WaitMessage();
    // Queues fn to run on the loop; the id cancels it while it is still queued.
    virtual uint64_t PostMessage(std::function<void()> fn) = 0;
    virtual void CancelMessage(uint64_t id) = 0;

    // ---- Timers (see timer.h for the component) ----
    // fn runs every intervalMs until StopTimer; an interval of 0 is refused (returns 0).
    virtual uint64_t StartTimer(unsigned intervalMs, std::function<void()> fn) = 0;
    virtual void StopTimer(uint64_t id) = 0;

    // ---- Windows ----
    virtual std::unique_ptr<IzuWindow> CreateFormWindow(IzuWindowEvents& events) = 0;
    virtual std::unique_ptr<IzuWindow> CreateChildWindow(IzuWindow& parent, IzuWindowEvents& events) = 0;

    // ---- Screen ----
    // The pointer's position in screen pixels; the origin on platforms without a pointer.
    virtual TzuWinPoint CursorPos() const { return {}; }
    // The usable area of the monitor showing the screen point (without panels and docks).
    virtual TzuWinRect ScreenWorkArea(TzuWinPoint /*near*/) const { return {0, 0, 1 << 20, 1 << 20}; }

    // ---- Dialogs ----
    // The platform's file-open dialog offering the files that match masks ("*.png;*.jpg",
    // shown as filterName); the chosen file, or nullopt when the user cancelled. The dialog
    // belongs to near's window (null: to none) and hands the keyboard back to it when it
    // closes. Platforms without dialogs answer nullopt.
    virtual std::optional<std::string> OpenFileDialog(IzuWindow* /*near*/, const std::string& /*title*/,
                                                      const std::string& /*filterName*/,
                                                      const std::string& /*masks*/) {
        return std::nullopt;
    }

    // ---- Clipboard ----
    // Unicode text on the system clipboard. The base keeps a copy inside the process, for
    // platforms without a clipboard; nullopt when no text is there.
    virtual void SetClipboardText(const std::u16string& text) { m_clipboard = text; }
    virtual std::optional<std::u16string> ClipboardText() { return m_clipboard; }
    // Whether the clipboard holds text, without fetching it (menus ask before showing).
    virtual bool ClipboardHasText() { return ClipboardText().has_value(); }
    // The selection of the desktop's "select to copy, middle click to paste" convention
    // (the X PRIMARY selection): text controls set it whenever their selected text
    // changes and paste it on a middle click. The base keeps a copy inside the process.
    virtual void SetPrimaryText(const std::u16string& text) { m_primary = text; }
    virtual std::optional<std::u16string> PrimaryText() { return m_primary; }

    // ---- Dialogs and menus ----
    // Whether the platform's menus and dialogs take their dark look, so that they match a
    // dark scene instead of opening light over it. The whole process shares one look.
    virtual void SetDarkLook(bool dark) { m_darkLook = dark; }
    bool DarkLook() const { return m_darkLook; }
    // Shows a popup menu with its top-left corner at a screen point, over the window near
    // (may be null). Returns at once; chosen runs later, exactly once, on the loop.
    virtual void ShowPopupMenu(IzuWindow* near, const std::vector<TzuMenuEntry>& items, TzuWinPoint screen,
                               TzuMenuChoice chosen) = 0;
    // The modal colour chooser, starting at initial (0xAARRGGBB). The chosen colour is
    // opaque; nullopt when the user cancelled.
    virtual std::optional<uint32_t> ChooseColor(IzuWindow* near, uint32_t initial,
                                                const std::string& title) = 0;

    // ---- Errors ----
    // Shows message as the application shows errors: a full stop is added when its last
    // character sorts above "."; the text goes to standard error and to a modal error box
    // titled with Title(). Errors raised while a box is up go to standard error only.
    void ShowException(const std::string& message);
    // Call inside a catch block: shows the exception being handled.
    void HandleException();
    // The text ShowException shows for message.
    static std::string ErrorText(const std::string& message);

protected:
    // The platform's modal error box; returns when the user dismissed it.
    virtual void ShowErrorBox(const std::string& title, const std::string& text) = 0;

private:
    std::string m_title;
    TzuComponent* m_mainForm = nullptr;
    bool m_showingError = false;
    std::optional<std::u16string> m_clipboard;
    std::optional<std::u16string> m_primary;
    bool m_darkLook = false;
};

// The installed application object, or null.
TzuApplication* Application();

// Shows the exception being handled through the application object, or on standard error
// when there is none. For catch blocks at platform callback boundaries.
void HandleCurrentException() noexcept;

// Runs fn, showing whatever it throws instead of letting it unwind into a C callback.
template <class F>
void RunGuarded(F&& fn) noexcept {
    // Nothing may unwind into the platform's C code, so everything is shown here.
    try {
        fn();
    } catch (...) {
        HandleCurrentException();
    }
}

}  // namespace zu
