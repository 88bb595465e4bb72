#pragma once
// Off-screen preview of the display: makes the form on the headless platform with the given
// parameters, paints its first frame and writes it as an image file.

#include <cstdint>
#include <string>
#include <vector>

namespace zu {

// The largest frame a snapshot renders: 128 MiB of pixels.
inline constexpr int64_t kMaxSnapshotPixels = int64_t(1) << 25;

// Returns the process exit status: 0 when the image was written, 1 otherwise (a frame
// above kMaxSnapshotPixels included). Parameter errors are reported on standard error and
// the frame is rendered anyway. lines, when given (UTF-8), are shown as a message would
// show them, so a look can be checked with the text it will carry.
int RunSnapshot(const std::string& fileName, std::vector<std::string> params,
                const std::vector<std::string>& lines = {});

}  // namespace zu
