// Path data taken from the SVG icons the system installs, read through SvgData and filled,
// against what the system's own SVG renderer draws of the same files. Only icons made of
// plain filled paths on a 16 x 16 view box are used, so that both drawings mean the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "backend/zu_canvas_cairo/canvas_cairo.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/path_data.h"
#include "tests/zu_canvas_cairo/golden.h"

namespace zu {
namespace {

namespace fs = std::filesystem;

constexpr int kScale = 4, kSide = 16 * kScale;
const char* const kIconDir = "/usr/share/icons/Adwaita/scalable";

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The "d" texts of an icon made of plain filled paths only, or none.
std::vector<std::string> PlainPaths(std::string svg) {
    const bool viewBox = svg.find("viewBox=") != std::string::npos;
    const bool box16 = viewBox ? svg.find("viewBox=\"0 0 16 16\"") != std::string::npos
                               : svg.find("width=\"16\" height=\"16\"") != std::string::npos;
    if (!box16) return {};
    // Style attributes that only set text properties change nothing for a filled path.
    static const std::regex textStyle(R"( style="[^"]*")");
    std::string plain;
    std::sregex_iterator it(svg.begin(), svg.end(), textStyle), end;
    size_t from = 0;
    for (; it != end; ++it) {
        const std::string value = it->str();
        if (value.find("fill") != std::string::npos || value.find("opacity") != std::string::npos ||
            value.find("display") != std::string::npos || value.find("stroke") != std::string::npos ||
            value.find("visibility") != std::string::npos) {
            continue;
        }
        plain.append(svg, from, size_t(it->position()) - from);
        from = size_t(it->position() + it->length());
    }
    plain.append(svg, from, std::string::npos);
    svg = std::move(plain);
    for (const char* unwanted :
         {"transform", "opacity",   "<rect",         "<circle", "<ellipse", "<use",     "clip",
          "mask",      "fill-rule", "stroke",        "style",   "class",    "<polygon", "<line",
          "<image",    "<defs",     "fill=\"none\"", "<text",   "gradient", "display"}) {
        if (svg.find(unwanted) != std::string::npos) return {};
    }
    std::vector<std::string> paths;
    static const std::regex d("<path[^>]*\\sd=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), d); it != std::sregex_iterator(); ++it) {
        paths.push_back((*it)[1].str());
    }
    return paths;
}

TEST(SvgIconPixels, IconPathsFillAsTheSystemRendererDrawsThem) {
    if (std::system("command -v rsvg-convert > /dev/null 2>&1") != 0 || !fs::is_directory(kIconDir)) {
        GTEST_SKIP() << "rsvg-convert or the Adwaita icons are not installed";
    }
    std::vector<fs::path> icons;
    for (const auto& entry : fs::recursive_directory_iterator(kIconDir)) {
        if (entry.path().extension() == ".svg") icons.push_back(entry.path());
    }
    // Icons with arcs first: they are the few that exercise the arc rules.
    std::sort(icons.begin(), icons.end());
    std::stable_partition(icons.begin(), icons.end(), [](const fs::path& icon) {
        for (const std::string& d : PlainPaths(ReadText(icon))) {
            if (d.find_first_of("aA") != std::string::npos) return true;
        }
        return false;
    });
    const fs::path out = fs::temp_directory_path() / ("zu_icon_" + std::to_string(::getpid()) + ".png");
    int compared = 0;
    for (const fs::path& icon : icons) {
        if (compared == 40) break;
        const std::vector<std::string> paths = PlainPaths(ReadText(icon));
        if (paths.empty()) continue;
        const std::string command = "rsvg-convert -w " + std::to_string(kSide) + " -h " +
                                    std::to_string(kSide) + " '" + icon.string() + "' -o '" + out.string() +
                                    "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << icon;
        TzuBitmap expected;
        ASSERT_TRUE(expected.LoadFromFile(out.string())) << icon;
        ASSERT_EQ(expected.Width(), kSide);

        TzuBitmap actual(kSide, kSide);
        TzuCanvasCairo canvas(actual);
        canvas.SetMatrix(TzuMatrix{kScale, 0, 0, 0, kScale, 0, 0, 0, 1});
        canvas.Fill()->SetColor(0xFF000000);
        for (const std::string& d : paths) {
            TzuPathData path;
            path.SetSvgData(d);
            canvas.FillPath(path, path.GetBounds(), 1);
        }
        canvas.EndScene();
        int covered = 0, wrong = 0;
        for (int i = 0; i < kSide * kSide; ++i) {
            const int a = int(actual.Bits()[i] >> 24), e = int(expected.Bits()[i] >> 24);
            covered += e > 128;
            wrong += std::abs(a - e) > 96;
        }
        EXPECT_GT(covered, 0) << icon;
        EXPECT_LE(wrong, kSide * kSide / 100) << icon << ": " << wrong << " pixels differ";
        ++compared;
    }
    fs::remove(out);
    EXPECT_GE(compared, 10);
}

}  // namespace
}  // namespace zu
