#include "platform/core/application.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <thread>

#include <unistd.h>

namespace zu {

namespace {

TzuApplication* g_application = nullptr;

std::string ExecutableName() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string("application") : exe.filename().string();
}

std::string CurrentExceptionText() {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}

}  // namespace

bool TzuApplication::WaitMessage() {
    // A platform without a blocking wait handles what is there and yields the processor.
    ProcessMessages();
    std::this_thread::yield();
    return true;
}

TzuApplication::TzuApplication() : m_title(ExecutableName()) { g_application = this; }

TzuApplication::~TzuApplication() {
    if (g_application == this) g_application = nullptr;
}

TzuApplication* Application() { return g_application; }

namespace {
// Walks entries in choice order, counting index down; true once it reached the entry (found
// then holds it, or null when it cannot be reached).
bool WalkEntries(const std::vector<TzuMenuEntry>& entries, int& index, bool enabledPath,
                 const TzuMenuEntry*& found) {
    for (const TzuMenuEntry& entry : entries) {
        if (index == 0) {
            found = enabledPath && !entry.Enabled ? nullptr : &entry;
            return true;
        }
        --index;
        if (WalkEntries(entry.Submenu, index, enabledPath, found)) {
            if (enabledPath && !entry.Enabled) found = nullptr;
            return true;
        }
    }
    return false;
}
}  // namespace

const TzuMenuEntry* MenuEntryAt(const std::vector<TzuMenuEntry>& entries, int index, bool enabledPath) {
    const TzuMenuEntry* found = nullptr;
    if (index >= 0) WalkEntries(entries, index, enabledPath, found);
    return found;
}

std::string TzuApplication::ErrorText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
    return message;
}

void TzuApplication::ShowException(const std::string& message) {
    const std::string text = ErrorText(message);
    std::fprintf(stderr, "%s: %s\n", m_title.c_str(), text.c_str());
    std::fflush(stderr);
    // A failure that recurs while its box is up (a paint under the dialog) must not stack
    // boxes without end; standard error still has it.
    if (m_showingError) return;
    m_showingError = true;
    try {
        ShowErrorBox(m_title, text);
    } catch (...) {
        m_showingError = false;
        throw;
    }
    m_showingError = false;
}

void TzuApplication::HandleException() { ShowException(CurrentExceptionText()); }

void HandleCurrentException() noexcept {
    try {
        const std::string message = CurrentExceptionText();
        if (g_application) {
            g_application->ShowException(message);
        } else {
            std::fprintf(stderr, "%s\n", TzuApplication::ErrorText(message).c_str());
        }
    } catch (...) {
        // The error box itself failed; standard error is all that is left.
        std::fputs("error while showing an error\n", stderr);
    }
}

}  // namespace zu
