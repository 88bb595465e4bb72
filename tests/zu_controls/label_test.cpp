// Labels and panels in the default style: the text reaches the style's text part, AutoSize
// fits the label to its text on one line, and the value label keeps its text as given.

#include "scene/zu_controls/label.h"

#include <gtest/gtest.h>

#include "hosted_scene.h"
#include "scene/zu_controls/panel.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/types/translate.h"

namespace zu::test {
namespace {

using Labels = HostedScene;

TEST_F(Labels, TextAndAlignmentReachTheStylePartAndTheMousePassesThrough) {
    auto* label = Add<TzuLabel>(10, 10);
    ASSERT_NE(label->TextPart(), nullptr);
    EXPECT_EQ(label->Width(), 120);
    EXPECT_EQ(label->Height(), 15);
    EXPECT_FALSE(label->HitTest());
    EXPECT_TRUE(label->TextPart()->WordWrap());
    label->SetText(u"Name");
    label->SetTextAlign(zuTextAlignFar);
    EXPECT_EQ(label->TextPart()->Text(), u"Name");
    EXPECT_EQ(label->TextPart()->HorzTextAlign(), zuTextAlignFar);
    label->SetLabelWordWrap(false);
    EXPECT_FALSE(label->TextPart()->WordWrap());
    // A restyle hands the state to the new copy.
    label->SetResource("labelstyle");
    EXPECT_EQ(label->TextPart()->Text(), u"Name");
    EXPECT_FALSE(label->TextPart()->WordWrap());
    EXPECT_NE(scene->ObjectAtPoint(20, 15), label);
}

TEST_F(Labels, AutoSizeFitsTheTextOnOneLineAfterEveryChange) {
    auto* label = Add<TzuLabel>(10, 10);
    label->SetText(u"Hi");
    label->SetAutoSize(true);
    EXPECT_FALSE(label->WordWrap());
    EXPECT_FALSE(label->TextPart()->WordWrap());
    const float shortWidth = label->Width();
    const float lineHeight = label->Height();
    EXPECT_GT(shortWidth, 5);
    EXPECT_LT(shortWidth, 60);
    EXPECT_GT(lineHeight, 8);
    EXPECT_LT(lineHeight, 40);
    label->SetText(u"A much longer caption that would wrap in a 120 pixel label");
    EXPECT_GT(label->Width(), 200);
    EXPECT_FLOAT_EQ(label->Height(), lineHeight);           // still one line
    EXPECT_EQ(label->TextPart()->Width(), label->Width());  // the part follows the label again
    label->SetText(u"Hi");
    EXPECT_FLOAT_EQ(label->Width(), shortWidth);
    // Wrapping cannot be switched back on while the label sizes itself.
    label->SetLabelWordWrap(true);
    EXPECT_FALSE(label->WordWrap());
    // Without AutoSize the size stays where it is.
    label->SetAutoSize(false);
    label->SetText(u"Another long text for a label of fixed size");
    EXPECT_FLOAT_EQ(label->Width(), shortWidth);
}

TEST_F(Labels, LabelsTranslateTheirTextButValueLabelsDoNot) {
    auto dictionary = std::make_unique<TzuWideStringList>();
    dictionary->Add(u"Open=Ouvrir");
    SetTranslateDictionary(std::move(dictionary));
    auto* label = new TzuLabel(nullptr);
    label->SetText(u"Open");
    label->SetParent(root);
    auto* value = new TzuValueLabel(nullptr);
    value->SetText(u"Open");
    value->SetParent(root);
    app.ProcessMessages();
    SetTranslateDictionary(nullptr);
    EXPECT_EQ(label->Text(), u"Ouvrir");
    EXPECT_EQ(value->Text(), u"Open");
    EXPECT_FALSE(value->WordWrap());
    ASSERT_NE(value->TextPart(), nullptr);
    EXPECT_FALSE(value->TextPart()->WordWrap());
}

TEST_F(Labels, PanelsWearTheirStyleBehindTheirOwnChildren) {
    auto* panel = Add<TzuPanel>(10, 10);
    auto* hud = Add<TzuHudPanel>(150, 10);
    EXPECT_EQ(panel->Width(), 120);
    EXPECT_EQ(panel->Height(), 100);
    ASSERT_NE(panel->StyleObject(), nullptr);
    ASSERT_NE(hud->StyleObject(), nullptr);
    EXPECT_NE(As<TzuRectangle>(panel->FindResource("background")), nullptr);
    auto* child = Add<TzuLabel>(0, 0);
    child->SetParent(panel);
    EXPECT_EQ(panel->Children(0), panel->StyleObject());
    EXPECT_EQ(panel->Children(1), child);
}

}  // namespace
}  // namespace zu::test
