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

#include "app/quillorn_display/display_protocol.h"
#include "platform/core/utf.h"
#include "platform/x11/copy_data.h"

namespace {

std::string Usage() {
    char text[1024];
    std::snprintf(text, sizeof text,
                  "usage: quillorn-send [--title TITLE] [--tag N] [--timeout MS] [--] LINE1 LINE2\n"
                  "       quillorn-send [--title TITLE] [--tag N] [--timeout MS] --raw FILE\n"
                  "       quillorn-send --help | --version\n"
                  "Sends two lines (each padded with blanks or cut to %d UTF-16 units) to the window\n"
                  "titled TITLE (default \"%s\"), or the bytes of FILE unchanged (at most\n"
                  "%u). N is the message tag, 0 to 4294967295 (default %u); MS the time to wait\n"
                  "for the answer, 0 to 2147483647 milliseconds (default 5000).\n"
                  "Exit status: 0 when the window answered; 1 when FILE cannot be read, the display\n"
                  "cannot be opened, no window has that title or it did not answer in time; 2 usage error.\n",
                  zu::kDisplayLineUnits, zu::kDisplayTitle, zu::kCopyDataMaxBytes, zu::kDisplayCopyDataTag);
    return text;
}

// One line and the usage on standard error; the caller exits 2.
int UsageError(const std::string& line) {
    std::fprintf(stderr, "quillorn-send: %s\n%s", line.c_str(), Usage().c_str());
    return 2;
}

std::vector<uint8_t> Line(const std::string& text) {
    std::u16string w = zu::Utf8ToUtf16(text);
    w.resize(zu::kDisplayLineUnits, u' ');
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

struct TzuSendOptions {
    std::string title = zu::kDisplayTitle;
    unsigned long long tag = zu::kDisplayCopyDataTag;
    unsigned long long timeout = 5000;
    std::string raw;
    bool haveRaw = false;
    std::vector<std::string> lines;
};

// Reads the command line into o. -1 when the program goes on; otherwise the exit status
// (0 after --help or --version, 2 after a usage error, both already reported).
int ParseOptions(int argc, char** argv, TzuSendOptions& o) {
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (options && (a == "--help" || a == "-h")) {
            std::fputs(Usage().c_str(), stdout);
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
                o.title = value;
            } else if (a == "--tag") {
                if (!ParseNumber(value, 0xFFFFFFFFull, o.tag)) {
                    return UsageError("--tag wants a number from 0 to 4294967295");
                }
            } else if (a == "--timeout") {
                if (!ParseNumber(value, static_cast<unsigned long long>(INT_MAX), o.timeout)) {
                    return UsageError("--timeout wants milliseconds from 0 to 2147483647");
                }
            } else {
                o.raw = value;
                o.haveRaw = true;
            }
        } else if (options && a.size() > 1 && a[0] == '-' && a[1] == '-') {
            return UsageError("unknown option " + a + " (a line starting with -- goes after --)");
        } else {
            o.lines.push_back(a);
        }
    }
    if (o.haveRaw && !o.lines.empty()) return UsageError("--raw takes no lines");
    if (!o.haveRaw && o.lines.size() != 2) {
        return UsageError("two lines expected, " + std::to_string(o.lines.size()) + " given");
    }
    return -1;
}

// Sends payload to the window titled title and reports the outcome; the exit status.
int Send(const TzuSendOptions& o, const std::vector<uint8_t>& payload) {
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
    Window target = zu::FindWindowByTitle(display, o.title);
    long result = 0;
    auto outcome = zu::SendCopyData(display, target, static_cast<uint32_t>(o.tag), payload, result,
                                    static_cast<int>(o.timeout));
    XCloseDisplay(display);
    switch (outcome) {
        case zu::TzuSendResult::Answered: std::printf("answered %ld\n", result); return 0;
        case zu::TzuSendResult::NoWindow:
            std::fprintf(stderr, "quillorn-send: no window titled \"%s\"\n", o.title.c_str());
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

int Run(int argc, char** argv) {
    TzuSendOptions o;
    if (int status = ParseOptions(argc, argv, o); status >= 0) return status;
    std::vector<uint8_t> payload;
    if (o.haveRaw) {
        if (!ReadPayload(o.raw, payload)) return 1;
    } else {
        payload = Line(o.lines[0]);
        auto second = Line(o.lines[1]);
        payload.insert(payload.end(), second.begin(), second.end());
    }
    return Send(o, payload);
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
