#include "app/quillorn_display/parameters.h"

#include "platform/core/persistent.h"

namespace zu {

const std::string& TzuParameters::Fetch(int index) const {
    if (index < 1 || index > Count()) {
        throw EzuError("Parameter N\"" + std::to_string(index) + "\" not found!");
    }
    return m_values[static_cast<size_t>(index - 1)];
}

int32_t TzuParameters::FetchInt(int index) const { return StrToInt(Fetch(index)); }

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool TryStrToInt(std::string_view text, int32_t& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return false;
    uint64_t magnitude = 0;
    // Hexadecimal spells a 32-bit pattern; decimal a signed value, one further when negative.
    const uint64_t limit = hex ? 0xFFFFFFFFu : (negative ? 0x80000000u : 0x7FFFFFFFu);
    for (; i < text.size(); ++i) {
        const int digit = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
        if (digit < 0) return false;
        magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (magnitude > limit) return false;
    }
    const auto bits = static_cast<uint32_t>(magnitude);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
}

int32_t StrToInt(std::string_view text) {
    int32_t value = 0;
    if (!TryStrToInt(text, value)) throw EzuError("'" + std::string(text) + "' is not a valid integer value");
    return value;
}

}  // namespace zu
