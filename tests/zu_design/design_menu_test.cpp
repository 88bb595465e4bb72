// The design menu of a scene through the headless platform's menu: every command, the
// private copy buffer, streams that do not read, the tab-order editor and custom styles.
#include "scene/zu_design/design_menu.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>

#include "platform/core/form.h"
#include "platform/core/utf.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_all/register_all.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_controls/label.h"
#include "scene/zu_controls/panel.h"
#include "scene/zu_design/tab_order_editor.h"
#include "scene/zu_lists/list_box.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/host/design_hook.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_scene/tree/resources.h"

namespace zu {
namespace {

// A designer that names objects as zu-view does and records what it heard.
struct RecordingHook : IzuDesignHook {
    std::string UniqueName(TzuCustomScene&, std::string_view className) override {
        return DesignClassName(className) + std::to_string(++names);
    }
    void SelectionChanged(TzuCustomScene&, TzuObject* selection) override { selected = selection; }
    void EditStyle(TzuCustomScene&, TzuResources* resources, std::string_view name) override {
        styleResources = resources;
        styleName = name;
    }
    void DesignStepDone(TzuCustomScene&) override { ++steps; }
    int names = 0;
    int steps = 0;
    TzuObject* selected = nullptr;
    TzuResources* styleResources = nullptr;
    std::string styleName;
};

class DesignMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterAll();
        SetDesignHook(&hook);
        SetDesignClipboardText("");
        form = new TzuForm(nullptr);
        form->SetDesigning(true);
        form->SetBounds(0, 0, 400, 300);
        scene = new TzuScene(form);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        root = new TzuBackground(form);
        scene->AddObject(root);
        form->Show();
        app.ProcessMessages();
        menu = DesignMenuOf(*scene);
        base = root->ChildrenCount();
    }
    void TearDown() override {
        delete form;
        SetDesignHook(nullptr);
    }
    // Opens the menu at a scene point, with object selected, and chooses an entry by path.
    bool Choose(TzuObject* selection, std::initializer_list<std::u16string_view> path,
                TzuPoint at = {-1, -1}) {
        scene->SetDesignSelection(selection);
        menu->Open(at, 0, 0);
        const bool found = app.ChoosePopupPath(path);
        if (app.PopupOpen()) app.ChoosePopupItem(-1);
        return found;
    }
    const TzuMenuEntry* Entry(std::initializer_list<std::u16string_view> path) {
        return MenuEntryAt(app.PopupRequests().back().items, app.PopupEntryIndex(path));
    }
    // Children of the root made here (the root's style part is one of its children too).
    int Added() const { return root->ChildrenCount() - base; }
    TzuRectangle* AddRect(TzuObject* parent, float x) {
        auto* r = new TzuRectangle(form);
        r->SetBounds(x, 10, 20, 20);
        r->SetParent(parent);
        return r;
    }

    TzuHeadlessApplication app;
    RecordingHook hook;
    TzuForm* form = nullptr;
    TzuScene* scene = nullptr;
    TzuBackground* root = nullptr;
    TzuDesignMenu* menu = nullptr;
    int base = 0;
};

TEST_F(DesignMenuTest, EntriesFollowTheSelectionInTheirOrder) {
    TzuRectangle* rect = AddRect(root, 0);
    scene->SetDesignSelection(rect);
    menu->Open({5, 5}, 0, 0);
    std::vector<std::u16string> captions;
    for (const TzuMenuEntry& e : app.PopupRequests().back().items)
        if (!e.Separator) captions.push_back(e.Caption);
    const std::vector<std::u16string> expected = {
        u"Add Rectangle",       u"Add object", u"Delete object", u"Load From File...",
        u"Hide in Design-time", u"Order",      u"Edit",          u"Grid"};
    EXPECT_EQ(captions, expected);  // the style and tab-order entries are for controls only
    EXPECT_GE(app.PopupEntryIndex({u"Add object", u"Shapes", u"Rectangle"}), 0);
    EXPECT_LT(app.PopupEntryIndex({u"Add object", u"", u"TextControl"}), 0);  // no hidden parts
    EXPECT_FALSE(Entry({u"Edit", u"Paste from clipboard"})->Enabled);         // nothing copied yet
    app.ChoosePopupItem(-1);
    // The root: no deleting, and a button gets the control entries.
    auto* button = new TzuButton(form);
    button->SetParent(root);
    scene->SetDesignSelection(root);
    menu->Open({5, 5}, 0, 0);
    EXPECT_FALSE(Entry({u"Delete object"})->Enabled);
    EXPECT_EQ(app.PopupEntryIndex({u"Edit Custom Style..."}) >= 0, true);
    app.ChoosePopupItem(app.PopupEntryIndex({u"Delete object"}));  // disabled: dismissed
    EXPECT_EQ(scene->Root(), root);
    EXPECT_EQ(hook.steps, 0);
    scene->SetDesignSelection(button);
    menu->Open({5, 5}, 0, 0);
    EXPECT_NE(Entry({u"Tab Order..."}), nullptr);
    app.ChoosePopupItem(-1);
}

