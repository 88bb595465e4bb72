#include "scene/zu_scene/graphics/text_cursor.h"

#include <algorithm>

namespace zu {

namespace {

TzuCursorStopsHook g_hook = nullptr;

// How far around a position a step looks. A cluster longer than this (a base with dozens
// of marks) is stepped through in pieces rather than costing a scan of the whole text.
constexpr int kWindow = 48;

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Marks that attach to the character before them: combining diacritics, variation
// selectors, the zero-width joiner and the combining half marks.
bool IsCombining(char16_t c) {
    return (c >= 0x0300 && c <= 0x036F) || (c >= 0x1AB0 && c <= 0x1AFF) || (c >= 0x1DC0 && c <= 0x1DFF) ||
           (c >= 0x20D0 && c <= 0x20FF) || (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xFE20 && c <= 0xFE2F) ||
           c == 0x200D;
}

void BuiltInStops(std::u16string_view text, std::vector<uint8_t>& stops) {
    const size_t n = text.size();
    stops.assign(n + 1, 1);
    for (size_t i = 1; i < n; ++i) {
        const char16_t c = text[i];
        if ((IsLowSurrogate(c) && IsHighSurrogate(text[i - 1])) || IsCombining(c)) stops[i] = 0;
    }
}

void StopsOf(std::u16string_view text, std::vector<uint8_t>& stops) {
    if (g_hook)
        g_hook(text, stops);
    else
        BuiltInStops(text, stops);
    // Whatever the hook says, the ends are stops and a pair is never split.
    stops.resize(text.size() + 1, 1);
    stops.front() = 1;
    stops.back() = 1;
    for (size_t i = 1; i < text.size(); ++i) {
        if (IsLowSurrogate(text[i]) && IsHighSurrogate(text[i - 1])) stops[i] = 0;
    }
}

// A window start at or before pos that does not cut a surrogate pair.
int WindowStart(std::u16string_view text, int pos) {
    int start = std::max(0, pos - kWindow);
    if (start > 0 && IsLowSurrogate(text[size_t(start)])) --start;
    return start;
}

int WindowEnd(std::u16string_view text, int pos) {
    const int n = int(text.size());
    int end = std::min(n, pos + kWindow);
    if (end < n && IsLowSurrogate(text[size_t(end)])) ++end;
    return end;
}

}  // namespace

void SetCursorStopsHook(TzuCursorStopsHook hook) { g_hook = hook; }
TzuCursorStopsHook CursorStopsHook() { return g_hook; }

std::vector<uint8_t> CursorStops(std::u16string_view text) {
    std::vector<uint8_t> stops;
    StopsOf(text, stops);
    return stops;
}

int NextCursorPos(std::u16string_view text, int pos) {
    const int n = int(text.size());
    pos = std::clamp(pos, 0, n);
    if (pos >= n) return n;
    const int start = WindowStart(text, pos), end = WindowEnd(text, pos + 1);
    std::vector<uint8_t> stops;
    StopsOf(text.substr(size_t(start), size_t(end - start)), stops);
    for (int i = pos + 1; i < end; ++i) {
        if (stops[size_t(i - start)]) return i;
    }
    return end;
}

int PrevCursorPos(std::u16string_view text, int pos) {
    const int n = int(text.size());
    pos = std::clamp(pos, 0, n);
    if (pos <= 0) return 0;
    const int start = WindowStart(text, pos - 1), end = WindowEnd(text, pos);
    std::vector<uint8_t> stops;
    StopsOf(text.substr(size_t(start), size_t(end - start)), stops);
    for (int i = pos - 1; i > start; --i) {
        if (stops[size_t(i - start)]) return i;
    }
    return start;
}

int CursorPosAtOrBefore(std::u16string_view text, int pos) {
    const int n = int(text.size());
    pos = std::clamp(pos, 0, n);
    if (pos == 0 || pos == n) return pos;
    return PrevCursorPos(text, pos + 1);
}

}  // namespace zu
