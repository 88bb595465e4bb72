#pragma once
// Off-screen preview of the display: makes the form on the headless platform with the given
// parameters, paints its first frame and writes it as an image file.

#include <string>
#include <vector>

namespace zu {

// Returns the process exit status: 0 when the image was written, 1 otherwise. Parameter
// errors are reported on standard error and the frame is rendered anyway.
int RunSnapshot(const std::string& fileName, std::vector<std::string> params);

}  // namespace zu
