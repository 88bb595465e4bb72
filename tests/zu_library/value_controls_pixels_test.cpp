// Value controls as the default style paints them: check boxes, radio buttons and group
// boxes checked and not and hovered; tracks, track bars, progress bars and scroll bars at
// several values, with a hovered thumb; and the HUD kinds.

#include <gtest/gtest.h>

#include <string>

#include "platform/core/class_registry.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_controls/check_box.h"
#include "scene/zu_controls/group_box.h"
#include "scene/zu_controls/progress_bar.h"
#include "scene/zu_controls/radio_button.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_controls/thumb.h"
#include "scene/zu_controls/track.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "tests/zu_canvas_cairo/golden.h"
#include "tests/zu_scene_pixels/pixel_scene.h"

namespace zu::test {
namespace {

class ValueControlPixels : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLibraryClasses();
        root = new TzuLayout(nullptr);
        root->SetBounds(0, 0, 260, 150);
        scene.AddObject(root);
    }
    void TearDown() override {
        delete root;
        TzuAniThread::FreeInstance();
    }
    template <class T>
    T* Add(float x, float y, float w = 0, float h = 0) {
        auto* c = new T(nullptr);
        c->Position()->SetPoint(TzuPoint{x, y});
        if (w > 0) c->SetWidth(w);
        if (h > 0) c->SetHeight(h);
        c->SetParent(root);
        return c;
    }
    template <class T>
    T* Toggle(float x, float y, const char16_t* text, bool checked) {
        T* t = Add<T>(x, y);
        t->SetText(text);
        t->SetIsChecked(checked);
        return t;
    }
    // Styles every control (the first frame), then lets the style animations finish.
    void Settle() {
        scene.Frame(0xFF2B2B2B);
        Tick(10);
    }
    void Tick(int n) {
        for (int i = 0; i < n; ++i) app.Advance(TzuAniThread::kInterval);
    }
    ::testing::AssertionResult Frame(const char* golden) {
        scene.rects.clear();
        scene.Frame(0xFF2B2B2B);
        return MatchesGolden(scene.Picture(), golden);
    }

    TzuHeadlessApplication app;
    PixelScene scene{260, 150};
    TzuLayout* root = nullptr;
};

TEST_F(ValueControlPixels, TogglesCheckedUncheckedAndHovered) {
    Toggle<TzuCheckBox>(8, 8, u"Unchecked", false);
    Toggle<TzuCheckBox>(8, 30, u"Checked", true);
    auto* hovered = Toggle<TzuCheckBox>(8, 52, u"Hovered", false);
    Toggle<TzuPathCheckBox>(8, 74, u"Path mark", true);
    Toggle<TzuRadioButton>(134, 8, u"Radio off", false);
    Toggle<TzuRadioButton>(134, 30, u"Radio on", true);
    Toggle<TzuHudCheckBox>(134, 52, u"HUD check", true);
    // A group of its own: in the plain group it would take the check from "Radio on".
    auto* hudRadio = Add<TzuHudRadioButton>(134, 74);
    hudRadio->SetText(u"HUD radio");
    hudRadio->SetGroupName("hud");
    hudRadio->SetIsChecked(true);
    auto* group = Add<TzuGroupBox>(8, 98, 120, 46);
    group->SetText(u"Group");
    auto* hudGroup = Add<TzuHudGroupBox>(134, 98, 120, 46);
    hudGroup->SetText(u"HUD group");
    Settle();
    hovered->MouseEnter();
    Tick(8);
    EXPECT_TRUE(Frame("controls_toggles"));
}

TEST_F(ValueControlPixels, TracksBarsAndScrollBarsAtSeveralValues) {
    for (int i = 0; i < 3; ++i) {
        auto* track = Add<TzuTrack>(8, 8 + 20 * float(i), 120, 15);
        track->SetViewportSize(20);
        track->SetValue(float(i) * 40);
    }
    auto* bar = Add<TzuTrackBar>(8, 68, 120, 15);
    bar->SetValue(25);
    auto* hudBar = Add<TzuHudTrackBar>(8, 88, 120, 15);
    hudBar->SetValue(75);
    auto* hudTrack = Add<TzuHudTrack>(8, 108, 120, 15);
    hudTrack->SetValue(50);
    for (int i = 0; i < 3; ++i) Add<TzuProgressBar>(136, 8 + 24 * float(i), 100, 20)->SetValue(float(i) * 50);
    auto* vertical = Add<TzuProgressBar>(240, 8, 14, 68);
    vertical->SetOrientation(zuVertical);
    vertical->SetValue(70);
    auto* scroll = Add<TzuScrollBar>(136, 82, 118, 18);
    scroll->SetViewportSize(30);
    scroll->SetValue(35);
    auto* small = Add<TzuSmallScrollBar>(136, 106, 118, 8);
    small->SetViewportSize(10);
    small->SetValue(90);
    auto* hudScroll = Add<TzuHudScrollBar>(136, 120, 118, 18);
    hudScroll->SetViewportSize(50);
    Settle();
    ASSERT_NE(bar->Thumb(), nullptr);
    bar->Thumb()->MouseEnter();
    Tick(8);
    EXPECT_TRUE(Frame("controls_tracks"));
}

TEST_F(ValueControlPixels, AVerticalScrollBarShowsItsOwnParts) {
    auto* scroll = Add<TzuScrollBar>(8, 8, 18, 134);
    scroll->SetOrientation(zuVertical);
    scroll->SetViewportSize(25);
    scroll->SetValue(50);
    auto* track = Add<TzuTrack>(40, 8, 15, 134);
    track->SetOrientation(zuVertical);
    track->SetValue(30);
    Settle();
    EXPECT_TRUE(Frame("controls_vertical"));
}

}  // namespace
}  // namespace zu::test
