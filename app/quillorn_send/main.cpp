// quillorn-send: hands two lines of text (or an exact payload) to a running display window
// and reports whether it answered.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include "platform/core/utf.h"
#include "platform/x11/copy_data.h"

namespace {

void Usage(FILE* out) {
    std::fputs(
        "usage: quillorn-send [--title TITLE] [--tag N] [--timeout MS] LINE1 LINE2\n"
        "       quillorn-send [--title TITLE] [--tag N] [--timeout MS] --raw FILE\n"
        "Sends two lines (each padded with blanks or cut to 20 UTF-16 units) to the window\n"
        "titled TITLE (default \"QuillornDisplay\"), or the bytes of FILE unchanged.\n"
        "Exit status: 0 when the window answered, 1 when no window has that title or it did\n"
        "not answer in time, 2 on bad usage.\n",
        out);
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

bool ParseNumber(const char* text, long& out) {
    char* end = nullptr;
    out = std::strtol(text, &end, 0);
    return end && *end == 0 && end != text;
}

}  // namespace

int main(int argc, char** argv) {
    std::string title = "QuillornDisplay", raw;
    long tag = 53456, timeout = 5000;
    std::vector<std::string> lines;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "quillorn-send: %s needs a value\n", name);
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--help" || a == "-h") {
            Usage(stdout);
            return 0;
        } else if (a == "--title") {
            title = value("--title");
        } else if (a == "--tag") {
            if (!ParseNumber(value("--tag"), tag)) {
                std::fprintf(stderr, "quillorn-send: --tag needs a number\n");
                return 2;
            }
        } else if (a == "--timeout") {
            if (!ParseNumber(value("--timeout"), timeout) || timeout < 0) {
                std::fprintf(stderr, "quillorn-send: --timeout needs a number of milliseconds\n");
                return 2;
            }
        } else if (a == "--raw") {
            raw = value("--raw");
        } else {
            lines.push_back(a);
        }
    }
    std::vector<uint8_t> payload;
    if (!raw.empty()) {
        if (!lines.empty()) {
            Usage(stderr);
            return 2;
        }
        std::ifstream in(raw, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "quillorn-send: cannot read %s\n", raw.c_str());
            return 2;
        }
        payload.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
        if (lines.size() != 2) {
            Usage(stderr);
            return 2;
        }
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
        case zu::TzuSendResult::Answered:
            std::printf("answered %ld\n", result);
            return 0;
        case zu::TzuSendResult::NoWindow:
            std::fprintf(stderr, "quillorn-send: no window titled \"%s\"\n", title.c_str());
            return 1;
        case zu::TzuSendResult::TooLarge:
            std::fprintf(stderr, "quillorn-send: the payload is too large\n");
            return 2;
        case zu::TzuSendResult::NoAnswer:
            std::fprintf(stderr, "quillorn-send: the window did not answer\n");
            return 1;
    }
    return 1;
}
