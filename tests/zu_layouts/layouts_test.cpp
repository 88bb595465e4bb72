// Layout containers: cell flow, scaling from the design size, the hosted platform
// control, and frames borrowing another scene's root.

#include <gtest/gtest.h>

#include "backend/zu_canvas_cairo/cairo_backend.h"
#include "platform/core/form.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_text.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_layouts/frame.h"
#include "scene/zu_layouts/grid_layout.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_layouts/non_zu_layout.h"
#include "scene/zu_layouts/register_layouts.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/object_stream.h"

namespace zu::test {
namespace {

TzuVisualObject* Child(TzuObject* parent, float w = 10, float h = 10) {
    auto* v = new TzuVisualObject(nullptr);
    v->SetBounds(0, 0, w, h);
    v->SetParent(parent);
    return v;
}

TEST(TzuGridLayout, FlowsCellsIntoRowsInsideTheMargins) {
    TzuGridLayout grid(nullptr);
    grid.SetBounds(0, 0, 200, 300);
    std::vector<TzuVisualObject*> cells;
    for (int i = 0; i < 4; ++i) cells.push_back(Child(&grid));
    grid.Realign();
    EXPECT_EQ(cells[0]->Position()->X(), 0);
    EXPECT_EQ(cells[1]->Position()->X(), 64);
    EXPECT_EQ(cells[2]->Position()->X(), 128);
    EXPECT_EQ(cells[3]->Position()->X(), 0);
    EXPECT_EQ(cells[3]->Position()->Y(), 64);
    EXPECT_EQ(cells[0]->Width(), 64);

    // A left margin of 10: only two cells fit; padding shrinks a cell's child.
    grid.Margins()->SetRect({10, 0, 0, 0});
    cells[1]->Padding()->SetRect({2, 3, 4, 5});
    grid.Realign();
    EXPECT_EQ(cells[0]->Position()->X(), 10);
    EXPECT_EQ(cells[1]->Position()->X(), 76);
    EXPECT_EQ(cells[1]->Position()->Y(), 3);
    EXPECT_EQ(cells[1]->Width(), 58);
    EXPECT_EQ(cells[1]->Height(), 56);
    EXPECT_EQ(cells[2]->Position()->X(), 10);
    EXPECT_EQ(cells[2]->Position()->Y(), 64);

    // Vertical flow and a changed cell size lay out again at once.
    grid.Margins()->SetRect({0, 0, 0, 0});
    grid.SetOrientation(zuVertical);
    grid.SetItemHeight(100);
    EXPECT_EQ(cells[1]->Position()->Y(), 103);
    EXPECT_EQ(cells[2]->Position()->X(), 0);
    EXPECT_EQ(cells[2]->Position()->Y(), 200);
    EXPECT_EQ(cells[3]->Position()->X(), 64);
}

TEST(TzuScaledLayout, ScalesChildrenFromTheDesignSize) {
    TzuScaledLayout layout(nullptr);
    layout.SetWidth(100);
    layout.SetHeight(50);
    layout.SetOriginalWidth(100);
    layout.SetOriginalHeight(50);
    TzuVisualObject* child = Child(&layout, 10, 10);
    child->Position()->SetX(20);
    layout.SetWidth(200);
    const TzuMatrix m = child->AbsoluteMatrix();
    EXPECT_FLOAT_EQ(m.m11, 2);
    EXPECT_FLOAT_EQ(m.m22, 1);
    EXPECT_FLOAT_EQ(m.m31, 40);
    layout.SetOriginalWidth(0);
    EXPECT_EQ(layout.OriginalWidth(), 1);
}

class LayoutHost : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLayoutClasses();
        RegisterCairoBackend();
        form = MakeForm();
        scene = MakeScene(form);
        root = new TzuLayout(nullptr);
        scene->AddObject(root);
        form->Show();
        app.ProcessMessages();
    }
    void TearDown() override { delete form; }
    static TzuForm* MakeForm() {
        auto* f = new TzuForm(nullptr);
        f->SetBorderStyle(bsNone);
        f->SetBounds(0, 0, 120, 80);
        return f;
    }
    static TzuScene* MakeScene(TzuForm* f) {
        auto* s = new TzuScene(f);
        s->SetName("Scene");
        s->SetParent(f);
        s->SetAlign(alClient);
        return s;
    }

    TzuHeadlessApplication app;
    TzuForm* form = nullptr;
    TzuScene* scene = nullptr;
    TzuLayout* root = nullptr;
};

