// The default style as the library carries it, and a button-like control wearing
// "buttonstyle" from it: parts bound, focus glow, restyling and the lookup order between
// the control's own style, the scene's style resource and the default style.

#include <gtest/gtest.h>

#include <memory>

#include "platform/core/class_registry.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_effects/glow_effect.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_library/library.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/graphics/gradient.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_scene/tree/resources.h"
#include "test_button.h"
#include "tests/zu_scene/visual_test_scene.h"

namespace zu::test {
namespace {

class DefaultStyle_ : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLibraryClasses();
        RegisterClass(TzuTestButton::StaticClass());
        root = new TzuBackground(nullptr);
        root->SetBounds(0, 0, 200, 100);
        scene.AddObject(root);
    }
    void TearDown() override {
        delete root;
        TzuAniThread::FreeInstance();
    }
    void Tick(int n = 1) {
        for (int i = 0; i < n; ++i) app.Advance(TzuAniThread::kInterval);
    }
    TzuTestButton* MakeButton() {
        auto* b = new TzuTestButton(nullptr);
        b->SetParent(root);
        return b;
    }

    TzuHeadlessApplication app;
    TestScene scene;
    TzuBackground* root = nullptr;
};

TEST_F(DefaultStyle_, IsReadOnceAndHoldsButtonstyleAsAuthored) {
    TzuObject* def = LoadDefaultStyle();
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(LoadDefaultStyle(), def);
    auto* back = As<TzuBackground>(def);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Width(), 548);
    EXPECT_EQ(back->Height(), 547);
    EXPECT_EQ(back->Fill()->Color(), 0xFF2B2B2Bu);
    EXPECT_EQ(back->Fill()->Style(), zuBrushSolid);
    for (const char* name : {"backgroundstyle", "panelstyle", "labelstyle", "buttonstyle"}) {
        EXPECT_NE(As<TzuLayout>(def->FindResource(name)), nullptr) << name;
    }

    auto* button = As<TzuLayout>(def->FindResource("BUTTONSTYLE"));
    EXPECT_EQ(button->Width(), 73);
    EXPECT_EQ(button->Height(), 26);
    auto* bg = As<TzuRectangle>(button->FindResource("background"));
    ASSERT_NE(bg, nullptr);
    EXPECT_EQ(bg->Align(), vaContents);
    EXPECT_TRUE(bg->Locked());
    EXPECT_FALSE(bg->HitTest());
    EXPECT_EQ(bg->Fill()->Style(), zuBrushGradient);
    const TzuGradient* g = bg->Fill()->Gradient();
    ASSERT_EQ(g->Points()->Count(), 2);
    EXPECT_EQ(g->Points()->Points(0)->Color(), 0xFF505050u);
    EXPECT_EQ(g->Points()->Points(1)->Color(), 0xFF303030u);
    EXPECT_EQ(g->Points()->Points(1)->Offset(), 1);
    EXPECT_EQ(g->Style(), zuLinearGradient);
    EXPECT_EQ(bg->Stroke()->Color(), 0xFF222222u);
    EXPECT_EQ(bg->xRadius(), 3);
    EXPECT_EQ(bg->yRadius(), 3);

    auto* text = As<TzuText>(button->FindResource("text"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->Align(), vaClient);
    EXPECT_EQ(text->PaddingRect().Left, 5);
    EXPECT_EQ(text->PaddingRect().Bottom, 2);
    EXPECT_EQ(text->Fill()->Color(), 0xFFE0E0E0u);
    EXPECT_EQ(text->Text(), u"button");
    EXPECT_FALSE(text->WordWrap());

    TzuGlowEffect* glow = nullptr;
    for (int i = 0; i < button->ChildrenCount(); ++i) {
        if (auto* e = As<TzuGlowEffect>(button->Children(i))) glow = e;
    }
    ASSERT_NE(glow, nullptr);
    EXPECT_EQ(glow->Trigger(), "IsFocused=true");
    EXPECT_FALSE(glow->Enabled());
    EXPECT_FLOAT_EQ(glow->Softness(), 0.2f);
    EXPECT_FLOAT_EQ(glow->Opacity(), 0.9f);
    EXPECT_EQ(glow->GlowColor(), 0xFFF69E2Du);

    // The four colour animations on the background, once their class is there.
    int animations = 0;
    for (int i = 0; i < bg->ChildrenCount(); ++i)
        animations += SameText(bg->Children(i)->ClassName(), "TzuColorAnimation");
    EXPECT_EQ(animations, FindClass("TzuColorAnimation") ? 4 : 0);
}

