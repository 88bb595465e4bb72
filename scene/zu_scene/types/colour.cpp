#include "scene/zu_scene/types/colour.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zu {
namespace {

constexpr std::array<TzuNamedColor, 147> kNamedColors = {{
    {"Aliceblue", "#FFF0F8FF"},
    {"Antiquewhite", "#FFFAEBD7"},
    {"Aqua", "#FF00FFFF"},
    {"Aquamarine", "#FF7FFFD4"},
    {"Azure", "#FFF0FFFF"},
    {"Beige", "#FFF5F5DC"},
    {"Bisque", "#FFFFE4C4"},
    {"Black", "#FF000000"},
    {"Blanchedalmond", "#FFFFEBCD"},
    {"Blue", "#FF0000FF"},
    {"Blueviolet", "#FF8A2BE2"},
    {"Brown", "#FFA52A2A"},
    {"Burlywood", "#FFDEB887"},
    {"Cadetblue", "#FF5F9EA0"},
    {"Chartreuse", "#FF7FFF00"},
    {"Chocolate", "#FFD2691E"},
    {"Coral", "#FFFF7F50"},
    {"Cornflowerblue", "#FF6495ED"},
    {"Cornsilk", "#FFFFF8DC"},
    {"Crimson", "#FFDC143C"},
    {"Cyan", "#FF00FFFF"},
    {"Darkblue", "#FF00008B"},
    {"Darkcyan", "#FF008B8B"},
    {"Darkgoldenrod", "#FFB8860B"},
    {"Darkgray", "#FFA9A9A9"},
    {"Darkgreen", "#FF006400"},
    {"Darkgrey", "#FFA9A9A9"},
    {"Darkkhaki", "#FFBDB76B"},
    {"Darkmagenta", "#FF8B008B"},
    {"Darkolivegreen", "#FF556B2F"},
    {"Darkorange", "#FFFF8C00"},
    {"Darkorchid", "#FF9932CC"},
    {"Darkred", "#FF8B0000"},
    {"Darksalmon", "#FFE9967A"},
    {"Darkseagreen", "#FF8FBC8F"},
    {"Darkslateblue", "#FF483D8B"},
    {"Darkslategray", "#FF2F4F4F"},
    {"Darkslategrey", "#FF2F4F4F"},
    {"Darkturquoise", "#FF00CED1"},
    {"Darkviolet", "#FF9400D3"},
    {"Deeppink", "#FFFF1493"},
    {"Deepskyblue", "#FF00BFFF"},
    {"Dimgray", "#FF696969"},
    {"Dimgrey", "#FF696969"},
    {"Dodgerblue", "#FF1E90FF"},
    {"Firebrick", "#FFB22222"},
    {"Floralwhite", "#FFFFFAF0"},
    {"Forestgreen", "#FF228B22"},
    {"Fuchsia", "#FFFF00FF"},
    {"Gainsboro", "#FFDCDCDC"},
    {"Ghostwhite", "#FFF8F8FF"},
    {"Gold", "#FFFFD700"},
    {"Goldenrod", "#FFDAA520"},
    {"Gray", "#FF808080"},
    {"Green", "#FF008000"},
    {"Greenyellow", "#FFADFF2F"},
    {"Grey", "#FF808080"},
    {"Honeydew", "#FFF0FFF0"},
    {"Hotpink", "#FFFF69B4"},
    {"Indianred", "#FFCD5C5C"},
    {"Indigo", "#FF4B0082"},
    {"Ivory", "#FFFFFFF0"},
    {"Khaki", "#FFF0E68C"},
    {"Lavender", "#FFE6E6FA"},
    {"Lavenderblush", "#FFFFF0F5"},
    {"Lawngreen", "#FF7CFC00"},
    {"Lemonchiffon", "#FFFFFACD"},
    {"Lightblue", "#FFADD8E6"},
    {"Lightcoral", "#FFF08080"},
    {"Lightcyan", "#FFE0FFFF"},
    {"Lightgoldenrodyellow", "#FFFAFAD2"},
    {"Lightgray", "#FFD3D3D3"},
    {"Lightgreen", "#FF90EE90"},
    {"Lightgrey", "#FFD3D3D3"},
    {"Lightpink", "#FFFFB6C1"},
    {"Lightsalmon", "#FFFFA07A"},
    {"Lightseagreen", "#FF20B2AA"},
    {"Lightskyblue", "#FF87CEFA"},
    {"Lightslategray", "#FF778899"},
    {"Lightslategrey", "#FF778899"},
    {"Lightsteelblue", "#FFB0C4DE"},
    {"Lightyellow", "#FFFFFFE0"},
    {"Lime", "#FF00FF00"},
    {"Limegreen", "#FF32CD32"},
    {"Linen", "#FFFAF0E6"},
    {"Magenta", "#FFFF00FF"},
    {"Maroon", "#FF800000"},
    {"Mediumaquamarine", "#FF66CDAA"},
    {"Mediumblue", "#FF0000CD"},
    {"Mediumorchid", "#FFBA55D3"},
    {"Mediumpurple", "#FF9370DB"},
    {"Mediumseagreen", "#FF3CB371"},
    {"Mediumslateblue", "#FF7B68EE"},
    {"Mediumspringgreen", "#FF00FA9A"},
    {"Mediumturquoise", "#FF48D1CC"},
    {"Mediumvioletred", "#FFC71585"},
    {"Midnightblue", "#FF191970"},
    {"Mintcream", "#FFF5FFFA"},
    {"Mistyrose", "#FFFFE4E1"},
    {"Moccasin", "#FFFFE4B5"},
    {"Navajowhite", "#FFFFDEAD"},
    {"Navy", "#FF000080"},
    {"Oldlace", "#FFFDF5E6"},
    {"Olive", "#FF808000"},
    {"Olivedrab", "#FF6B8E23"},
    {"Orange", "#FFFFA500"},
    {"Orangered", "#FFFF4500"},
    {"Orchid", "#FFDA70D6"},
    {"Palegoldenrod", "#FFEEE8AA"},
    {"Palegreen", "#FF98FB98"},
    {"Paleturquoise", "#FFAFEEEE"},
    {"Palevioletred", "#FFDB7093"},
    {"Papayawhip", "#FFFFEFD5"},
    {"Peachpuff", "#FFFFDAB9"},
    {"Peru", "#FFCD853F"},
    {"Pink", "#FFFFC0CB"},
    {"Plum", "#FFDDA0DD"},
    {"Powderblue", "#FFB0E0E6"},
    {"Purple", "#FF800080"},
    {"Red", "#FFFF0000"},
    {"Rosybrown", "#FFBC8F8F"},
    {"Royalblue", "#FF4169E1"},
    {"Saddlebrown", "#FF8B4513"},
    {"Salmon", "#FFFA8072"},
    {"Sandybrown", "#FFF4A460"},
    {"Seagreen", "#FF2E8B57"},
    {"Seashell", "#FFFFF5EE"},
    {"Sienna", "#FFA0522D"},
    {"Silver", "#FFC0C0C0"},
    {"Skyblue", "#FF87CEEB"},
    {"Slateblue", "#FF6A5ACD"},
    {"Slategray", "#FF708090"},
    {"Slategrey", "#FF708090"},
    {"Snow", "#FFFFFAFA"},
    {"Springgreen", "#FF00FF7F"},
    {"Steelblue", "#FF4682B4"},
    {"Tan", "#FFD2B48C"},
    {"Teal", "#FF008080"},
    {"Thistle", "#FFD8BFD8"},
    {"Tomato", "#FFFF6347"},
    {"Turquoise", "#FF40E0D0"},
    {"Violet", "#FFEE82EE"},
    {"Wheat", "#FFF5DEB3"},
    {"White", "#FFFFFFFF"},
    {"Whitesmoke", "#FFF5F5F5"},
    {"Yellow", "#FFFFFF00"},
    {"Yellowgreen", "#FF9ACD32"},
}};

TzuColor Channels(int a, int r, int g, int b) {
    return MakeColor(uint8_t(r), uint8_t(g), uint8_t(b), uint8_t(a));
}

// Rounds to nearest (ties to even, the default rounding mode) and saturates; NaN gives 0.
uint8_t UnitToByte(double v) {
    v *= 255;
    if (!(v > 0)) return 0;
    if (v >= 255) return 255;
    return uint8_t(std::nearbyint(v));
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

int CompareNoCase(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        char x = LowerAscii(a[i]), y = LowerAscii(b[i]);
        if (x != y) return (unsigned char)x < (unsigned char)y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Hex digits only, value must fit 32 bits (leading zeros are harmless).
bool ParseHex(std::string_view s, TzuColor& out) {
    if (s.empty()) return false;
    uint64_t v = 0;
    for (char c : s) {
        int d = HexDigit(c);
        if (d < 0) return false;
        v = v * 16 + uint64_t(d);
        if (v > 0xFFFFFFFFu) return false;
    }
    out = TzuColor(v);
    return true;
}

// Signed decimal; negative values are taken as their 32-bit two's complement.
bool ParseDecimal(std::string_view s, TzuColor& out) {
    bool negative = false;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return false;
    uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + uint64_t(c - '0');
        if (v > 0xFFFFFFFFu) return false;
    }
    if (negative) {
        if (v > 0x80000000u) return false;
        v = (~v + 1) & 0xFFFFFFFFu;
    }
    out = TzuColor(v);
    return true;
}

}  // namespace

TzuColor ColorWithOpacity(TzuColor color, float opacity) {
    if (opacity >= 1) return color;
    if (!(opacity > 0)) return color & 0x00FFFFFFu;
    auto alpha = uint32_t(double(opacity) * ColorAlpha(color));
    return (color & 0x00FFFFFFu) | alpha << 24;
}

TzuColor PremultiplyColor(TzuColor color) {
    int a = ColorAlpha(color);
    if (a == 0) return 0;
    if (a == 255) return color;
    return Channels(a, ColorRed(color) * a / 255, ColorGreen(color) * a / 255, ColorBlue(color) * a / 255);
}

TzuColor UnpremultiplyColor(TzuColor color) {
    int a = ColorAlpha(color);
    if (a == 0) return 0;
    if (a == 255) return color;
    auto channel = [a](int c) { return std::min(255, c * 255 / a); };
    return Channels(a, channel(ColorRed(color)), channel(ColorGreen(color)), channel(ColorBlue(color)));
}

TzuColor InterpolateColor(TzuColor c1, TzuColor c2, float t) {
    if (std::isnan(t)) return c1;
    TzuColor result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        int a = int(c1 >> shift & 0xFF), b = int(c2 >> shift & 0xFF);
        double step = std::clamp(double(t) * (b - a), -255.0, 255.0);
        int v = std::clamp(a + int(step), 0, 255);
        result |= TzuColor(v) << shift;
    }
    return result;
}

