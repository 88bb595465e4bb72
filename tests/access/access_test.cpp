// What a screen reader is told about controls, checked without a display: the role, name,
// states and actions of each class family, and the accessible tree of a panel as controls
// come and go, including a control freed while a reader still holds its accessible.

#include <gtest/gtest.h>

#include "access/access_node.h"
#include "access/access_role.h"
#include "access/control_accessible.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_controls/check_box.h"
#include "scene/zu_controls/label.h"
#include "scene/zu_controls/panel.h"
#include "scene/zu_controls/progress_bar.h"
#include "scene/zu_controls/radio_button.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_controls/thumb.h"
#include "scene/zu_controls/track.h"
#include "scene/zu_lists/combo_box.h"
#include "scene/zu_lists/list_box.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_tabs/tab_control.h"
#include "scene/zu_tabs/tab_item.h"
#include "scene/zu_text/memo.h"
#include "scene/zu_text/text_box.h"
#include "scene/zu_trees/tree_view.h"
#include "scene/zu_trees/tree_view_item.h"
#include "tests/zu_controls/hosted_scene.h"

namespace zu::test {
namespace {

using AccessMap = HostedScene;
using AccessTree = HostedScene;

bool HasState(TzuControl& c, AtkStateType state) {
    AtkStateSet* set = atk_state_set_new();
    AccessStatesOf(c, set);
    const bool has = atk_state_set_contains_state(set, state);
    g_object_unref(set);
    return has;
}

bool HasState(AtkObject* a, AtkStateType state) {
    AtkStateSet* set = atk_object_ref_state_set(a);
    const bool has = atk_state_set_contains_state(set, state);
    g_object_unref(set);
    return has;
}

TEST_F(AccessMap, EachClassFamilyHasItsRoleAndOnlyInnerPartsHaveNone) {
    const std::pair<TzuControl*, AtkRole> cases[] = {
        {Add<TzuButton>(0, 0), ATK_ROLE_PUSH_BUTTON},
        {Add<TzuCheckBox>(0, 0), ATK_ROLE_CHECK_BOX},
        {Add<TzuRadioButton>(0, 0), ATK_ROLE_RADIO_BUTTON},
        {Add<TzuTrack>(0, 0), ATK_ROLE_SLIDER},
        {Add<TzuScrollBar>(0, 0), ATK_ROLE_SCROLL_BAR},
        {Add<TzuProgressBar>(0, 0), ATK_ROLE_PROGRESS_BAR},
        {Add<TzuLabel>(0, 0), ATK_ROLE_LABEL},
        {Add<TzuTextBox>(0, 0), ATK_ROLE_ENTRY},
        {Add<TzuMemo>(0, 0), ATK_ROLE_TEXT},
        {Add<TzuListBox>(0, 0), ATK_ROLE_LIST},
        {Add<TzuListBoxItem>(0, 0), ATK_ROLE_LIST_ITEM},
        {Add<TzuComboBox>(0, 0), ATK_ROLE_COMBO_BOX},
        {Add<TzuTabControl>(0, 0), ATK_ROLE_PAGE_TAB_LIST},
        {Add<TzuTabItem>(0, 0), ATK_ROLE_PAGE_TAB},
        {Add<TzuTreeView>(0, 0), ATK_ROLE_TREE},
        {Add<TzuTreeViewItem>(0, 0), ATK_ROLE_TREE_ITEM},
        {Add<TzuPanel>(0, 0), ATK_ROLE_PANEL},
        {Add<TzuThumb>(0, 0), ATK_ROLE_INVALID},
    };
    for (const auto& [control, role] : cases) EXPECT_EQ(AccessRoleOf(*control), role) << control->ClassName();
    // Containers show their children; buttons, ranges and text controls do not.
    EXPECT_FALSE(AccessRoleIsLeaf(ATK_ROLE_PANEL));
    EXPECT_FALSE(AccessRoleIsLeaf(ATK_ROLE_LIST));
    EXPECT_TRUE(AccessRoleIsLeaf(ATK_ROLE_SLIDER));
}

TEST_F(AccessMap, NamesStatesActionsAndValuesFollowTheControl) {
    auto* button = Add<TzuButton>(0, 0);
    button->SetText(u"Go");
    int clicks = 0;
    button->OnClick().Set([&clicks](TzuPersistent*) { ++clicks; });
    EXPECT_EQ(AccessNameOf(*button), "Go");
    EXPECT_TRUE(RunAccessAction(*button, TzuAccessAction::Click));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(RunAccessAction(*button, TzuAccessAction::Toggle)) << "a button offers no toggle";
    button->SetEnabled(false);
    EXPECT_FALSE(HasState(*button, ATK_STATE_ENABLED));
    EXPECT_FALSE(RunAccessAction(*button, TzuAccessAction::Click)) << "a disabled button is not pressed";
    EXPECT_EQ(clicks, 1);

    auto* panel = Add<TzuPanel>(0, 0);
    panel->SetHint(u"Tools");
    EXPECT_EQ(AccessNameOf(*panel), "Tools") << "without text the hint names it";

    auto* check = Add<TzuCheckBox>(0, 0);
    check->SetIsChecked(true);
    check->SetFocus();
    EXPECT_TRUE(HasState(*check, ATK_STATE_CHECKED));
    EXPECT_TRUE(HasState(*check, ATK_STATE_FOCUSED));
    EXPECT_TRUE(HasState(*check, ATK_STATE_SHOWING));
    EXPECT_TRUE(RunAccessAction(*check, TzuAccessAction::Toggle));
    EXPECT_FALSE(check->IsChecked());
    check->SetVisible(false);
    EXPECT_FALSE(HasState(*check, ATK_STATE_SHOWING));

    auto* track = Add<TzuTrack>(0, 0);
    track->SetValue(30);
    auto range = AccessRangeOf(*track);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->value, 30);
    EXPECT_TRUE(SetAccessValue(*track, 1e6));
    EXPECT_EQ(AccessRangeOf(*track)->value, range->max) << "the control clamps a reader's value";

