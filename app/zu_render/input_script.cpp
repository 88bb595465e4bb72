#include "app/zu_render/input_script.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"

namespace zu {

namespace {

bool ParseInt(std::string_view text, int64_t lo, int64_t hi, int64_t& out) {
    if (text.empty()) return false;
    auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size() && out >= lo && out <= hi;
}

std::string Lower(std::string_view s) {
    std::string r(s);
    for (char& c : r) c = char(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// A named key, as a key code and the character it types (0 for none).
bool KeyOfName(std::string_view name, TzuKeyCode& key, char16_t& ch) {
    ch = 0;
    if (name.size() == 1) {
        const unsigned char c = static_cast<unsigned char>(name[0]);
        if (c < 0x20 || c > 0x7E) return false;
        ch = char16_t(c);
        if (std::isalpha(c))
            key = TzuKeyCode(std::toupper(c));
        else if (std::isdigit(c))
            key = TzuKeyCode(c);
        else if (c == ' ')
            key = keys::Space;
        else
            key = 0;  // punctuation types its character only
        return true;
    }
    struct Named {
        const char* name;
        TzuKeyCode key;
        char16_t ch;
    };
    static const Named named[] = {
        {"tab", keys::Tab, 9},
        {"return", keys::Enter, 13},
        {"enter", keys::Enter, 13},
        {"space", keys::Space, ' '},
        {"escape", keys::Escape, 27},
        {"esc", keys::Escape, 27},
        {"backspace", keys::Backspace, 8},
        {"delete", keys::Delete, 0},
        {"insert", keys::Insert, 0},
        {"left", keys::Left, 0},
        {"right", keys::Right, 0},
        {"up", keys::Up, 0},
        {"down", keys::Down, 0},
        {"home", keys::Home, 0},
        {"end", keys::End, 0},
        {"pageup", keys::PageUp, 0},
        {"prior", keys::PageUp, 0},
        {"pagedown", keys::PageDown, 0},
        {"next", keys::PageDown, 0},
        {"menu", 93, 0},
    };
    const std::string lower = Lower(name);
    for (const Named& n : named) {
        if (lower == n.name) {
            key = n.key;
            ch = n.ch;
            return true;
        }
    }
    int64_t f = 0;
    if (lower.size() >= 2 && lower[0] == 'f' && ParseInt(std::string_view(lower).substr(1), 1, 12, f)) {
        key = TzuKeyCode(keys::F1 + f - 1);
        return true;
    }
    return false;
}

}  // namespace

bool TzuInputScript::IsInputOption(const std::string& option) {
    return option == "--mouse" || option == "--press" || option == "--release" || option == "--click" ||
           option == "--key";
}

bool TzuInputScript::Add(const std::string& option, const std::string& value, std::string& error) {
    Event e{};
    std::string_view text = value;
    if (const auto at = text.rfind('@'); at != std::string_view::npos && at > 0) {
        if (!ParseInt(text.substr(at + 1), 0, kMaxClockMoment, e.at)) {
            error = option + " wants its moment as @MS, a whole number of milliseconds from 0 to " +
                    std::to_string(kMaxClockMoment);
            return false;
        }
        text = text.substr(0, at);
    }
    if (option == "--key") {
        e.kind = Kind::Key;
        // Modifiers come first: ctrl+c, shift+Tab, alt+x.
        for (;;) {
            const auto plus = text.find('+');
            if (plus == std::string_view::npos || plus == 0 || plus + 1 == text.size()) break;
            const std::string mod = Lower(text.substr(0, plus));
            if (mod == "ctrl" || mod == "control")
                e.shift |= ssCtrl;
            else if (mod == "shift")
                e.shift |= ssShift;
            else if (mod == "alt")
                e.shift |= ssAlt;
            else
                break;
            text = text.substr(plus + 1);
        }
        if (!KeyOfName(text, e.key, e.ch)) {
            error =
                "--key wants a key name (a character, Tab, Return, space, Escape, BackSpace, Delete, "
                "Left, Right, Up, Down, Home, End, PageUp, PageDown, Insert, F1 to F12, Menu), "
                "optionally after ctrl+, shift+ or alt+";
            return false;
        }
        if (e.shift & (ssCtrl | ssAlt)) {
            // Chords type no character, but Control with A, C, V, X or Z types the control
            // character of select all, copy, paste, cut and undo, as on a real keyboard.
            const char16_t lower = e.ch >= u'A' && e.ch <= u'Z' ? char16_t(e.ch + 32) : e.ch;
            const bool controlChar =
                (e.shift & ssCtrl) && !(e.shift & ssAlt) &&
                (lower == u'a' || lower == u'c' || lower == u'v' || lower == u'x' || lower == u'z');
            e.ch = controlChar ? char16_t(lower - u'a' + 1) : 0;
        } else if ((e.shift & ssShift) && e.ch >= u'a' && e.ch <= u'z') {
            e.ch = char16_t(e.ch - 32);
        }
    } else {
        e.kind = option == "--mouse"     ? Kind::Move
                 : option == "--press"   ? Kind::Press
                 : option == "--release" ? Kind::Release
                                         : Kind::Click;
        const auto comma = text.find(',');
        int64_t x = 0, y = 0;
        constexpr int64_t kLimit = 1 << 20;
        if (comma == std::string_view::npos || !ParseInt(text.substr(0, comma), -kLimit, kLimit, x) ||
            !ParseInt(text.substr(comma + 1), -kLimit, kLimit, y)) {
            error = option + " wants X,Y in scene pixels, whole numbers, optionally followed by @MS";
            return false;
        }
        e.x = int(x);
        e.y = int(y);
    }
    m_events.push_back(e);
    return true;
}

void TzuInputScript::Play(TzuHeadlessApplication& app, TzuHeadlessWindow& window,
                          const std::function<void(int64_t)>& advanceTo) const {
    std::vector<Event> events = m_events;
    std::stable_sort(events.begin(), events.end(),
                     [](const Event& a, const Event& b) { return a.at < b.at; });
    for (const Event& e : events) {
        if (e.at > app.Now()) advanceTo(e.at);
        // A press or release happens where the pointer is, so the pointer goes there first.
        switch (e.kind) {
            case Kind::Move: window.InjectMouseMove(e.x, e.y); break;
            case Kind::Press:
                window.InjectMouseMove(e.x, e.y);
                window.InjectMouseDown(mbLeft, e.x, e.y);
                break;
            case Kind::Release:
                window.InjectMouseMove(e.x, e.y, ssLeft);
                window.InjectMouseUp(mbLeft, e.x, e.y);
                break;
            case Kind::Click:
                window.InjectMouseMove(e.x, e.y);
                window.InjectMouseDown(mbLeft, e.x, e.y);
                window.InjectMouseUp(mbLeft, e.x, e.y);
                break;
            case Kind::Key: window.InjectKey(e.key, e.shift, e.ch); break;
        }
        app.ProcessMessages();
    }
}

}  // namespace zu
