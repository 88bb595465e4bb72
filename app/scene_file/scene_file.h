#pragma once
// Loading a scene stream file for the programs that show one: the file's bytes (binary or
// text form) become a scene under a form, either the scene the stream describes or a new
// scene holding the scene object it describes. The form owns what is loaded.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/form.h"
#include "platform/core/window.h"

namespace zu {

class TzuCustomScene;

// Sides of a frame a program makes: from 1 to 16384 pixels, at most 2^25 pixels in all
// (128 MiB at four bytes a pixel).
inline constexpr int kMaxFrameSide = 16384;
inline constexpr int64_t kMaxFramePixels = int64_t(1) << 25;
bool FrameSizeAllowed(int width, int height);
// Parses "WxH" within the limits above.
bool ParseFrameSize(const std::string& text, int& width, int& height);

// Device pixels per scene pixel a program may be asked for: a whole number from 1 to 4,
// as desktops scale (the frame's limits above apply to its device pixels).
inline constexpr int kMaxScale = 4;
// Parses a whole number within 1..kMaxScale.
bool ParseScale(const std::string& text, int& scale);
// The one-line complaint about a bad --scale value.
std::string ScaleError();

// Reads a whole file; false with the reason in error (no such file, a directory, ...).
bool ReadSceneFile(const std::string& path, std::vector<uint8_t>& data, std::string& error);

// Loads data under form and returns the scene that shows it; size is the frame size the
// stream asks for (a scene's own size, or a scene object's rounded up and clamped to the
// side limit). Properties the stream cannot apply go to onSkip and are skipped. Raises
// EzuError when the stream does not load. A scene object loses its names as a loaded
// object does, unless keepNames (a designer saves them back).
TzuCustomScene* LoadSceneFile(TzuForm& form, const std::vector<uint8_t>& data, TzuWinPoint& size,
                              const std::function<void(const std::string&)>& onSkip, bool keepNames = false);

}  // namespace zu