    // A password box tells its length, never its characters.
    auto* box = Add<TzuTextBox>(0, 0);
    box->SetText(u"s\U0001F600t");
    box->SetPassword(true);
    EXPECT_EQ(AccessRoleOf(*box), ATK_ROLE_PASSWORD_TEXT);
    EXPECT_EQ(AccessTextOf(*box).text, u"\u25CF\u25CF\u25CF");
    box->SetPassword(false);
    EXPECT_EQ(AccessTextOf(*box).text, u"s\U0001F600t");
}

TEST_F(AccessTree, ControlsComeAndGoAndAFreedControlAnswersDefunct) {
    auto* panel = Add<TzuPanel>(0, 0);
    auto* button = new TzuButton(nullptr);
    button->SetParent(panel);
    // A shape is no node: the label inside it is a child of the panel.
    auto* shape = new TzuRectangle(nullptr);
    shape->SetParent(panel);
    auto* label = new TzuLabel(nullptr);
    label->SetText(u"Inside");
    label->SetParent(shape);
    (new TzuThumb(nullptr))->SetParent(panel);

    AtkObject* tree = NewControlAccessible(panel);
    ASSERT_EQ(atk_object_get_n_accessible_children(tree), 2);
    AtkObject* labelAcc = atk_object_ref_accessible_child(tree, 1);
    EXPECT_STREQ(atk_object_get_name(labelAcc), "Inside");
    EXPECT_EQ(atk_object_get_parent(labelAcc), tree);
    EXPECT_EQ(atk_object_get_index_in_parent(labelAcc), 1);
    EXPECT_EQ(TzuAccessNode::Find(label), NodeOf(labelAcc));

    int added = 0, removed = 0;
    g_signal_connect(tree, "children-changed::add",
                     G_CALLBACK(+[](AtkObject*, guint, gpointer, int* n) { ++*n; }), &added);
    g_signal_connect(tree, "children-changed::remove",
                     G_CALLBACK(+[](AtkObject*, guint, gpointer, int* n) { ++*n; }), &removed);
    (new TzuCheckBox(nullptr))->SetParent(panel);
    EXPECT_EQ(atk_object_get_n_accessible_children(tree), 3);
    EXPECT_EQ(added, 1);

    // A reader keeps the button's accessible while the button goes.
    AtkObject* buttonAcc = atk_object_ref_accessible_child(tree, 0);
    delete button;
    EXPECT_TRUE(HasState(buttonAcc, ATK_STATE_DEFUNCT));
    EXPECT_EQ(atk_object_get_name(buttonAcc), nullptr);
    EXPECT_FALSE(atk_action_do_action(ATK_ACTION(buttonAcc), 0));
    EXPECT_EQ(atk_object_get_n_accessible_children(tree), 2);
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(atk_object_get_parent(buttonAcc), nullptr);

    // The panel goes with the label below it; the label's accessible stays answerable.
    delete panel;
    EXPECT_TRUE(HasState(labelAcc, ATK_STATE_DEFUNCT));
    EXPECT_TRUE(HasState(tree, ATK_STATE_DEFUNCT));
    EXPECT_EQ(atk_object_get_n_accessible_children(tree), 0);
    g_object_unref(buttonAcc);
    g_object_unref(labelAcc);
    g_object_unref(tree);
}

}  // namespace
}  // namespace zu::test
