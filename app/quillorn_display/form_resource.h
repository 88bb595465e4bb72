#pragma once
// The "TFORM2" form resource (resources/tform2.txt), embedded in the program at build time.

#include <string_view>

namespace zu {

std::string_view Tform2Resource();

}  // namespace zu
