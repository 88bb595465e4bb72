// Tracks: the value rules (snapping, clamping, ranges), the thumb's geometry, and the
// thumb driven by routed input with and without Tracking, page clicks and keys.

#include "scene/zu_controls/track.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "hosted_scene.h"
#include "scene/zu_controls/thumb.h"
#include "scene/zu_controls/value_math.h"

namespace zu::test {
namespace {

TEST(TzuTrack, ValueSnapsToFrequencyHalvesToEvenThenClampsMinWinning) {
    TzuTrack track(nullptr);
    track.SetViewportSize(20);
    track.SetValue(95);
    EXPECT_FLOAT_EQ(track.Value(), 80);  // Max - ViewportSize
    track.SetValue(-5);
    EXPECT_FLOAT_EQ(track.Value(), 0);
    track.SetViewportSize(0);
    track.SetFrequency(5);
    for (auto [in, out] :
         std::vector<std::pair<float, float>>{{12.4f, 10}, {12.6f, 15}, {12.5f, 10}, {17.5f, 20}}) {
        track.SetValue(in);
        EXPECT_FLOAT_EQ(track.Value(), out) << in;
    }
    // Setting a frequency snaps the value already there.
    track.SetFrequency(0);
    track.SetValue(33);
    track.SetFrequency(10);
    EXPECT_FLOAT_EQ(track.Value(), 30);
    // A range narrower than the viewport: Min wins over Max - ViewportSize.
    TzuTrack narrow(nullptr);
    narrow.SetMin(50);
    narrow.SetViewportSize(80);  // limited to Max - Min = 50
    EXPECT_FLOAT_EQ(narrow.ViewportSize(), 50);
    narrow.SetValue(70);
    EXPECT_FLOAT_EQ(narrow.Value(), 50);
}

TEST(TzuTrack, RangeSettersKeepViewportAndValueInsideWithoutEvents) {
    TzuTrack track(nullptr);
    int changes = 0;
    track.SetValue(60);
    track.OnChange().Set([&](TzuPersistent*) { ++changes; });
    track.SetViewportSize(30);
    track.SetMin(10);
    track.SetMax(3);  // below Min
    EXPECT_FLOAT_EQ(track.Max(), 10.001f);
    EXPECT_NEAR(track.ViewportSize(), 0.001f, 1e-5);
    EXPECT_NEAR(track.Value(), 10, 1e-3);
    EXPECT_EQ(changes, 0);  // Max moves the value quietly
    track.SetMax(100);
    track.SetViewportSize(40);
    track.SetValue(90);
    EXPECT_FLOAT_EQ(track.Value(), 60);
    track.SetViewportSize(70);  // pulls the value back through SetValue, which tells
    EXPECT_FLOAT_EQ(track.Value(), 30);
    EXPECT_EQ(changes, 2);
    // Min raised above the value pulls the value up with it, quietly as Max does.
    track.SetMin(45);
    EXPECT_FLOAT_EQ(track.Value(), 45);
    track.SetMin(0);
    EXPECT_FLOAT_EQ(track.Value(), 45);
    EXPECT_EQ(changes, 2);
    track.SetValue(30);
    // Values and limits that are not numbers are refused.
    track.SetValue(std::nanf(""));
    track.SetMax(std::nanf(""));
    EXPECT_FLOAT_EQ(track.Value(), 30);
    EXPECT_FLOAT_EQ(track.Max(), 100);
    // Data: a number sets the value (saturated into float's range), a method text binds OnChange.
    track.SetData(1e300);
    EXPECT_FLOAT_EQ(track.Value(), 30);
    track.SetData(12.0);
    EXPECT_FLOAT_EQ(track.Value(), 12);
    EXPECT_DOUBLE_EQ(VariantToDouble(track.GetData()), 12);
}

TEST(TzuTrack, ThumbRectFollowsValueViewportAndOrientation) {
    TzuTrack track(nullptr);
    track.SetBounds(0, 0, 200, 16);
    // No viewport: a square of the thickness centred on the value's place.
    track.SetValue(50);
    TzuRect r = track.ThumbRect();
    EXPECT_FLOAT_EQ(r.Left, 92);
    EXPECT_FLOAT_EQ(r.Right, 108);
    EXPECT_FLOAT_EQ(r.Top, 0);
    EXPECT_FLOAT_EQ(r.Bottom, 16);
    // At the ends the square is pushed back inside.
    track.SetValue(0);
    EXPECT_FLOAT_EQ(track.ThumbRect().Left, 0);
    track.SetValue(100);
    EXPECT_FLOAT_EQ(track.ThumbRect().Right, 200);
    // A viewport gives the thumb its share of the length.
    track.SetViewportSize(25);
    track.SetValue(25);
    r = track.ThumbRect();
    EXPECT_FLOAT_EQ(r.Left, 50);
    EXPECT_FLOAT_EQ(r.Right, 100);
    // Vertical: the same along the height.
    track.SetBounds(0, 0, 16, 200);
    track.SetOrientation(zuVertical);
    r = track.ThumbRect();
    EXPECT_FLOAT_EQ(r.Top, 50);
    EXPECT_FLOAT_EQ(r.Bottom, 100);
    EXPECT_FLOAT_EQ(r.Right - r.Left, 16);
}

// A range wider than a float holds (Max - Min overflows): the thumb still sits at the
// value's fraction of the track, and a drag still lands inside the range.
TEST(TzuTrack, ARangeBeyondFloatPlacesTheThumbByTheValuesFraction) {
    TzuTrack track(nullptr);
    track.SetBounds(0, 0, 200, 16);
    track.SetMax(3e38f);
    track.SetMin(-3e38f);
    for (auto [value, left] : std::vector<std::pair<float, float>>{{0, 92}, {1.5e38f, 142}, {-3e38f, 0}}) {
        track.SetValue(value);
        EXPECT_FLOAT_EQ(track.ThumbRect().Left, left) << value;
    }
    track.DragTo(150, 0);
    EXPECT_NEAR(track.Value(), 1.5e38f, 1e36);
}

TEST(TzuTrack, DragOverACollapsedTrackTakesNoStep) {
    TzuTrack track(nullptr);
    track.SetValue(40);
    track.SetWidth(0);
    track.DragTo(10, 0);
    EXPECT_FLOAT_EQ(track.Value(), 40);
    EXPECT_FALSE(std::isnan(track.ThumbRect().Left));
}

TEST(ValueMath, RoundingIsHalfEvenAndConversionsSaturate) {
    EXPECT_FLOAT_EQ(RoundHalfEven(2.5f), 2);
    EXPECT_FLOAT_EQ(RoundHalfEven(3.5f), 4);
    EXPECT_FLOAT_EQ(RoundHalfEven(-2.5f), -2);
    EXPECT_EQ(SaturatingRound(1e30), std::numeric_limits<int>::max());
    EXPECT_EQ(SaturatingRound(-1e30), std::numeric_limits<int>::min());
    EXPECT_EQ(SaturatingRound(std::nan("")), 0);
    EXPECT_EQ(SaturatingRound(6.5), 6);
    EXPECT_EQ(SaturatingFloat(1e300), std::numeric_limits<float>::max());
    EXPECT_EQ(SaturatingFloat(-1e300), -std::numeric_limits<float>::max());
}

class HostedTrack : public HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        track = new TzuTrack(nullptr);
        track->SetBounds(10, 10, 200, 15);
        track->SetParent(root);
        track->OnChange().Set([this](TzuPersistent*) { changes.push_back(track->Value()); });
        track->OnTracking().Set([this](TzuPersistent*) { ++tracked; });
        Settle();
    }
    TzuThumb* thumb() const { return track->Thumb(); }
    // The thumb's centre in scene pixels.
    TzuPoint ThumbCentre() const {
        TzuPoint p = thumb()->LocalToAbsolute(TzuPoint{thumb()->Width() / 2, thumb()->Height() / 2});
        return TzuPoint{std::round(p.X), std::round(p.Y)};
    }

