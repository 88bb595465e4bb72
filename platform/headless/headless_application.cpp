#include "platform/headless/headless_application.h"

#include <algorithm>

#include "platform/core/clock.h"
#include "platform/headless/headless_window.h"

namespace zu {

namespace {
// Entries of a menu with everything inside their submenus.
int CountEntries(const std::vector<TzuMenuEntry>& entries) {
    int n = 0;
    for (const TzuMenuEntry& entry : entries) n += 1 + CountEntries(entry.Submenu);
    return n;
}
}  // namespace

namespace {
TzuHeadlessApplication* g_headless = nullptr;
int64_t ManualClock() { return g_headless ? g_headless->Now() : 0; }

// A message that keeps posting itself would otherwise keep ProcessMessages from returning.
constexpr int kMaxRounds = 1000;
}  // namespace

TzuHeadlessApplication::TzuHeadlessApplication() {
    g_headless = this;
    SetClockSource(&ManualClock);
}

TzuHeadlessApplication::~TzuHeadlessApplication() {
    if (g_headless == this) {
        g_headless = nullptr;
        SetClockSource(nullptr);
    }
}

void TzuHeadlessApplication::Run() {
    m_terminated = false;
    while (!m_terminated) {
        ProcessMessages();
        if (m_terminated || m_timers.empty()) break;
        int64_t next = m_timers.begin()->second.due;
        for (const auto& [id, t] : m_timers) next = std::min(next, t.due);
        Advance(std::max<int64_t>(next - m_now, 0));
    }
}

bool TzuHeadlessApplication::RunPostedMessages() {
    bool ran = false;
    // Messages posted while a round runs wait for the next round, as on a real queue.
    const uint64_t last = m_nextId;
    while (!m_messages.empty() && m_messages.begin()->first < last) {
        auto node = m_messages.extract(m_messages.begin());
        ran = true;
        RunGuarded(node.mapped());
    }
    return ran;
}

bool TzuHeadlessApplication::PaintWindows() {
    bool painted = false;
    // A paint may create or destroy windows; walk a copy and skip the ones that went.
    for (TzuHeadlessWindow* w : std::vector<TzuHeadlessWindow*>(m_windows)) {
        if (std::find(m_windows.begin(), m_windows.end(), w) == m_windows.end()) continue;
        painted |= w->PaintPending();
    }
    return painted;
}

void TzuHeadlessApplication::ProcessMessages() {
    for (int round = 0; round < kMaxRounds; ++round) {
        const bool ran = RunPostedMessages();
        const bool painted = PaintWindows();
        if (!ran && !painted) break;
    }
}

bool TzuHeadlessApplication::WaitMessage() {
    if (!m_messages.empty()) {
        ProcessMessages();
        return true;
    }
    if (m_timers.empty()) return false;
    int64_t next = m_timers.begin()->second.due;
    for (const auto& [id, t] : m_timers) next = std::min(next, t.due);
    Advance(std::max<int64_t>(next - m_now, 0));
    return true;
}

uint64_t TzuHeadlessApplication::PostMessage(std::function<void()> fn) {
    const uint64_t id = m_nextId++;
    m_messages.emplace(id, std::move(fn));
    return id;
}

void TzuHeadlessApplication::CancelMessage(uint64_t id) { m_messages.erase(id); }

uint64_t TzuHeadlessApplication::StartTimer(unsigned intervalMs, std::function<void()> fn) {
    if (intervalMs == 0 || !fn) return 0;
    const uint64_t id = m_nextId++;
    m_timers.emplace(id, Timer{intervalMs, m_now + intervalMs, std::move(fn)});
    return id;
}

void TzuHeadlessApplication::StopTimer(uint64_t id) { m_timers.erase(id); }

void TzuHeadlessApplication::Advance(int64_t ms) {
    const int64_t target = m_now + std::max<int64_t>(ms, 0);
    for (;;) {
        // The earliest due timer; ties go to the older timer.
        auto due = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
            if (it->second.due <= target && (due == m_timers.end() || it->second.due < due->second.due))
                due = it;
        }
        if (due == m_timers.end()) break;
        m_now = std::max(m_now, due->second.due);
        due->second.due += due->second.interval;
        // The handler may stop or free its own timer, so it runs from a copy.
        auto fn = due->second.fn;
        RunGuarded(fn);
        ProcessMessages();
    }
    m_now = target;
    ProcessMessages();
}

std::optional<std::string> TzuHeadlessApplication::OpenFileDialog(IzuWindow* near,
                                                                  const std::string& /*title*/,
                                                                  const std::string& /*filterName*/,
                                                                  const std::string& masks) {
    ++m_openFileDialogs;
    m_openFileNear = near;
    m_openFileMasks = masks;
    return m_openFileAnswer;
}

