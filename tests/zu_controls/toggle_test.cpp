// Check boxes, radio buttons and progress bars: the press cycle through routed input,
// keys, radio groups and the indicator's length.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "hosted_scene.h"
#include "scene/zu_controls/check_box.h"
#include "scene/zu_controls/group_box.h"
#include "scene/zu_controls/progress_bar.h"
#include "scene/zu_controls/radio_button.h"
#include "scene/zu_objects/path.h"
#include "scene/zu_scene/tree/object_stream.h"

namespace zu::test {
namespace {

class HostedToggle : public HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        check = new TzuCheckBox(nullptr);
        check->SetBounds(10, 10, 120, 19);
        check->SetParent(root);
        check->OnChange().Set([this](TzuPersistent*) { ++changes; });
    }
    TzuRadioButton* Radio(float y, const std::string& group = {}) {
        auto* r = new TzuRadioButton(nullptr);
        r->SetBounds(150, y, 120, 19);
        r->SetGroupName(group);
        r->SetParent(root);
        return r;
    }
    TzuCheckBox* check = nullptr;
    int changes = 0;
};

TEST_F(HostedToggle, AClickTogglesAndDraggingOutsideCancels) {
    Settle();
    ClickAt(40, 20);
    EXPECT_TRUE(check->IsChecked());
    EXPECT_EQ(changes, 1);
    // Pressed, dragged out (shows released), back in (pressed again), out and released: no toggle.
    Press(40, 20);
    EXPECT_TRUE(check->IsPressed());
    Drag(200, 100);
    EXPECT_FALSE(check->IsPressed());
    Drag(41, 20);
    EXPECT_TRUE(check->IsPressed());
    Drag(200, 100);
    Release(200, 100);
    EXPECT_FALSE(check->IsPressed());
    EXPECT_TRUE(check->IsChecked());
    EXPECT_EQ(changes, 1);
    // Enter and Space toggle the focused box.
    ASSERT_TRUE(check->IsFocused());
    window()->InjectKey(keys::Space);
    EXPECT_FALSE(check->IsChecked());
    window()->InjectKey(keys::Enter);
    EXPECT_TRUE(check->IsChecked());
    EXPECT_EQ(changes, 3);
    // Data is the Boolean.
    check->SetData(false);
    EXPECT_FALSE(VariantToBool(check->GetData()));
}

TEST_F(HostedToggle, TheCheckMarkFadesWithTheState) {
    Settle();
    auto* mark = As<TzuVisualObject>(check->FindResource("checkmark"));
    ASSERT_NE(mark, nullptr);
    EXPECT_FLOAT_EQ(mark->Opacity(), 0);
    check->SetIsChecked(true);
    Tick(6);
    EXPECT_FLOAT_EQ(mark->Opacity(), 1);
    check->SetIsChecked(false);
    Tick(6);
    EXPECT_FLOAT_EQ(mark->Opacity(), 0);
}

TEST_F(HostedToggle, RadioGroupsStayExclusiveAndRefuseToEmpty) {
    TzuRadioButton* a = Radio(10, "g");
    TzuRadioButton* b = Radio(30, "G");  // group names compare without case
    TzuRadioButton* c = Radio(50, "g");
    TzuRadioButton* other = Radio(70, "h");
    other->SetIsChecked(true);
    int bChanges = 0;
    b->OnChange().Set([&](TzuPersistent*) { ++bChanges; });
    Settle();
    a->SetIsChecked(true);
    ClickAt(160, 40);  // b
    EXPECT_FALSE(a->IsChecked());
    EXPECT_TRUE(b->IsChecked());
    EXPECT_FALSE(c->IsChecked());
    EXPECT_EQ(bChanges, 1);
    // A click on the checked button changes nothing.
    ClickAt(160, 40);
    EXPECT_TRUE(b->IsChecked());
    EXPECT_EQ(bChanges, 1);
    // Nor does unchecking it in code while no other is checked; another group is untouched.
    b->SetIsChecked(false);
    EXPECT_TRUE(b->IsChecked());
    EXPECT_TRUE(other->IsChecked());
    // A lone radio button cannot be unchecked at all.
    other->SetIsChecked(false);
    EXPECT_TRUE(other->IsChecked());
    // Check boxes among the siblings are no part of any group.
    check->SetIsChecked(true);
    c->SetIsChecked(true);
    EXPECT_TRUE(check->IsChecked());
    EXPECT_FALSE(b->IsChecked());
}