    TzuTrack* track = nullptr;
    std::vector<float> changes;
    int tracked = 0;
};

TEST_F(HostedTrack, ThumbSitsOverTheValueAndFollowsADrag) {
    ASSERT_NE(thumb(), nullptr);
    EXPECT_EQ(thumb()->Track(), track);
    // Value 0 without viewport: a 15 x 15 square pushed inside the left end, inset by the
    // style's one-pixel margins.
    EXPECT_FLOAT_EQ(thumb()->Position()->X(), 1);
    TzuPoint c = ThumbCentre();
    Press(int(c.X), int(c.Y));
    EXPECT_TRUE(thumb()->Dragging());
    for (int x = int(c.X); x < 110; x += 10) Drag(x, int(c.Y));
    Drag(110, int(c.Y));
    // The thumb's centre follows the pointer: 100 of 200 pixels is half the range.
    EXPECT_NEAR(track->Value(), 50, 0.5);
    EXPECT_GT(changes.size(), 5u);
    EXPECT_EQ(tracked, int(changes.size()));
    Release(110, int(c.Y));
    EXPECT_FALSE(thumb()->Dragging());
    EXPECT_NEAR(ThumbCentre().X, 110, 1);
    // Dragging beyond the track's end stops at Max.
    c = ThumbCentre();
    Press(int(c.X), int(c.Y));
    Drag(290, int(c.Y));
    Release(290, int(c.Y));
    EXPECT_FLOAT_EQ(track->Value(), 100);
}

