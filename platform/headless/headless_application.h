#pragma once
// TzuHeadlessApplication is the application object for tests and off-screen rendering:
// windows paint into bitmaps, the clock is manual (it moves only by Advance), timers fire
// as the clock passes their due time, and the error box records its messages instead of
// waiting for a user.
//
// Usage:
//   zu::TzuHeadlessApplication app;
//   form->Show();
//   app.ProcessMessages();          // posted messages, then paints of invalidated windows
//   app.Advance(33);                // moves the clock, firing due timers in time order
//   app.Errors();                   // texts shown by the error box

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/application.h"

namespace zu {

class TzuHeadlessWindow;

class TzuHeadlessApplication : public TzuApplication {
public:
    TzuHeadlessApplication();
    ~TzuHeadlessApplication() override;

    // Processes messages and advances the clock to each next timer until Terminate; returns
    // at once when nothing is left to wait for, since nothing else could end the loop.
    void Run() override;
    void Terminate() override { m_terminated = true; }
    bool Terminated() const override { return m_terminated; }
    void ProcessMessages() override;
    // Runs the pending messages, or else moves the clock to the next due timer; false when
    // neither messages nor timers are left.
    bool WaitMessage() override;
    uint64_t PostMessage(std::function<void()> fn) override;
    void CancelMessage(uint64_t id) override;
    uint64_t StartTimer(unsigned intervalMs, std::function<void()> fn) override;
    void StopTimer(uint64_t id) override;
    std::unique_ptr<IzuWindow> CreateFormWindow(IzuWindowEvents& events) override;
    std::unique_ptr<IzuWindow> CreateChildWindow(IzuWindow& parent, IzuWindowEvents& events) override;

    // ---- Screen density ----
    // The ScaleFactor of windows made from now on (1 to 8), as a desktop that scales
    // everything would give them.
    void SetScaleFactor(int scale) { m_scaleFactor = scale < 1 ? 1 : scale > 8 ? 8 : scale; }
    int ScaleFactor() const { return m_scaleFactor; }

    // ---- Manual clock ----
    int64_t Now() const { return m_now; }
    // Moves the clock forward by ms, firing every timer that falls due on the way (each
    // followed by the messages it caused).
    void Advance(int64_t ms);
    size_t TimerCount() const { return m_timers.size(); }
    size_t PendingMessageCount() const { return m_messages.size(); }

    // ---- Popup menus ----
    // Records the menu instead of showing it; a test answers it with ChoosePopupItem.
    void ShowPopupMenu(IzuWindow* near, const std::vector<TzuMenuEntry>& items, TzuWinPoint screen,
                       TzuMenuChoice chosen) override;
    struct PopupRequest {
        IzuWindow* near = nullptr;
        std::vector<TzuMenuEntry> items;
        TzuWinPoint screen;
    };
    // Every menu shown so far, oldest first.
    const std::vector<PopupRequest>& PopupRequests() const { return m_popups; }
    bool PopupOpen() const { return static_cast<bool>(m_popupChoice); }
    // Answers the open menu as the user would: an enabled entry (counted as TzuMenuChoice
    // counts), or -1 to dismiss it. An entry that is disabled, inside a disabled submenu, a
    // separator or a submenu's own entry dismisses it like a click outside.
    void ChoosePopupItem(int index);
    // The index of the entry of the last menu reached through these captions (a submenu's
    // caption, then an entry inside it, ...), or -1.
    int PopupEntryIndex(std::initializer_list<std::u16string_view> captions) const;
    // Chooses the entry PopupEntryIndex finds; false when there is none or no open menu.
    bool ChoosePopupPath(std::initializer_list<std::u16string_view> captions);

    // ---- Colour chooser ----
    // The answer of the next choosers; nullopt (the start) answers as a cancel.
    void SetColorChoice(std::optional<uint32_t> color) { m_colorChoice = color; }
    std::optional<uint32_t> ChooseColor(IzuWindow* near, uint32_t initial, const std::string& title) override;
    // The initial colours the choosers were opened with, oldest first.
    const std::vector<uint32_t>& ColorRequests() const { return m_colorRequests; }

    // ---- Error box record ----
    const std::vector<std::string>& Errors() const { return m_errors; }
    const std::vector<std::string>& ErrorTitles() const { return m_errorTitles; }
    void ClearErrors() {
        m_errors.clear();
        m_errorTitles.clear();
    }

    // ---- Dialogs ----
    // The file-open dialog answers what the test set (nullopt: cancelled) and remembers
    // the masks it was asked for.
    std::optional<std::string> OpenFileDialog(IzuWindow* near, const std::string& title,
                                              const std::string& filterName,
                                              const std::string& masks) override;
    // The window the last file dialog was opened for.
    IzuWindow* OpenFileNear() const { return m_openFileNear; }
    void SetOpenFileAnswer(std::optional<std::string> answer) { m_openFileAnswer = std::move(answer); }
    int OpenFileDialogCount() const { return m_openFileDialogs; }
    const std::string& OpenFileMasks() const { return m_openFileMasks; }

    // ---- Screen and pointer ----
    TzuWinPoint CursorPos() const override { return m_cursor; }
    void SetCursorPos(TzuWinPoint p) { m_cursor = p; }
    TzuWinRect ScreenWorkArea(TzuWinPoint /*near*/) const override { return m_workArea; }
    void SetScreenWorkArea(const TzuWinRect& r) { m_workArea = r; }
    // A press on the desktop, outside every window of the application.
    void InjectDesktopPress() { PressOutsidePopups(nullptr); }
    // Tells every shown popup that closes on an outside press, other than the form
    // pressed, that it lost activation.
    void PressOutsidePopups(TzuHeadlessWindow* pressedForm);
    bool HasWindow(const TzuHeadlessWindow* w) const;
    // Where keys typed into a window go: while a popup is shown the newest one holds the
    // keyboard, as a grab does, and its first shown child control (else the popup itself)
    // takes them; otherwise the window typed into.
    TzuHeadlessWindow* KeyTarget(TzuHeadlessWindow* typedInto);
    // The live form windows (not controls), oldest first.
    std::vector<TzuHeadlessWindow*> FormWindows() const;

    // Windows register themselves while they live.
    void AddWindow(TzuHeadlessWindow* w) { m_windows.push_back(w); }
    void RemoveWindow(TzuHeadlessWindow* w);

protected:
    void ShowErrorBox(const std::string& title, const std::string& text) override;

private:
    struct Timer {
        unsigned interval;
        int64_t due;
        std::function<void()> fn;
    };
    bool RunPostedMessages();
    bool PaintWindows();

    std::map<uint64_t, std::function<void()>> m_messages;  // id order is post order
    std::map<uint64_t, Timer> m_timers;
    int m_scaleFactor = 1;
    std::vector<TzuHeadlessWindow*> m_windows;
    std::vector<PopupRequest> m_popups;
    TzuMenuChoice m_popupChoice;
    std::optional<uint32_t> m_colorChoice;
    std::vector<uint32_t> m_colorRequests;
    std::vector<std::string> m_errors;
    std::vector<std::string> m_errorTitles;
    TzuWinPoint m_cursor{};
    std::optional<std::string> m_openFileAnswer;
    std::string m_openFileMasks;
    IzuWindow* m_openFileNear = nullptr;
    int m_openFileDialogs = 0;
    TzuWinRect m_workArea{0, 0, 1920, 1080};
    uint64_t m_nextId = 1;
    int64_t m_now = 0;
    bool m_terminated = false;
};

}  // namespace zu
