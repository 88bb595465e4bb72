// The display program's scene at its real size: a black background, the stroked rounded
// panel with two lines of bold text, blurred with softness 0.3. Checks where the blurred
// picture goes, that the panel reaches the screen only through it, which colours survive
// the blur exactly, and how the text fills the panel with and without stretching.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "scene/zu_effects/blur_effect.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/tree/background.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu {
namespace {

using test::MatchesGolden;
using test::PixelScene;

constexpr int kWidth = 1760, kHeight = 158;
constexpr TzuColor kBlack = 0xFF000000;
constexpr TzuColor kPanel = 0xFFBEBEBE;
constexpr TzuColor kStroke = 0xFF4DF4FF;
constexpr TzuColor kTextColour = 0xFFF5C116;

int Channel(uint32_t pixel, int shift) { return int((pixel >> shift) & 255); }

// The scene canvas, noting every call that could put the panel on screen.
class RecordingCanvas : public TzuCanvasCairo {
public:
    using TzuCanvasCairo::TzuCanvasCairo;
    struct Picture {
        const TzuBitmap* bitmap;
        int width, height;
        TzuRect src, dst;
        TzuMatrix matrix;
        float opacity;
        bool fast;
    };
    struct Fill {
        TzuRect r;
        float xRadius, yRadius;
        TzuColor colour;
        TzuMatrix matrix;
    };
    void DrawBitmap(TzuBitmap& bitmap, const TzuRect& src, const TzuRect& dst, float opacity,
                    bool fast) override {
        pictures.push_back({&bitmap, bitmap.Width(), bitmap.Height(), src, dst, Matrix(), opacity, fast});
        TzuCanvasCairo::DrawBitmap(bitmap, src, dst, opacity, fast);
    }
    void FillRect(const TzuRect& r, float xRadius, float yRadius, TzuCorners corners, float opacity,
                  TzuCornerType type) override {
        fills.push_back({r, xRadius, yRadius, TzuCanvas::Fill()->Color(), Matrix()});
        TzuCanvasCairo::FillRect(r, xRadius, yRadius, corners, opacity, type);
    }
    void DrawRect(const TzuRect& r, float xRadius, float yRadius, TzuCorners corners, float opacity,
                  TzuCornerType type) override {
        ++strokes;
        TzuCanvasCairo::DrawRect(r, xRadius, yRadius, corners, opacity, type);
    }
    void FillText(const TzuRect& r, const std::u16string& text, bool wrap, float opacity, TzuTextAlign h,
                  TzuTextAlign v) override {
        ++texts;
        TzuCanvasCairo::FillText(r, text, wrap, opacity, h, v);
    }
    void Forget() {
        pictures.clear();
        fills.clear();
        strokes = texts = 0;
    }
    std::vector<Picture> pictures;
    std::vector<Fill> fills;
    int strokes = 0, texts = 0;
};

// The objects and property values of the display program's form.
struct DisplayScene {
    RecordingCanvas* canvas = nullptr;
    PixelScene scene{kWidth, kHeight, [this](TzuBitmap& b) {
                         auto c = std::make_unique<RecordingCanvas>(b);
                         canvas = c.get();
                         return c;
                     }};
    std::unique_ptr<TzuBackground> root = std::make_unique<TzuBackground>(nullptr);
    TzuRectangle* panel = new TzuRectangle(nullptr);
    TzuText* text = new TzuText(nullptr);
    TzuBlurEffect* blur = new TzuBlurEffect(nullptr);