void TzuHeadlessApplication::PressOutsidePopups(TzuHeadlessWindow* pressedForm) {
    // A handler may close (free) any popup, so each is looked up again before it is told.
    for (TzuHeadlessWindow* w : std::vector<TzuHeadlessWindow*>(m_windows)) {
        if (w == pressedForm || !HasWindow(w)) continue;
        if (w->IsPopup() && w->DismissOnOutsidePress() && w->Visible()) w->InjectActivate(false);
    }
}

bool TzuHeadlessApplication::HasWindow(const TzuHeadlessWindow* w) const {
    return std::find(m_windows.begin(), m_windows.end(), w) != m_windows.end();
}

TzuHeadlessWindow* TzuHeadlessApplication::KeyTarget(TzuHeadlessWindow* typedInto) {
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
        TzuHeadlessWindow* popup = *it;
        if (!popup->IsPopup() || !popup->Visible()) continue;
        if (typedInto->TopWindow() == popup) return typedInto;
        for (TzuHeadlessWindow* w : m_windows) {
            if (w->Parent() == popup && w->Visible()) return w;
        }
        return popup;
    }
    return typedInto;
}

std::vector<TzuHeadlessWindow*> TzuHeadlessApplication::FormWindows() const {
    std::vector<TzuHeadlessWindow*> out;
    for (TzuHeadlessWindow* w : m_windows) {
        if (!w->Parent()) out.push_back(w);
    }
    return out;
}

std::unique_ptr<IzuWindow> TzuHeadlessApplication::CreateFormWindow(IzuWindowEvents& events) {
    return std::make_unique<TzuHeadlessWindow>(*this, events, nullptr);
}

std::unique_ptr<IzuWindow> TzuHeadlessApplication::CreateChildWindow(IzuWindow& parent,
                                                                     IzuWindowEvents& events) {
    return std::make_unique<TzuHeadlessWindow>(*this, events, dynamic_cast<TzuHeadlessWindow*>(&parent));
}

void TzuHeadlessApplication::RemoveWindow(TzuHeadlessWindow* w) {
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), w), m_windows.end());
}

void TzuHeadlessApplication::ShowErrorBox(const std::string& title, const std::string& text) {
    m_errorTitles.push_back(title);
    m_errors.push_back(text);
}

void TzuHeadlessApplication::ShowPopupMenu(IzuWindow* near, const std::vector<TzuMenuEntry>& items,
                                           TzuWinPoint screen, TzuMenuChoice chosen) {
    // A menu already up closes first, as a new menu replaces the old one on screen.
    if (m_popupChoice) ChoosePopupItem(-1);
    m_popups.push_back({near, items, screen});
    m_popupChoice = std::move(chosen);
}

void TzuHeadlessApplication::ChoosePopupItem(int index) {
    if (!m_popupChoice) return;
    const TzuMenuEntry* entry = MenuEntryAt(m_popups.back().items, index, true);
    if (!entry || entry->Separator || !entry->Submenu.empty()) index = -1;
    // Taken out first: the handler may open the next menu.
    TzuMenuChoice choice = std::move(m_popupChoice);
    m_popupChoice = nullptr;
    choice(index);
}

int TzuHeadlessApplication::PopupEntryIndex(std::initializer_list<std::u16string_view> captions) const {
    if (m_popups.empty() || captions.size() == 0) return -1;
    const std::vector<TzuMenuEntry>* level = &m_popups.back().items;
    int base = 0;  // the choice index of level's first entry
    const auto last = captions.end() - 1;
    for (auto caption = captions.begin(); caption != captions.end(); ++caption) {
        int index = base;
        const TzuMenuEntry* hit = nullptr;
        for (const TzuMenuEntry& entry : *level) {
            if (entry.Caption == *caption) {
                hit = &entry;
                break;
            }
            index += 1 + CountEntries(entry.Submenu);
        }
        if (!hit) return -1;
        if (caption == last) return index;
        level = &hit->Submenu;
        base = index + 1;
    }
    return -1;
}

bool TzuHeadlessApplication::ChoosePopupPath(std::initializer_list<std::u16string_view> captions) {
    const int index = PopupEntryIndex(captions);
    if (index < 0 || !m_popupChoice) return false;
    ChoosePopupItem(index);
    return true;
}

std::optional<uint32_t> TzuHeadlessApplication::ChooseColor(IzuWindow*, uint32_t initial,
                                                            const std::string&) {
    m_colorRequests.push_back(initial);
    if (!m_colorChoice) return std::nullopt;
    return *m_colorChoice | 0xFF000000u;
}

}  // namespace zu
