#pragma once
// The text form of the component stream and its conversion to and from the binary form.
// The two conversions are exact inverses on every text the binary-to-text conversion
// produces; both raise EzuError with a clear message on malformed input.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zu {

// Converts one binary root record (signature included) to text. Raises on malformed
// data, on a tag above 20 ("Error reading <object>.<property>: ...") and on values the
// text form cannot carry (non-finite floats, names that are no identifiers).
std::string ObjectBinaryToText(std::span<const uint8_t> binary);

// Converts the text form to a binary root record. Raises "Syntax error at line N: ..."
// on anything that is not well-formed.
std::vector<uint8_t> ObjectTextToBinary(std::string_view text);

// Shortest text that reads back to the same double, always with a decimal point or an
// exponent so that it reads back as a float and not an integer.
std::string StreamFloatText(double value);

}  // namespace zu
