#pragma once
// Golden-image comparison for pixel tests. References live in tests/golden/<name>.png;
// UPDATE_GOLDENS=1 rewrites them from the actual pixels. On a mismatch the actual image
// and a difference image (red where a channel differs by more than the tolerance) are
// written beside the reference as <name>.actual.png and <name>.diff.png.
// Linking golden.cpp also pins the fonts to tests/fonts.conf and installs the Cairo
// backend before any test runs.

#include <gtest/gtest.h>

#include <string>

#include "scene/zu_scene/graphics/bitmap.h"

namespace zu::test {

::testing::AssertionResult MatchesGolden(const TzuBitmap& actual, const std::string& name, int tolerance = 2);

}  // namespace zu::test
