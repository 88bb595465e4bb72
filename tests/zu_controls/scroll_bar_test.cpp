// Scroll bars: the value rules, the style's tracks and step buttons wired to the bar, and
// held step buttons repeating on the clock.

#include "scene/zu_controls/scroll_bar.h"

#include <gtest/gtest.h>

#include <vector>

#include "hosted_scene.h"
#include "scene/zu_controls/custom_button.h"
#include "scene/zu_controls/track.h"

namespace zu::test {
namespace {

TEST(TzuScrollBar, ValueStaysWithinTheRangeLessTheViewport) {
    TzuScrollBar bar(nullptr);
    std::vector<float> changes;
    bar.OnChange().Set([&](TzuPersistent*) { changes.push_back(bar.Value()); });
    bar.SetViewportSize(25);
    bar.SetValue(90);
    EXPECT_FLOAT_EQ(bar.Value(), 75);
    bar.SetMax(50);  // pulls the value back through the setter
    EXPECT_FLOAT_EQ(bar.Value(), 25);
    bar.SetMin(30);
    EXPECT_FLOAT_EQ(bar.Value(), 30);
    EXPECT_FLOAT_EQ(bar.ViewportSize(), 20);  // limited to Max - Min
    bar.SetMax(10);                           // below Min
    EXPECT_FLOAT_EQ(bar.Max(), 30.001f);
    EXPECT_EQ(changes, (std::vector<float>{75, 25, 30}));
    bar.SetMax(130);
    bar.SetViewportSize(10);
    bar.SetSmallChange(7);
    bar.SmallStep(2);
    EXPECT_FLOAT_EQ(bar.Value(), 44);
    bar.LargeStep(-1);  // a page is the viewport
    EXPECT_FLOAT_EQ(bar.Value(), 34);
    bar.SetLargeChange(50);
    bar.LargeStep(1);
    EXPECT_FLOAT_EQ(bar.Value(), 84);
    bar.SetData(std::string("not a number"));
    EXPECT_FLOAT_EQ(bar.Value(), 30);
    bar.SetData(1e300);
    EXPECT_FLOAT_EQ(bar.Value(), 120);
    EXPECT_EQ(TzuSmallScrollBar(nullptr).Height(), 8);
}

class HostedScrollBar : public HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        bar = new TzuScrollBar(nullptr);
        bar->SetBounds(10, 10, 218, 18);  // 18-pixel buttons leave a 182-pixel track
        bar->SetViewportSize(25);
        bar->SetParent(root);
        bar->OnChange().Set([this](TzuPersistent*) { changes.push_back(bar->Value()); });
        Settle();
    }
    TzuCustomButton* Button(const char* name) const { return As<TzuCustomButton>(bar->FindResource(name)); }
    TzuScrollBar* bar = nullptr;
    std::vector<float> changes;
};

TEST_F(HostedScrollBar, StyleTracksAndButtonsFollowTheOrientation) {
    TzuCustomTrack* track = bar->Track();
    ASSERT_NE(track, nullptr);
    ASSERT_NE(Button("leftbutton"), nullptr);
    EXPECT_TRUE(Button("leftbutton")->Visible());
    EXPECT_FALSE(Button("topbutton")->Visible());
    EXPECT_FALSE(Button("leftbutton")->CanFocus());
    EXPECT_FALSE(track->CanFocus());
    EXPECT_FLOAT_EQ(track->Width(), 182);
    EXPECT_FLOAT_EQ(track->ViewportSize(), 25);
    bar->SetValue(40);
    EXPECT_FLOAT_EQ(track->Value(), 40);
    // Page clicks on the track move the bar by its viewport towards the pointer.
    ClickAt(200, 19);
    EXPECT_FLOAT_EQ(bar->Value(), 65);
    ClickAt(40, 19);
    EXPECT_FLOAT_EQ(bar->Value(), 40);
    bar->SetOrientation(zuVertical);
    bar->SetBounds(10, 10, 18, 150);
    EXPECT_EQ(bar->Track(), As<TzuCustomTrack>(bar->FindResource("vtrack")));
    EXPECT_TRUE(bar->Track()->Visible());
    EXPECT_FALSE(track->Visible());
    EXPECT_TRUE(Button("bottombutton")->Visible());
    EXPECT_FALSE(Button("rightbutton")->Visible());
    EXPECT_EQ(bar->Track()->Orientation(), zuVertical);
    EXPECT_FLOAT_EQ(bar->Track()->Value(), 40);
}

TEST_F(HostedScrollBar, StepButtonsStepAndRepeatWhileHeld) {
    ClickAt(220, 19);  // the right button
    EXPECT_FLOAT_EQ(bar->Value(), 1);
    ClickAt(15, 19);  // the left button
    EXPECT_FLOAT_EQ(bar->Value(), 0);
    changes.clear();
    window()->InjectMouseMove(220, 19);
    Press(220, 19);
    Advance(450);
    EXPECT_TRUE(changes.empty());  // nothing until the repeat delay has passed
    Advance(400);                  // 850 ms held: repeats at 500, 600, 700 and 800 ms
    Release(220, 19);
    const size_t held = changes.size();
    EXPECT_GE(held, 4u);
    EXPECT_LE(held, 5u);
    EXPECT_FLOAT_EQ(bar->Value(), float(held));
    // At the end of the range the value stays put.
    bar->SetValue(75);
    ClickAt(220, 19);
    EXPECT_FLOAT_EQ(bar->Value(), 75);
}

}  // namespace
}  // namespace zu::test
