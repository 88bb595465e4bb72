#pragma once
// The process-wide Pango font map of the Cairo canvases, with the fonts the program loaded
// from memory. The fonts stay private to the process: each lives in an anonymous memory
// file added to a fontconfig configuration of the font map's own. Lives until exit.

#include <cstdint>
#include <span>
#include <string>

#include <pango/pango.h>

namespace zu {

PangoFontMap* CanvasFontMap();
// True when a family of that name (ASCII case-insensitive) is installed or loaded.
bool FontFamilyAvailable(const std::string& family);
// Adds the fonts in data; false when it holds none.
bool AddPrivateFont(std::span<const uint8_t> data);

}  // namespace zu
