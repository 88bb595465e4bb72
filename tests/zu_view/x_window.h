#pragma once
// What the X tests share: waiting for a condition with a deadline, and finding a window
// by its title anywhere under a given window. Include it after the test framework: Xlib's
// macros break the framework's headers.

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include <X11/Xlib.h>  // NOLINT

namespace zu::test {

// True as soon as pred holds; false when it still does not after timeout.
inline bool WaitUntil(const std::function<bool()>& pred, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (pred()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return pred();
}

// The first window at or below `at` whose name is title, or 0.
inline Window FindWindowByTitle(Display* x, Window at, const std::string& title) {
    char* name = nullptr;
    if (XFetchName(x, at, &name) && name) {
        const bool match = title == name;
        XFree(name);
        if (match) return at;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(x, at, &root, &parent, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i) found = FindWindowByTitle(x, children[i], title);
        if (children) XFree(children);
    }
    return found;
}

}  // namespace zu::test
