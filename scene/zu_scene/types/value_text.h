#pragma once
// Text forms of numbers, points and rectangles as they appear in streams and published
// string properties. The decimal separator is always "." whatever the process locale,
// so a scene saved on one machine reads the same on any other.

#include <string>
#include <string_view>

#include "scene/zu_scene/types/geometry.h"

namespace zu {

// "%.3f" when x has a fractional part (1.5 -> "1.500"), the plain integer otherwise
// (2.0 -> "2"). NaN and infinities, which no reader accepts, are written as "0".
std::string FloatToText(double x);
// Optional blanks, sign, digits with an optional "." and an optional exponent. Raises
// EzuError on anything else, including values too large for a double.
double TextToFloat(std::string_view text);
bool TryTextToFloat(std::string_view text, double& value);

// Whether FloatToText's text of x reads back as exactly x: whole numbers a single holds
// exactly (not -0, which reads back as 0).
bool IsExactInText(float x);

// "(x,y)" and "(l,t,r,b)", numbers by FloatToText.
std::string PointToText(const TzuPoint& p);
std::string RectToText(const TzuRect& r);
// The opening parenthesis is required; any unreadable number (or one beyond the range of
// a single) gives the all-zero value.
TzuPoint TextToPoint(std::string_view text);
TzuRect TextToRect(std::string_view text);

// Takes the next token from the front of text: a character in stops ends the token and
// stays in text; a character in delimiters ends it and is dropped. Token and the rest of
// text are trimmed of blanks and control characters.
std::string NextToken(std::string& text, std::string_view delimiters, std::string_view stops = {});

}  // namespace zu