TEST_F(DesignMenuTest, AddDeleteOrderAndHideChangeTheTreeAndEndASTep) {
    // Added into the selection at the drop point, named by the hook, showing its class.
    ASSERT_TRUE(Choose(root, {u"Add object", u"Shapes", u"Text"}, {120, 80}));
    auto* text = As<TzuText>(scene->DesignSelection());
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Parent(), root);
    EXPECT_EQ(text->Name(), "Text1");
    EXPECT_EQ(text->Text(), u"Text");
    EXPECT_EQ(text->Position()->X(), 120);
    EXPECT_EQ(text->Position()->Y(), 80);
    EXPECT_EQ(hook.selected, text);
    EXPECT_EQ(hook.steps, 1);
    // "Add Text" puts another beside it; outside the scene the drop point is not used.
    ASSERT_TRUE(Choose(text, {u"Add Text"}, {-50, 9000}));
    TzuObject* second = scene->DesignSelection();
    EXPECT_EQ(second->Parent(), root);
    EXPECT_EQ(second->Name(), "Text2");
    EXPECT_EQ(Added(), 2);
    // Order: to the start and to the end of the parent's children.
    ASSERT_TRUE(Choose(second, {u"Order", u"Send to back"}));
    EXPECT_EQ(second->Index(), 0);
    ASSERT_TRUE(Choose(second, {u"Order", u"Bring to front"}));
    EXPECT_EQ(second->Index(), root->ChildrenCount() - 1);
    // Hiding moves the selection to the parent and the entry shows the check.
    ASSERT_TRUE(Choose(text, {u"Hide in Design-time"}));
    EXPECT_TRUE(text->DesignHide());
    EXPECT_EQ(scene->DesignSelection(), root);
    scene->SetDesignSelection(text);
    menu->Open({0, 0}, 0, 0);
    EXPECT_TRUE(Entry({u"Hide in Design-time"})->Checked);
    app.ChoosePopupItem(-1);
    // Deleting selects the parent.
    ASSERT_TRUE(Choose(second, {u"Delete object"}));
    EXPECT_EQ(Added(), 1);
    EXPECT_EQ(scene->DesignSelection(), root);
    EXPECT_EQ(hook.steps, 6);
    EXPECT_FALSE(menu->DeleteSelection());  // the root stays
    EXPECT_EQ(scene->Root(), root);
}

TEST_F(DesignMenuTest, GridEntriesAreACheckAndAnExclusiveChoice) {
    ASSERT_TRUE(Choose(root, {u"Grid", u"Snap to grid"}));
    EXPECT_TRUE(scene->DesignSnapToGrid());
    EXPECT_FALSE(scene->DesignSnapToLines());
    ASSERT_TRUE(Choose(root, {u"Grid", u"Show snap grid"}));
    EXPECT_TRUE(scene->DesignSnapGridShow());
    menu->Open({0, 0}, 0, 0);
    const TzuMenuEntry* show = Entry({u"Grid", u"Show snap grid"});
    EXPECT_TRUE(show->CheckItem && show->Checked);
    for (auto [caption, on] :
         {std::pair{u"Snap to grid", true}, {u"Snap to lines", false}, {u"Snap disabled", false}}) {
        const TzuMenuEntry* e = Entry({u"Grid", caption});
        EXPECT_TRUE(e->RadioItem);
        EXPECT_EQ(e->Checked, on);
    }
    app.ChoosePopupItem(-1);
    ASSERT_TRUE(Choose(root, {u"Grid", u"Snap disabled"}));
    EXPECT_FALSE(scene->DesignSnapToGrid() || scene->DesignSnapToLines());
    ASSERT_TRUE(Choose(root, {u"Grid", u"Snap to lines"}));
    EXPECT_TRUE(scene->DesignSnapToLines());
    EXPECT_EQ(hook.steps, 4);
}

TEST_F(DesignMenuTest, CopyAndPasteGoThroughThePrivateBufferAndBadStreamsChangeNothing) {
    TzuRectangle* rect = AddRect(root, 30);
    rect->SetXRadius(7);
    app.SetClipboardText(u"platform");
    ASSERT_TRUE(Choose(rect, {u"Edit", u"Copy to clipboard"}));
    EXPECT_NE(DesignClipboardText().find("TzuRectangle"), std::string::npos);
    EXPECT_EQ(app.ClipboardText(), u"platform");  // the platform clipboard is not touched
    ASSERT_TRUE(Choose(root, {u"Edit", u"Paste from clipboard"}));
    auto* copy = As<TzuRectangle>(scene->DesignSelection());
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, rect);
    EXPECT_EQ(copy->Parent(), root);
    EXPECT_EQ(copy->xRadius(), 7);
    EXPECT_EQ(copy->Name(), "Rectangle1");
    const int steps = hook.steps;
    // Malformed text, a class nobody registered and a stream cut short: nothing is added,
    // and the error box says why.
    for (const char* bad : {"object TzuRectangle\n  xRadius = \nend", "object TzuNoSuchThing\nend",
                            "object TzuRectangle\n  object TzuText\n"}) {
        SetDesignClipboardText(bad);
        app.ClearErrors();
        ASSERT_TRUE(Choose(root, {u"Edit", u"Paste from clipboard"})) << bad;
        EXPECT_EQ(Added(), 2) << bad;
        ASSERT_EQ(app.Errors().size(), 1u) << bad;
        EXPECT_NE(app.Errors()[0].find("nothing was added"), std::string::npos);
    }
    EXPECT_EQ(hook.steps, steps);
}

