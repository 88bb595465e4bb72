// The colour controls dragged with real X pointer input: a drag in the square changes
// the linked swatch, which the window then shows in that colour; a gradient stop dragged
// along the bar passes no neighbour, then off the control, which deletes it.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

// Xlib names clash with the test framework's; they come last.
#include <X11/Xlib.h>   // NOLINT
#include <X11/Xutil.h>  // NOLINT

#include "echo_window.h"  // NOLINT

namespace zu::test {
namespace {

class ColorDragging : public EchoWindowTest {
protected:
    void SetUp() override { Start(ZU_CONTROL_ECHO_PATH, 340, "colors"); }
    // The colour of the latest "box" line printed so far, waiting for one after those seen.
    uint32_t NextBoxColor() {
        uint32_t color = 0;
        const bool found = WaitUntil(
            [&] {
                char buf[256];
                for (ssize_t n; (n = read(out, buf, sizeof buf)) > 0;) printed.append(buf, size_t(n));
                bool any = false;
                for (size_t at; (at = printed.find("box #", seen)) != std::string::npos;) {
                    const size_t end = printed.find('\n', at);
                    if (end == std::string::npos) break;
                    color = uint32_t(std::stoul(printed.substr(at + 5, 8), nullptr, 16));
                    seen = end + 1;
                    any = true;
                }
                return any;
            },
            std::chrono::seconds(5));
        EXPECT_TRUE(found) << printed;
        return color;
    }
    // The window's pixel, 0xRRGGBB, once it has settled on a value.
    uint32_t Pixel(int px, int py) {
        XSync(x, False);
        XImage* img = XGetImage(x, w, px, py, 1, 1, AllPlanes, ZPixmap);
        if (!img) return 0xFFFFFFFF;
        const uint32_t p = uint32_t(XGetPixel(img, 0, 0)) & 0xFFFFFF;
        XDestroyImage(img);
        return p;
    }
};

TEST_F(ColorDragging, TheSquareRecoloursItsSwatchAndAStopIsDraggedOff) {
    Xdo("windowfocus --sync " + std::to_string(w) + " sleep 0.3");
    // The square is 100 x 100 at (10, 10), the swatch at (130, 10).
    Xdo(At(30, 90) + "mousedown 1 sleep 0.1");
    const uint32_t dark = NextBoxColor();
    Xdo(At(60, 50) + At(90, 20) + "mouseup 1 sleep 0.3");
    const uint32_t light = NextBoxColor();
    EXPECT_NE(dark, light);
    EXPECT_EQ(light >> 24, 0xFFu);
    EXPECT_TRUE(WaitUntil([&] { return Pixel(150, 30) == (light & 0xFFFFFF); }, std::chrono::seconds(3)))
        << std::hex << Pixel(150, 30) << " " << light;

    // The bar runs from x 20 to 300 at y 130..150, the markers below it; the red stop sits
    // at the middle (x 160).
    Xdo(At(160, 155) + "mousedown 1 sleep 0.1");
    ASSERT_TRUE(Says("select 1")) << printed;
    Xdo(At(90, 155));
    EXPECT_TRUE(Says("stops 0,25,100")) << printed;
    Xdo(At(230, 157));
    EXPECT_TRUE(Says("stops 0,75,100")) << printed;
    Xdo(At(230, 220) + "mouseup 1");
    EXPECT_TRUE(Says("select 0")) << printed;
    EXPECT_TRUE(Says("stops 0,100")) << printed;
    EXPECT_TRUE(StillRuns());
}

}  // namespace
}  // namespace zu::test
