#include "platform/core/utf.h"

#include <cstdint>

namespace zu {

namespace {
// Code points of Windows-1252 bytes 0x80..0x9F; 0 marks the five undefined bytes.
const char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                  0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i] into cp; advances i. False for a malformed sequence
// (cp is then U+FFFD): overlong forms, surrogates, values past U+10FFFF, cut-off tails.
bool DecodeUtf8(std::string_view s, size_t& i, char32_t& cp) {
    const auto b = static_cast<unsigned char>(s[i++]);
    cp = b;
    if (b < 0x80) return true;
    int extra;
    char32_t min;
    if ((b & 0xE0) == 0xC0) {
        extra = 1;
        cp = b & 0x1F;
        min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2;
        cp = b & 0x0F;
        min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3;
        cp = b & 0x07;
        min = 0x10000;
    } else {
        cp = 0xFFFD;
        return false;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            cp = 0xFFFD;
            return false;
        }
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = 0xFFFD;
        return false;
    }
    return true;
}
}  // namespace

bool IsValidUtf8(std::string_view s) {
    char32_t cp;
    for (size_t i = 0; i < s.size();) {
        if (!DecodeUtf8(s, i, cp)) return false;
    }
    return true;
}

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        char32_t cp;
        DecodeUtf8(s, i, cp);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

std::string AnsiToUtf8(std::string_view s) {
    // Names and most stored texts are plain ASCII, which is the same in both encodings.
    bool ascii = true;
    for (char c : s) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return std::string(s);
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        auto b = static_cast<unsigned char>(c);
        char32_t cp = b;
        if (b >= 0x80 && b < 0xA0) cp = kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : 0xFFFD;
        AppendUtf8(out, cp);
    }
    return out;
}

bool Utf8ToAnsi(std::string_view s, std::string& out) {
    out.clear();
    bool exact = true;
    for (size_t i = 0; i < s.size();) {
        char32_t cp;
        DecodeUtf8(s, i, cp);
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        int found = -1;
        for (int k = 0; k < 32; ++k) {
            if (kCp1252High[k] && kCp1252High[k] == cp) found = k;
        }
        if (found >= 0) {
            out += static_cast<char>(0x80 + found);
        } else {
            out += '?';
            exact = false;
        }
    }
    return exact;
}

}  // namespace zu
