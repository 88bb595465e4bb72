#pragma once
// The whole scene library as one target: RegisterLibraryClasses registers every unit's
// classes once and installs the default style, which is read on the first style lookup
// that falls through to it.

#include <string_view>

namespace zu {

void RegisterLibraryClasses();
// The default style's component stream as embedded in the library (binary form).
std::string_view DefaultStyleStream();

}  // namespace zu