TEST_F(LayoutHost, NonZULayoutKeepsTheHostedControlOverItsAreaWhileVisible) {
    auto* layout = new TzuNonZULayout(nullptr);
    layout->SetParent(root);
    layout->SetBounds(10.4f, 20.6f, 30.5f, 40);
    auto* hosted = new TzuWinControl(form);
    hosted->SetParent(form);
    hosted->SetVisible(false);
    layout->SetNonZUControl(hosted);
    EXPECT_TRUE(hosted->Visible());
    EXPECT_EQ(hosted->Left(), 10);
    EXPECT_EQ(hosted->Top(), 21);
    EXPECT_EQ(hosted->Width(), 31);
    EXPECT_EQ(hosted->Height(), 40);

    // Hiding an ancestor hides the control on the next check.
    root->SetVisible(false);
    layout->UpdateControlVisibility();
    EXPECT_FALSE(hosted->Visible());
    root->SetVisible(true);
    layout->UpdateControlVisibility();
    EXPECT_TRUE(hosted->Visible());

    // An ancestor hidden and shown again takes the control along at once, also from
    // deeper up and with the timer stopped while it is hidden.
    auto* middle = new TzuLayout(nullptr);
    middle->SetParent(root);
    layout->SetParent(middle);
    root->SetVisible(false);
    EXPECT_FALSE(hosted->Visible());
    app.Advance(1000);
    root->SetVisible(true);
    EXPECT_TRUE(hosted->Visible());
    middle->SetVisible(false);
    EXPECT_FALSE(hosted->Visible());
    root->SetVisible(false);
    middle->SetVisible(true);  // still under a hidden root
    EXPECT_FALSE(hosted->Visible());
    root->SetVisible(true);
    EXPECT_TRUE(hosted->Visible());

    // The scene's own control is refused; a freed control clears the reference.
    layout->SetNonZUControl(scene);
    EXPECT_EQ(layout->NonZUControl(), hosted);
    delete hosted;
    EXPECT_EQ(layout->NonZUControl(), nullptr);
}

TEST_F(LayoutHost, FrameBorrowsTheRootAndGivesItBackCleanly) {
    TzuForm* otherForm = MakeForm();
    TzuScene* other = MakeScene(otherForm);
    auto* shown = new TzuLayout(nullptr);
    other->AddObject(shown);
    TzuVisualObject* leaf = Child(shown);

    auto* frame = new TzuFrame(nullptr);
    frame->SetParent(root);
    frame->SetBounds(0, 0, 60, 40);
    frame->SetSceneObject(other);
    EXPECT_EQ(shown->Parent(), frame);
    EXPECT_EQ(other->Root(), nullptr);
    EXPECT_EQ(other->FrameLink(), frame);
    // The whole borrowed subtree repaints through the showing scene.
    EXPECT_EQ(leaf->Scene(), static_cast<IzuScene*>(scene));
    EXPECT_EQ(shown->Align(), vaClient);
    EXPECT_EQ(shown->Width(), 60);

    // Not streamed with the frame.
    std::string text;
    SaveObjectToText(frame, text);
    EXPECT_EQ(text.find("TzuLayout"), std::string::npos) << text;

    // A second frame on the same scene waits for its own copy instead of stealing.
    auto* second = new TzuFrame(nullptr);
    second->SetParent(root);
    second->SetSceneObject(other);
    EXPECT_EQ(shown->Parent(), frame);

    // Freeing the frame gives the root back as its scene's root.
    delete frame;
    EXPECT_EQ(other->Root(), shown);
    EXPECT_EQ(shown->Parent(), nullptr);
    EXPECT_EQ(leaf->Scene(), static_cast<IzuScene*>(other));
    EXPECT_EQ(other->FrameLink(), nullptr);
    delete second;
    delete otherForm;
}

TEST_F(LayoutHost, FramesShowingEachOthersScenesFormNoCycle) {
    TzuForm* otherForm = MakeForm();
    TzuScene* other = MakeScene(otherForm);
    auto* otherRoot = new TzuLayout(nullptr);
    other->AddObject(otherRoot);

    auto* here = new TzuFrame(nullptr);
    here->SetParent(root);
    auto* there = new TzuFrame(nullptr);
    there->SetParent(otherRoot);
    here->SetSceneObject(other);   // otherRoot (holding `there`) now hangs below `here`
    there->SetSceneObject(scene);  // would hang root below itself: refused
    EXPECT_EQ(root->Parent(), nullptr);
    EXPECT_EQ(scene->Root(), root);
    for (TzuObject* o = there; o; o = o->Parent()) ASSERT_NE(o->Parent(), there);

    // The shown scene going away leaves the frame without a dangling root.
    delete otherForm;
    EXPECT_EQ(here->SceneObject(), nullptr);
    EXPECT_EQ(here->ChildrenCount(), 0);
}

TEST_F(LayoutHost, FrameReadFromAStreamBorrowsItsSceneOnceLoaded) {
    // The frame comes before the scene it names, as a form file has it.
    const char* text = R"(object Form1: TzuForm
  object Shows: TzuScene
    object Holder: TzuLayout
      Width = 80.0
      Height = 50.0
      object Window: TzuFrame
        Width = 60.0
        Height = 40.0
        SceneObject = Shown
      end
    end
  end
  object Shown: TzuScene
    object ShownRoot: TzuLayout
      Width = 10.0
      Height = 10.0
    end
  end
end
)";
    auto loaded = std::make_unique<TzuForm>(nullptr);
    TzuStreamReader(ObjectTextToBinary(text)).ReadRootInto(loaded.get());
    auto* frame = As<TzuFrame>(loaded->FindComponent("Window"));
    auto* shown = As<TzuScene>(loaded->FindComponent("Shown"));
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(frame->SceneObject(), shown);
    TzuObject* shownRoot = As<TzuObject>(loaded->FindComponent("ShownRoot"));
    EXPECT_EQ(frame->Borrowed(), shownRoot);
    EXPECT_EQ(shownRoot->Parent(), frame);
    EXPECT_EQ(shown->FrameLink(), frame);
    EXPECT_EQ(As<TzuVisualObject>(shownRoot)->Width(), 60);
}

}  // namespace
}  // namespace zu::test