void RGBToHSL(TzuColor color, float& h, float& s, float& l) {
    double r = ColorRed(color) / 255.0, g = ColorGreen(color) / 255.0, b = ColorBlue(color) / 255.0;
    double mx = std::max({r, g, b}), mn = std::min({r, g, b});
    double lum = (mx + mn) / 2;
    l = float(lum);
    if (mx == mn) {
        h = 0;
        s = 0;
        return;
    }
    double d = mx - mn;
    s = float(lum >= 0.5 ? d / (2 - mx - mn) : d / (mx + mn));
    double hue;
    if (mx == r)
        hue = (g - b) / d;
    else if (mx != g)
        hue = (r - g) / d + 4;
    else
        hue = (b - r) / d + 2;
    hue /= 6;
    if (hue < 0) hue += 1;
    h = float(hue);
}

TzuColor HSLToRGB(float h, float s, float l) {
    if (s == 0) {
        uint8_t v = UnitToByte(l);
        return MakeColor(v, v, v);
    }
    double q = l <= 0.5 ? double(l) * (1 + double(s)) : double(l) + s - double(l) * s;
    double p = 2 * double(l) - q;
    auto hue = [p, q](double t) {
        t -= std::floor(t);
        if (6 * t < 1) return p + (q - p) * 6 * t;
        if (2 * t < 1) return q;
        if (3 * t < 2) return p + (q - p) * (2.0 / 3 - t) * 6;
        return p;
    };
    return MakeColor(UnitToByte(hue(h + 1.0 / 3)), UnitToByte(hue(h)), UnitToByte(hue(h - 1.0 / 3)));
}