    DisplayScene() {
        scene.AddObject(root.get());
        root->SetBounds(0, 0, kWidth, kHeight);
        root->Fill()->SetStyle(zuBrushSolid);
        root->Fill()->SetColor(kBlack);
        panel->SetParent(root.get());
        panel->SetAlign(vaClient);
        panel->Fill()->SetColor(kPanel);
        panel->Stroke()->SetColor(kStroke);
        panel->SetStrokeThickness(5);
        panel->SetXRadius(50);
        panel->SetYRadius(50);
        text->SetParent(panel);
        text->SetAlign(vaClient);
        text->Fill()->SetColor(kTextColour);
        text->Font()->SetSize(96);
        text->Font()->SetStyle(zuFontBold);
        text->SetText(u"Hello\r\nWorld");
        blur->SetParent(panel);
        blur->SetSoftness(0.3f);
    }
    uint32_t Pixel(int x, int y) const { return scene.Pixel(x, y); }
};

// Text shows where red clearly exceeds blue: the panel grey has them equal, the stroke
// colour and the black outside have blue at least as high.
bool Inked(uint32_t p) { return Channel(p, 16) - Channel(p, 0) > 64; }

// The bounding box of the text-coloured pixels in the panel, well inside the stroke.
TzuRect TextInk(const PixelScene& s) {
    int l = kWidth, t = kHeight, r = -1, b = -1;
    for (int y = 12; y < kHeight - 12; ++y) {
        for (int x = 12; x < kWidth - 12; ++x) {
            if (!Inked(s.Pixel(x, y))) continue;
            l = std::min(l, x), t = std::min(t, y), r = std::max(r, x + 1), b = std::max(b, y + 1);
        }
    }
    return r < 0 ? TzuRect{} : TzuRect{float(l), float(t), float(r), float(b)};
}

// Every 4 x 4 block averaged into one pixel (a partial last row of blocks included), so
// the golden images stay small while any misplaced detail still shifts the averages.
std::unique_ptr<TzuBitmap> Downscaled(const TzuBitmap& full) {
    const int w = (full.Width() + 3) / 4, h = (full.Height() + 3) / 4;
    auto small = std::make_unique<TzuBitmap>(w, h);
    for (int by = 0; by < h; ++by) {
        for (int bx = 0; bx < w; ++bx) {
            int sum[4] = {}, n = 0;
            for (int y = by * 4; y < std::min(by * 4 + 4, full.Height()); ++y) {
                for (int x = bx * 4; x < std::min(bx * 4 + 4, full.Width()); ++x) {
                    const uint32_t p = full.ScanLine(y)[x];
                    for (int c = 0; c < 4; ++c) sum[c] += Channel(p, 8 * c);
                    ++n;
                }
            }
            uint32_t out = 0;
            for (int c = 0; c < 4; ++c) out |= uint32_t((sum[c] + n / 2) / n) << (8 * c);
            small->ScanLine(by)[bx] = out;
        }
    }
    return small;
}

void ExpectBlurredPanelOnly(DisplayScene& d) {
    RecordingCanvas& cv = *d.canvas;
    // The picture: grown by the margin of 6 on every side, drawn back over the margin.
    ASSERT_EQ(cv.pictures.size(), 1u);
    const RecordingCanvas::Picture& p = cv.pictures[0];
    EXPECT_EQ(p.width, kWidth + 12);
    EXPECT_EQ(p.height, kHeight + 12);
    EXPECT_EQ(p.src, (TzuRect{0, 0, kWidth + 12, kHeight + 12}));
    EXPECT_EQ(p.dst, (TzuRect{-6, -6, kWidth + 6, kHeight + 6}));
    EXPECT_EQ(p.matrix, IdentityMatrix);
    EXPECT_EQ(p.opacity, 1);
    EXPECT_TRUE(p.fast);
    ASSERT_EQ(p.bitmap, d.panel->EffectBitmap());
    // Nothing of the panel or its text on the scene canvas: only the frame's clearing and
    // the background fill it, both plain black rectangles over the whole frame.
    EXPECT_EQ(cv.strokes, 0);
    EXPECT_EQ(cv.texts, 0);
    ASSERT_FALSE(cv.fills.empty());
    for (const RecordingCanvas::Fill& f : cv.fills) {
        EXPECT_EQ(f.colour, kBlack);
        EXPECT_EQ(f.xRadius, 0);
        EXPECT_EQ(f.yRadius, 0);
        EXPECT_EQ(f.r, (TzuRect{0, 0, kWidth, kHeight}));
    }
    // The screen shows the picture one to one, shifted by the margin: wherever the picture
    // is opaque the frame has its exact pixel.
    const TzuBitmap& picture = *d.panel->EffectBitmap();
    int compared = 0;
    for (int y : {3, 40, kHeight / 2, 120, kHeight - 4}) {
        for (int x = 0; x < kWidth; ++x) {
            const uint32_t q = picture.ScanLine(y + 6)[x + 6];
            if (Channel(q, 24) != 255) continue;
            ++compared;
            ASSERT_EQ(d.Pixel(x, y), q) << x << "," << y;
        }
    }
    EXPECT_GT(compared, 2 * kWidth);
    // The picture is transparent at its outer edge: the panel lies at (6, 6) inside it.
    EXPECT_EQ(picture.ScanLine(0)[100], 0u);
    EXPECT_EQ(picture.ScanLine(kHeight / 2)[0], 0u);
    EXPECT_EQ(picture.ScanLine(kHeight + 11)[100], 0u);
    EXPECT_EQ(picture.ScanLine(kHeight / 2)[kWidth + 11], 0u);
}

void ExpectFlatColoursKept(const DisplayScene& d) {
    // Outside the rounded corners the blur never reaches: plain background.
    for (auto [x, y] : {std::pair{0, 0},
                        {3, 3},
                        {kWidth - 1, 0},
                        {kWidth - 4, 3},
                        {0, kHeight - 1},
                        {kWidth - 1, kHeight - 1},
                        {kWidth - 4, kHeight - 4}}) {
        EXPECT_EQ(d.Pixel(x, y), kBlack) << x << "," << y;
    }
    // The stroke along the top edge survives as a cyan band, softened.
    const uint32_t top = d.Pixel(kWidth / 2 - 3, 2);
    EXPECT_GT(Channel(top, 0), Channel(top, 16) + 60);
    EXPECT_GT(Channel(top, 8), Channel(top, 16) + 60);
    EXPECT_NE(top, kStroke);
}

TEST(DisplayScene, CentredTextOnTheBlurredPanel) {
    DisplayScene d;
    ASSERT_EQ(d.panel->BoundsRect(), (TzuRect{0, 0, kWidth, kHeight}));
    ASSERT_EQ(d.text->BoundsRect(), (TzuRect{0, 0, kWidth, kHeight}));
    d.scene.Frame(kBlack);
    ExpectBlurredPanelOnly(d);
    ExpectFlatColoursKept(d);
    // Far from the stroke and the centred text the panel keeps its exact grey.
    for (auto [x, y] :
         {std::pair{100, kHeight / 2}, {200, 30}, {kWidth - 100, kHeight / 2}, {kWidth - 200, 130}}) {
        EXPECT_EQ(d.Pixel(x, y), kPanel) << x << "," << y;
    }
    const TzuRect ink = TextInk(d.scene);
    ASSERT_GT(RectWidth(ink), 0);
    EXPECT_LT(RectWidth(ink), kWidth / 2);
    EXPECT_GT(RectWidth(ink), 150);
    EXPECT_NEAR((ink.Left + ink.Right) / 2, kWidth / 2.0f, 20);
    // Two 96-pixel lines are taller than the panel: the text runs off it top and bottom.
    EXPECT_EQ(ink.Top, 12);
    EXPECT_EQ(ink.Bottom, kHeight - 12);
    EXPECT_TRUE(MatchesGolden(*Downscaled(d.scene.Picture()), "display_scene_centred"));
}

// Under a strongly non-uniform matrix (about 5.5 x 0.7 here) the drawn text must still
// cover the panel as the measured extent says.
TEST(DisplayScene, StretchedTextFillsTheBlurredPanel) {
    DisplayScene d;
    d.scene.Frame(kBlack);
    const TzuRect centred = TextInk(d.scene);
    d.canvas->Forget();
    d.text->SetStretch(true);
    ASSERT_FALSE(d.scene.rects.empty());
    d.scene.rects.clear();  // the whole frame, as the first one
    d.scene.Frame(kBlack);
    ExpectBlurredPanelOnly(d);
    ExpectFlatColoursKept(d);
    // The measured extent of the text maps onto the whole panel: its ink spans nearly
    // all of it, much wider than the text at its natural size.
    const TzuRect ink = TextInk(d.scene);
    EXPECT_LT(ink.Left, 90);
    EXPECT_GT(ink.Right, kWidth - 90);
    EXPECT_GT(RectHeight(ink), kHeight * 0.6f);
    EXPECT_GT(RectWidth(ink), 2.5f * RectWidth(centred));
    // Between the strokes of the letters the blur of the flat panel is still exact grey.
    int grey = 0;
    for (int y = 20; y < kHeight - 20; ++y) {
        for (int x = 20; x < kWidth - 20; ++x) grey += d.Pixel(x, y) == kPanel;
    }
    EXPECT_GT(grey, (kWidth - 40) * (kHeight - 40) / 10);
    EXPECT_TRUE(MatchesGolden(*Downscaled(d.scene.Picture()), "display_scene_stretched"));
}

// The display hands its lines over padded with blanks to twenty characters; the blanks
// never move the text: centred and far-aligned lines show where unpadded ones do.
TEST(DisplayScene, PaddedLinesShowWhereUnpaddedOnesDo) {
    for (TzuTextAlign h : {zuTextAlignCenter, zuTextAlignFar}) {
        DisplayScene plain, padded;
        plain.text->SetHorzTextAlign(h);
        padded.text->SetHorzTextAlign(h);
        plain.text->SetText(u"ABC\r\nDEF");
        padded.text->SetText(u"ABC                 \r\nDEF                 ");
        plain.scene.Frame(kBlack);
        padded.scene.Frame(kBlack);
        const TzuRect ink = TextInk(plain.scene);
        ASSERT_GT(RectWidth(ink), 100);
        if (h == zuTextAlignCenter) {
            EXPECT_NEAR((ink.Left + ink.Right) / 2, kWidth / 2.0f, 20);
        } else {
            EXPECT_GT(ink.Right, kWidth - 40);
        }
        EXPECT_EQ(TextInk(padded.scene), ink);
        int differing = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) differing += plain.Pixel(x, y) != padded.Pixel(x, y);
        }
        EXPECT_EQ(differing, 0) << h;
    }
}

}  // namespace
}  // namespace zu