TEST_F(DesignMenuTest, LoadFromFileOffersSceneFilesAndReadsOneIntoTheSelection) {
    const std::string good = ::testing::TempDir() + "design_load.zu";
    const std::string bad = ::testing::TempDir() + "design_bad.zu";
    std::ofstream(good) << "object TzuRectangle\n  Position.X = 5\nend\n";
    std::ofstream(bad) << "object TzuRectangle\n  Position.X = \n";
    app.SetOpenFileAnswer(bad);
    ASSERT_TRUE(Choose(root, {u"Load From File..."}));
    EXPECT_EQ(app.OpenFileMasks(), "*.lumora;*.zu");
    EXPECT_EQ(Added(), 0);
    EXPECT_EQ(app.Errors().size(), 1u);
    app.SetOpenFileAnswer(good);
    ASSERT_TRUE(Choose(root, {u"Load From File..."}));
    ASSERT_EQ(Added(), 1);
    EXPECT_EQ(scene->DesignSelection()->Name(), "Rectangle1");
    EXPECT_EQ(scene->DesignSelection()->Parent(), root);
    app.SetOpenFileAnswer(std::nullopt);  // cancelled
    ASSERT_TRUE(Choose(root, {u"Load From File..."}));
    EXPECT_EQ(Added(), 1);
    EXPECT_EQ(hook.steps, 1);
    std::remove(good.c_str());
    std::remove(bad.c_str());
}

TEST_F(DesignMenuTest, TabOrderEditorMovesTheChosenSibling) {
    auto* panel = new TzuPanel(form);
    panel->SetParent(root);
    TzuButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new TzuButton(form);
        buttons[i]->SetName("B" + std::to_string(i));
        buttons[i]->SetParent(panel);
    }
    ASSERT_TRUE(Choose(buttons[2], {u"Tab Order..."}));
    TzuTabOrderEditor* editor = menu->TabOrderEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->Title()->Text(), u"TabOrder Editor");
    EXPECT_EQ(editor->List()->Count(), 3);
    EXPECT_EQ(editor->List()->ItemIndex(), 2);
    editor->UpButton()->Click();
    editor->UpButton()->Click();
    EXPECT_EQ(buttons[2]->TabOrder(), 0);
    EXPECT_EQ(buttons[0]->TabOrder(), 1);
    EXPECT_FALSE(editor->MoveUp());  // already first
    EXPECT_EQ(editor->List()->ItemIndex(), 0);
    editor->DownButton()->Click();
    EXPECT_EQ(buttons[2]->TabOrder(), 1);
    EXPECT_EQ(hook.steps, 3);
    // The parent going leaves an editor with nothing to move.
    delete panel;
    EXPECT_TRUE(editor->Listed().empty());
    EXPECT_FALSE(editor->MoveDown());
    editor->Close();
}

TEST_F(DesignMenuTest, CustomStyleCopiesStylesIntoTheScenesResources) {
    auto* panel = new TzuPanel(form);
    panel->SetName("Panel1");
    panel->SetParent(root);
    auto* button = new TzuButton(form);
    button->SetParent(panel);
    root->ApplyStyleLookup();
    ASSERT_NE(panel->StyleObject(), nullptr);
    ASSERT_NE(button->StyleObject(), nullptr);
    ASSERT_EQ(scene->Style(), nullptr);
    ASSERT_TRUE(Choose(panel, {u"Edit Custom Style..."}));
    TzuResources* resources = scene->Style();
    ASSERT_NE(resources, nullptr);
    EXPECT_EQ(resources->Name(), "Resources1");
    ASSERT_NE(As<TzuBackground>(resources->StyleRoot()), nullptr);
    EXPECT_EQ(panel->Resource(), "Panel1Style");
    EXPECT_EQ(button->Resource(), "ButtonStyle");
    EXPECT_NE(resources->StyleRoot()->FindResource("Panel1Style"), nullptr);
    EXPECT_NE(resources->StyleRoot()->FindResource("ButtonStyle"), nullptr);
    EXPECT_EQ(hook.styleResources, resources);
    EXPECT_EQ(hook.styleName, "Panel1Style");
    // Again: the same resources, new names beside the old ones.
    ASSERT_TRUE(Choose(button, {u"Edit Custom Style..."}));
    EXPECT_EQ(scene->Style(), resources);
    EXPECT_EQ(button->Resource(), "ButtonStyle1");
    EXPECT_NE(resources->StyleRoot()->FindResource("Panel1Style"), nullptr);
    // The default style goes to the editor as it is.
    ASSERT_TRUE(Choose(button, {u"Edit Default Style..."}));
    EXPECT_EQ(hook.styleName, "ButtonStyle1");
    EXPECT_EQ(hook.steps, 2);
}

}  // namespace
}  // namespace zu