TzuColor ChangeHSL(TzuColor color, float dh, float ds, float dl) {
    float h, s, l;
    RGBToHSL(color, h, s, l);
    auto clampUnit = [](float v) { return v > 0 ? std::min(v, 1.0f) : 0.0f; };  // NaN -> 0
    TzuColor rgb = HSLToRGB(clampUnit(h + dh), clampUnit(s + ds), clampUnit(l + dl));
    return (rgb & 0x00FFFFFFu) | (color & 0xFF000000u);
}

std::span<const TzuNamedColor> NamedColors() { return kNamedColors; }

std::string ColorToText(TzuColor color) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text(9, '#');
    for (int i = 0; i < 8; ++i) text[8 - i] = kHex[color >> (4 * i) & 0xF];
    return text;
}

TzuColor TextToColor(std::string_view text) {
    TzuColor result = 0;
    if (text.empty()) return 0;
    if (text[0] == '#' || text[0] == '$') return ParseHex(text.substr(1), result) ? result : 0;
    auto it = std::lower_bound(
        kNamedColors.begin(), kNamedColors.end(), text,
        [](const TzuNamedColor& e, std::string_view t) { return CompareNoCase(e.name, t) < 0; });
    if (it != kNamedColors.end() && CompareNoCase(it->name, text) == 0) {
        ParseHex(std::string_view(it->text).substr(1), result);
        return result;
    }
    return ParseDecimal(text, result) ? result : 0;
}

}  // namespace zu
