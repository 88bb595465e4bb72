#pragma once
// Path data in the grammar of SVG's "d" attribute, as icon files write it: every command
// (quadratic curves raised to cubic ones, smooth curves reflecting the previous control
// point, elliptical arcs), numbers like ".5", "1.5.5" and "1e-3", arc flags without
// separators and implicit repetition of every command.

#include <string>
#include <string_view>

namespace zu {

class TzuPathData;

// Appends the path text describes to path. The first thing that cannot be read ends the
// parse; what was read before it stays, as SVG renders a path up to its first error.
// True when the whole text was read.
bool ParseSvgPath(std::string_view text, TzuPathData& path);

// The canonical SVG text of path: absolute moves, lines, cubic curves and closes, each
// number in the shortest form that reads back to the same single.
std::string SvgPathText(const TzuPathData& path);

}  // namespace zu
