#include "backend/zu_canvas_cairo/font_map.h"

#include <set>

#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>
#include <sys/mman.h>
#include <unistd.h>

#include "platform/core/persistent.h"

namespace zu {

namespace {

struct FontMapState {
    PangoFontMap* map = nullptr;
    FcConfig* privateConfig = nullptr;  // made on the first font loaded from memory
    std::set<std::string> families;     // lower-case names
    bool familiesKnown = false;
};

FontMapState& State() {
    static FontMapState state;
    return state;
}

std::string Lower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return s;
}

void ListFamilies(FontMapState& s) {
    s.families.clear();
    PangoFontFamily** families = nullptr;
    int count = 0;
    pango_font_map_list_families(s.map, &families, &count);
    for (int i = 0; i < count; ++i) s.families.insert(Lower(pango_font_family_get_name(families[i])));
    g_free(families);
    s.familiesKnown = true;
}

}  // namespace

PangoFontMap* CanvasFontMap() {
    FontMapState& s = State();
    if (!s.map) s.map = pango_cairo_font_map_new();
    return s.map;
}

bool FontFamilyAvailable(const std::string& family) {
    FontMapState& s = State();
    CanvasFontMap();
    if (!s.familiesKnown) ListFamilies(s);
    return s.families.count(Lower(family)) != 0;
}

bool AddPrivateFont(std::span<const uint8_t> data) {
    if (data.empty()) return false;
    FontMapState& s = State();
    PangoFontMap* map = CanvasFontMap();
    if (!PANGO_IS_FC_FONT_MAP(map)) return false;
    // Cairo opens font files lazily, long after they were added: the file must stay. A
    // memory file needs no clean-up and is seen by no other process.
    const int fd = memfd_create("zu-font", MFD_CLOEXEC);
    if (fd < 0) return false;
    size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = write(fd, data.data() + written, data.size() - written);
        if (n <= 0) {
            close(fd);
            return false;
        }
        written += size_t(n);
    }
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (!s.privateConfig) {
        s.privateConfig = FcInitLoadConfigAndFonts();
        if (!s.privateConfig) {
            close(fd);
            return false;
        }
    }
    if (!FcConfigAppFontAddFile(s.privateConfig, reinterpret_cast<const FcChar8*>(path.c_str()))) {
        close(fd);
        return false;
    }
    // The font map re-reads the configuration and drops its caches.
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(map), s.privateConfig);
    pango_fc_font_map_config_changed(PANGO_FC_FONT_MAP(map));
    ListFamilies(s);
    return true;
}

}  // namespace zu