TEST_F(DefaultStyle_, ButtonBindsItsPartsAndShowsTheFocusGlow) {
    TzuTestButton* b = MakeButton();
    b->SetText(u"OK");
    b->ApplyStyleLookup();
    ASSERT_NE(b->StyleObject(), nullptr);
    EXPECT_EQ(b->StyleObject()->Width(), 80);
    ASSERT_NE(b->TextPart(), nullptr);
    EXPECT_EQ(b->TextPart()->Text(), u"OK");
    b->SetText(u"Cancel");
    EXPECT_EQ(b->TextPart()->Text(), u"Cancel");

    TzuGlowEffect* glow = nullptr;
    for (int i = 0; i < b->StyleObject()->ChildrenCount(); ++i) {
        if (auto* e = As<TzuGlowEffect>(b->StyleObject()->Children(i))) glow = e;
    }
    ASSERT_NE(glow, nullptr);
    EXPECT_FALSE(glow->Enabled());
    b->Focus(true);
    EXPECT_TRUE(glow->Enabled());
    b->Focus(false);
    EXPECT_FALSE(glow->Enabled());

    // A restyle of a focused control shows the focus state at once.
    b->Focus(true);
    b->SetResource("buttonstyle");
    EXPECT_EQ(b->styled, 2);
    glow = nullptr;
    for (int i = 0; i < b->StyleObject()->ChildrenCount(); ++i) {
        if (auto* e = As<TzuGlowEffect>(b->StyleObject()->Children(i))) glow = e;
    }
    ASSERT_NE(glow, nullptr);
    EXPECT_TRUE(glow->Enabled());
    EXPECT_EQ(b->TextPart()->Text(), u"Cancel");
}

TEST_F(DefaultStyle_, SceneStyleOverridesTheDefaultAndFallsBackWhenItGoes) {
    TzuTestButton* b = MakeButton();
    b->ApplyStyleLookup();
    auto res = std::make_unique<TzuResources>(nullptr);
    res->SetResourceText(
        "object TzuLayout\n"
        "  object TzuLayout\n"
        "    ResourceName = 'ButtonStyle'\n"
        "    object TzuText\n"
        "      ResourceName = 'text'\n"
        "      Fill.Color = '#FF00FF00'\n"
        "    end\n"
        "  end\n"
        "end\n");
    scene.SetStyle(res.get());
    ASSERT_NE(b->TextPart(), nullptr);
    EXPECT_EQ(b->TextPart()->Fill()->Color(), 0xFF00FF00u);
    EXPECT_EQ(b->styled, 2);
    // The background on the root finds no "backgroundstyle" in the scene's style and
    // takes the default one.
    ASSERT_NE(root->StyleObject(), nullptr);
    res.reset();
    EXPECT_EQ(b->TextPart()->Fill()->Color(), 0xFFE0E0E0u);
    EXPECT_EQ(b->styled, 3);
}

TEST_F(DefaultStyle_, HoverRunsTheColourAnimationsOfTheBackgroundPart) {
    TzuTestButton* b = MakeButton();
    b->ApplyStyleLookup();
    auto* bg = As<TzuRectangle>(b->FindResource("background"));
    ASSERT_NE(bg, nullptr);
    // Entering: 0.2 s from #FF505050 to #FF707070 on the 33 ms clock.
    b->SetHover(true);
    EXPECT_EQ(bg->Fill()->ColorText(), "#FF505050");
    Tick(3);
    const std::string halfway = bg->Fill()->ColorText();
    EXPECT_NE(halfway, "#FF505050");
    EXPECT_NE(halfway, "#FF707070");
    Tick(4);
    EXPECT_EQ(bg->Fill()->ColorText(), "#FF707070");
    Tick(3);
    EXPECT_EQ(bg->Fill()->ColorText(), "#FF707070");
    // Leaving runs the mirrored animation back.
    b->SetHover(false);
    EXPECT_EQ(bg->Fill()->ColorText(), "#FF707070");
    Tick(7);
    EXPECT_EQ(bg->Fill()->ColorText(), "#FF505050");
    // Pressed while hovered darkens to #FF404040.
    b->SetHover(true);
    Tick(7);
    b->SetIsPressed(true);
    Tick(7);
    EXPECT_EQ(bg->Fill()->ColorText(), "#FF404040");
}

}  // namespace
}  // namespace zu::test