TEST_F(HostedTrack, TrackingOffNotifiesOnceAtTheEndOfADrag) {
    track->SetTracking(false);
    track->SetViewportSize(20);
    TzuPoint c = ThumbCentre();
    Press(int(c.X), int(c.Y));
    for (int i = 1; i <= 8; ++i) Drag(int(c.X) + i * 10, int(c.Y));
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(tracked, 8);
    // Held where it was grabbed: 80 pixels of 200 are 40 of the range.
    EXPECT_NEAR(track->Value(), 40, 0.5);
    Release(int(c.X) + 80, int(c.Y));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_NEAR(changes[0], 40, 0.5);
    EXPECT_FALSE(track->Tracking());
}

TEST_F(HostedTrack, PageClicksStepByTheViewportTowardsThePointer) {
    track->SetViewportSize(25);
    track->SetValue(25);
    changes.clear();
    ClickAt(200, 17);  // right of the thumb
    EXPECT_FLOAT_EQ(track->Value(), 50);
    ClickAt(200, 17);
    EXPECT_FLOAT_EQ(track->Value(), 75);  // Max - ViewportSize
    ClickAt(15, 17);
    EXPECT_FLOAT_EQ(track->Value(), 50);
    EXPECT_EQ(changes.size(), 3u);
    // Without a viewport a press jumps to the value under the pointer.
    track->SetViewportSize(0);
    ClickAt(160, 17);
    EXPECT_NEAR(track->Value(), 75, 0.5);
}

TEST_F(HostedTrack, KeysStepByFrequencyAndJumpToTheEnds) {
    track->SetCanFocus(true);
    track->SetFocus();
    ASSERT_TRUE(track->IsFocused());
    track->SetFrequency(10);
    window()->InjectKey(keys::Right);
    window()->InjectKey(keys::Down);
    EXPECT_FLOAT_EQ(track->Value(), 20);
    window()->InjectKey(keys::Left);
    EXPECT_FLOAT_EQ(track->Value(), 10);
    window()->InjectKey(keys::End);
    EXPECT_FLOAT_EQ(track->Value(), 100);
    window()->InjectKey(keys::Home);
    EXPECT_FLOAT_EQ(track->Value(), 0);
    window()->InjectKey(keys::Up);  // already at Min: clamped, no movement
    EXPECT_FLOAT_EQ(track->Value(), 0);
    // One notification per key that moved the value, also with Tracking off.
    track->SetTracking(false);
    changes.clear();
    window()->InjectKey(keys::Right);
    EXPECT_EQ(changes, std::vector<float>{10});
}

TEST_F(HostedTrack, ATrackBarTakesTheFocusFromItsThumb) {
    auto* bar = new TzuTrackBar(nullptr);
    bar->SetBounds(10, 50, 200, 15);
    bar->SetParent(root);
    Tick(1);
    ASSERT_NE(bar->Thumb(), nullptr);
    TzuPoint c =
        bar->Thumb()->LocalToAbsolute(TzuPoint{bar->Thumb()->Width() / 2, bar->Thumb()->Height() / 2});
    Press(int(c.X), int(c.Y));
    EXPECT_TRUE(bar->IsFocused());
    Release(int(c.X), int(c.Y));
    // A restyle binds the new thumb and lets the old one go.
    TzuThumb* old = bar->Thumb();
    bar->SetResource("trackbarstyle");
    EXPECT_NE(bar->Thumb(), nullptr);
    EXPECT_NE(bar->Thumb(), old);
    EXPECT_EQ(bar->Thumb()->Track(), bar);
}

}  // namespace
}  // namespace zu::test
