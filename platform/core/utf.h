#pragma once
// Conversions between the UTF-8 of names and value texts and the UTF-16 of user-visible
// text. Invalid sequences become U+FFFD; nothing is ever read out of bounds.

#include <string>
#include <string_view>

namespace zu {

// True when s is well-formed UTF-8 (no overlong forms, surrogates or cut-off sequences).
bool IsValidUtf8(std::string_view s);
std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);
// Windows-1252 bytes (as found in older streams) to UTF-8.
std::string AnsiToUtf8(std::string_view s);
// UTF-8 to Windows-1252; false when some character has no single-byte form.
bool Utf8ToAnsi(std::string_view s, std::string& out);

}  // namespace zu
