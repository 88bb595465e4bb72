#include "scene/zu_lists/type_ahead.h"

#include <algorithm>

#include "platform/core/clock.h"

namespace zu {

namespace {
constexpr int64_t kTypeAheadMs = 1000;

char16_t Fold(char16_t c) {
    if (c >= u'A' && c <= u'Z') return char16_t(c + 32);
    // Latin-1 capitals; enough for the common European texts.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return char16_t(c + 32);
    return c;
}

bool StartsWithFolded(const std::u16string& text, const std::u16string& prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (Fold(text[i]) != Fold(prefix[i])) return false;
    return true;
}
}  // namespace

bool TzuTypeAhead::Active() const { return !m_typed.empty() && TickCount() - m_at <= kTypeAheadMs; }

int TzuTypeAhead::Search(int from, int count, const std::function<const std::u16string*(int)>& text) const {
    for (int k = 0; k < count; ++k) {
        const int i = ((from + k) % count + count) % count;
        const std::u16string* t = text(i);
        if (t && StartsWithFolded(*t, m_typed)) return i;
    }
    return -1;
}

int TzuTypeAhead::Type(char16_t c, int count, int current,
                       const std::function<const std::u16string*(int)>& text) {
    if (count <= 0) return -1;
    const int64_t now = TickCount();
    if (now - m_at > kTypeAheadMs) m_typed.clear();
    m_at = now;
    m_typed += c;
    const int found = Search(m_typed.size() > 1 ? std::max(0, current) : current + 1, count, text);
    if (found >= 0) return found;
    // One letter repeated steps through the items that start with it.
    if (m_typed.size() > 1 &&
        std::all_of(m_typed.begin(), m_typed.end(), [&](char16_t x) { return Fold(x) == Fold(c); })) {
        m_typed = std::u16string(1, c);
        return Search(current + 1, count, text);
    }
    return -1;
}

}  // namespace zu
