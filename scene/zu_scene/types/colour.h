#pragma once
// Colours are 0xAARRGGBB values, straight (not premultiplied) alpha except where a function
// says otherwise; in memory the bytes are B, G, R, A like a bitmap pixel. Colour properties
// are published as text ("#AARRGGBB" or a colour name), converted here.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zu {

using TzuColor = uint32_t;

constexpr TzuColor MakeColor(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 0xFF) {
    return TzuColor(a) << 24 | TzuColor(r) << 16 | TzuColor(g) << 8 | TzuColor(b);
}
constexpr uint8_t ColorAlpha(TzuColor c) { return uint8_t(c >> 24); }
constexpr uint8_t ColorRed(TzuColor c) { return uint8_t(c >> 16); }
constexpr uint8_t ColorGreen(TzuColor c) { return uint8_t(c >> 8); }
constexpr uint8_t ColorBlue(TzuColor c) { return uint8_t(c); }

// Scales the alpha by opacity (clamped to [0, 1]), truncating; RGB is untouched.
TzuColor ColorWithOpacity(TzuColor color, float opacity);
TzuColor PremultiplyColor(TzuColor color);
// Inverse of PremultiplyColor; a channel above alpha (not a valid premultiplied value)
// saturates at 255.
TzuColor UnpremultiplyColor(TzuColor color);
// Per channel c1 + Trunc(t * (c2 - c1)), saturated to 0..255 so that easing curves which
// overshoot [0, 1] never wrap a channel around.
TzuColor InterpolateColor(TzuColor c1, TzuColor c2, float t);

// H, S, L in [0, 1]; alpha ignored.
void RGBToHSL(TzuColor color, float& h, float& s, float& l);
// Opaque result; channels round to nearest, ties to even.
TzuColor HSLToRGB(float h, float s, float l);
// Shifts H, S, L by the deltas, clamping each to [0, 1]; keeps the colour's alpha.
TzuColor ChangeHSL(TzuColor color, float dh, float ds, float dl);

struct TzuNamedColor {
    const char* name;  // "Aliceblue": one initial capital
    const char* text;  // "#FFF0F8FF"
};
// The 147 web colour keywords in alphabetical order, gray and grey spellings both present.
std::span<const TzuNamedColor> NamedColors();

// "#" and eight upper-case hex digits.
std::string ColorToText(TzuColor color);
// Accepts "#" + up to eight hex digits (taken as the number they denote, "#FF0000" is
// transparent), a colour name in any case, or a plain integer ("$" prefix for hex).
// Anything else yields 0: colour text comes from streams and users, and a bad one must
// not stop a load.
TzuColor TextToColor(std::string_view text);

}  // namespace zu
