#pragma once
// Turns the bytes another program hands over in a drop into file names and text. Dropped
// data is outside input: junk lines, remote or non-file URIs, names that are not valid
// text and invalid UTF-8 are left out, so a drop delivers what is valid or nothing.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/window.h"

namespace zu {

// The decoded drop of a selection of the given target type ("text/uri-list", or one of the
// text types). Nullopt when nothing valid is in it.
std::optional<TzuDropData> DecodeDropData(std::string_view type, std::string_view bytes);

// The local file names of a text/uri-list ("file:" URIs on this host), in list order.
std::vector<std::u16string> DecodeUriList(std::string_view bytes);

// UTF-8 text up to its first NUL; nullopt when it is not valid UTF-8.
std::optional<std::u16string> DecodeDropText(std::string_view bytes);

}  // namespace zu
