#include "backend/zu_canvas_cairo/cursor_stops.h"

#include <string>

#include <pango/pango.h>

namespace zu {

void PangoCursorStops(std::u16string_view text, std::vector<uint8_t>& stops) {
    const size_t n = text.size();
    stops.assign(n + 1, 1);
    if (n < 2) return;
    // UTF-8 for Pango, remembering the UTF-16 index each character starts at. A lone
    // surrogate becomes U+FFFD, one character as it is one unit.
    std::string utf8;
    utf8.reserve(n * 3);
    std::vector<size_t> unitOf;
    unitOf.reserve(n + 1);
    for (size_t i = 0; i < n; ++i) {
        unitOf.push_back(i);
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < n && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            stops[++i] = 0;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        char buf[6];
        const int len = g_unichar_to_utf8(gunichar(c), buf);
        utf8.append(buf, size_t(len));
    }
    unitOf.push_back(n);
    std::vector<PangoLogAttr> attrs(unitOf.size());
    pango_get_log_attrs(utf8.data(), int(utf8.size()), -1, pango_language_get_default(), attrs.data(),
                        int(attrs.size()));
    for (size_t k = 1; k + 1 < unitOf.size(); ++k) stops[unitOf[k]] = attrs[k].is_cursor_position ? 1 : 0;
}

}  // namespace zu