// A group read all checked keeps the last one read; the group's checked member is known
// without walking the siblings, so checking many of twenty thousand in turn stays quick.
TEST_F(HostedToggle, ALargeGroupReadAllCheckedKeepsTheLastAndChecksWithoutWalking) {
    constexpr int kCount = 20000;
    std::string text = "object G: TzuLayout\n";
    for (int i = 0; i < kCount; ++i)
        text += "object R: TzuRadioButton\nIsChecked = True\nGroupName = 'g'\nend\n";
    std::unique_ptr<TzuObject> group(LoadObjectFromText(nullptr, text + "end\n"));
    ASSERT_TRUE(group);
    auto radio = [&](int i) { return static_cast<TzuRadioButton*>(group->Children(i)); };
    auto checked = [&] {
        std::vector<int> on;
        for (int i = 0; i < group->ChildrenCount(); ++i)
            if (radio(i)->IsChecked()) on.push_back(i);
        return on;
    };
    EXPECT_EQ(checked(), std::vector<int>{kCount - 1});
    for (int i = 0; i < kCount; i += 10) radio(i)->SetIsChecked(true);
    EXPECT_EQ(checked(), std::vector<int>{kCount - 10});
    // A checked button joining the group takes the check; one renamed away keeps its own.
    auto* newcomer = new TzuRadioButton(nullptr);
    newcomer->SetIsChecked(true);
    newcomer->SetGroupName("G");
    newcomer->SetParent(group.get());
    EXPECT_EQ(checked(), std::vector<int>{kCount});
    newcomer->SetGroupName("other");
    radio(5)->SetIsChecked(true);
    delete radio(5);  // a freed member leaves no trace
    radio(6)->SetIsChecked(true);
    EXPECT_EQ(checked(), (std::vector<int>{6, kCount - 1}));
}

TEST_F(HostedToggle, APathCheckBoxCarriesItsMarkIntoTheStyle) {
    auto* box = new TzuPathCheckBox(nullptr);
    box->SetBounds(10, 40, 120, 19);
    box->SetParent(root);
    Settle();
    auto* mark = As<TzuPath>(box->FindResource("checkmark"));
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->Data()->Data(), box->Path()->Data());
    box->Path()->SetData("M 0,0 L 10,0 L 10,10 Z");
    mark = As<TzuPath>(box->FindResource("checkmark"));
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(mark->Data()->Data(), box->Path()->Data());
    // A group box is a text control that takes no focus.
    TzuGroupBox group(nullptr);
    EXPECT_FALSE(group.CanFocus());
    EXPECT_EQ(group.Width(), 120);
    EXPECT_EQ(group.Height(), 100);
}

TEST_F(HostedToggle, ProgressIndicatorLengthFollowsValueOverTheTrack) {
    auto* bar = new TzuProgressBar(nullptr);
    bar->SetBounds(10, 60, 154, 20);  // a 150-wide track inside the style's margins
    bar->SetParent(root);
    Settle();
    auto* track = As<TzuVisualObject>(bar->FindResource("htrack"));
    auto* ind = As<TzuVisualObject>(bar->FindResource("hindicator"));
    ASSERT_NE(track, nullptr);
    ASSERT_NE(ind, nullptr);
    const TzuRect m = track->MarginsRect();
    const float room = track->Width() - m.Left - m.Right;
    bar->SetValue(50);
    EXPECT_FLOAT_EQ(ind->Width(), room / 2);
    EXPECT_TRUE(ind->Visible());
    bar->SetValue(1);  // 1% of the room is at most 2 pixels: hidden
    EXPECT_FALSE(ind->Visible());
    bar->SetValue(250);  // never past the track's end
    EXPECT_FLOAT_EQ(ind->Width(), room);
    // Vertical: the other pair shows.
    bar->SetOrientation(zuVertical);
    bar->SetBounds(10, 60, 20, 104);
    bar->SetValue(50);
    auto* vind = As<TzuVisualObject>(bar->FindResource("vindicator"));
    ASSERT_NE(vind, nullptr);
    EXPECT_FALSE(track->Visible());
    EXPECT_TRUE(vind->Visible());
    EXPECT_FALSE(ind->Visible());
}

TEST_F(HostedToggle, ProgressIndicatorFollowsRangeAndOrientationAtOnce) {
    auto* bar = new TzuProgressBar(nullptr);
    bar->SetBounds(10, 60, 154, 104);
    bar->SetParent(root);
    bar->SetValue(50);
    Settle();
    auto* htrack = As<TzuVisualObject>(bar->FindResource("htrack"));
    auto* ind = As<TzuVisualObject>(bar->FindResource("hindicator"));
    auto* vind = As<TzuVisualObject>(bar->FindResource("vindicator"));
    ASSERT_TRUE(htrack && ind && vind);
    const TzuRect m = htrack->MarginsRect();
    const float room = htrack->Width() - m.Left - m.Right;
    ASSERT_FLOAT_EQ(ind->Width(), room / 2);
    // Nothing else happens between the change and the check: no value or size change.
    bar->SetMax(200);
    EXPECT_FLOAT_EQ(ind->Width(), room / 4);
    bar->SetMin(-200);
    EXPECT_FLOAT_EQ(ind->Width(), room * 0.625f);
    bar->SetMin(50);  // the value at Min: an empty indicator
    EXPECT_FALSE(ind->Visible());
    bar->SetMin(0);
    bar->SetOrientation(zuVertical);
    EXPECT_FALSE(htrack->Visible());
    EXPECT_FALSE(ind->Visible());
    EXPECT_TRUE(vind->Visible());
}

}  // namespace
}  // namespace zu::test
