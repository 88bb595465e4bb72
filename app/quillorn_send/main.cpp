// quillorn-send: hands two lines of text (or an exact payload) to a running display window
// and reports whether it answered.
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/utf.h"
#include "platform/x11/copy_data.h"

namespace {

const char kUsage[] =
    "usage: quillorn-send [--title TITLE] [--tag N] [--timeout MS] [--] LINE1 LINE2\n"
    "       quillorn-send [--title TITLE] [--tag N] [--timeout MS] --raw FILE\n"
    "       quillorn-send --help | --version\n"
    "Sends two lines (each padded with blanks or cut to 20 UTF-16 units) to the window\n"
    "titled TITLE (default \"QuillornDisplay\"), or the bytes of FILE unchanged (at most\n"
    "1048576). N is the message tag, 0 to 4294967295 (default 53456); MS the time to wait\n"
    "for the answer, 0 to 2147483647 milliseconds (default 5000).\n"
    "Exit status: 0 when the window answered; 1 when FILE cannot be read, the display\n"
    "cannot be opened, no window has that title or it did not answer in time; 2 usage error.\n";

// One line and the usage on standard error; the caller exits 2.
int UsageError(const std::string& line) {
    std::fprintf(stderr, "quillorn-send: %s\n%s", line.c_str(), kUsage);
    return 2;
}

std::vector<uint8_t> Line(const std::string& text) {
    std::u16string w = zu::Utf8ToUtf16(text);
    w.resize(20, u' ');
    std::vector<uint8_t> out;
    for (char16_t c : w) {
        out.push_back(static_cast<uint8_t>(c & 0xFF));
        out.push_back(static_cast<uint8_t>(c >> 8));
    }
    return out;
}

// A whole decimal (or 0x hexadecimal) number from 0 to max.
bool ParseNumber(const char* text, unsigned long long max, unsigned long long& out) {
    if (!*text || *text == '-' || *text == '+' || *text == ' ') return false;
    char* end = nullptr;
    errno = 0;
    out = std::strtoull(text, &end, 0);
    return errno == 0 && end && *end == 0 && out <= max;
}

// The bytes of a regular file of at most kCopyDataMaxBytes; a line on standard error and
// false otherwise.
bool ReadPayload(const std::string& path, std::vector<uint8_t>& out) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        std::fprintf(stderr, "quillorn-send: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        std::fprintf(stderr, "quillorn-send: cannot read %s: not a regular file\n", path.c_str());
        return false;
    }
    if (st.st_size > off_t(zu::kCopyDataMaxBytes)) {
        std::fprintf(stderr, "quillorn-send: %s is larger than %u bytes\n", path.c_str(),
                     zu::kCopyDataMaxBytes);
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "quillorn-send: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad() || out.size() > zu::kCopyDataMaxBytes) {
        std::fprintf(stderr, "quillorn-send: cannot read %s\n", path.c_str());
        return false;
    }
    return true;
}

int Run(int argc, char** argv) {
    std::string title = "QuillornDisplay", raw;
    bool haveRaw = false;
    unsigned long long tag = 53456, timeout = 5000;
    std::vector<std::string> lines;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (options && (a == "--help" || a == "-h")) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (options && a == "--version") {
            std::printf("quillorn-send %s\n", ZU_VERSION);
            return 0;
        }
        if (options && a == "--") {
            options = false;
        } else if (options && (a == "--title" || a == "--tag" || a == "--timeout" || a == "--raw")) {
            if (i + 1 >= argc) return UsageError(a + " needs a value");
            const char* value = argv[++i];
            if (a == "--title") {
                title = value;
            } else if (a == "--tag") {
                if (!ParseNumber(value, 0xFFFFFFFFull, tag))
                    return UsageError("--tag wants a number from 0 to 4294967295");
            } else if (a == "--timeout") {
                if (!ParseNumber(value, static_cast<unsigned long long>(INT_MAX), timeout)) {
                    return UsageError("--timeout wants milliseconds from 0 to 2147483647");
                }
            } else {
                raw = value;
                haveRaw = true;
            }
        } else if (options && a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return UsageError("unknown option " + a + " (a line starting with -- goes after --)");
        } else {
            lines.push_back(a);
        }
    }
    std::vector<uint8_t> payload;
    if (haveRaw) {
        if (!lines.empty()) return UsageError("--raw takes no lines");
        if (!ReadPayload(raw, payload)) return 1;
    } else {
        if (lines.size() != 2)
            return UsageError("two lines expected, " + std::to_string(lines.size()) + " given");
        payload = Line(lines[0]);
        auto second = Line(lines[1]);
        payload.insert(payload.end(), second.begin(), second.end());
    }
    // A busy server now and then refuses a connection; try a few times before giving up.
    Display* display = nullptr;
    for (int i = 0; i < 10 && !display; ++i) {
        display = XOpenDisplay(nullptr);
        if (!display) usleep(20000);
    }
    if (!display) {
        std::fprintf(stderr, "quillorn-send: cannot open the X display (is DISPLAY set?)\n");
        return 1;
    }
    Window target = zu::FindWindowByTitle(display, title);
    long result = 0;
    auto outcome = zu::SendCopyData(display, target, static_cast<uint32_t>(tag), payload, result,
                                    static_cast<int>(timeout));
    XCloseDisplay(display);
    switch (outcome) {
        case zu::TzuSendResult::Answered: std::printf("answered %ld\n", result); return 0;
        case zu::TzuSendResult::NoWindow:
            std::fprintf(stderr, "quillorn-send: no window titled \"%s\"\n", title.c_str());
            return 1;
        case zu::TzuSendResult::TooLarge:
            std::fprintf(stderr, "quillorn-send: the payload is larger than %u bytes\n",
                         zu::kCopyDataMaxBytes);
            return 1;
        case zu::TzuSendResult::NoAnswer:
            std::fprintf(stderr, "quillorn-send: the window did not answer\n");
            return 1;
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fputs("quillorn-send: out of memory\n", stderr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillorn-send: %s\n", e.what());
    } catch (...) {
        std::fputs("quillorn-send: unexpected failure\n", stderr);
    }
    return 1;
}
