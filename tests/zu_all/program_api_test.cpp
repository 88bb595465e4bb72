// The calls a program writer meets first: one registration, UTF-8 text setters, making an
// object under its parent in one step, and the scene's frame event.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/core/class_registry.h"
#include "platform/core/form.h"
#include "platform/core/new_child.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_all/register_all.h"
#include "scene/zu_controls/label.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_text/memo.h"
#include "scene/zu_text/text_box.h"

namespace zu {
namespace {

TEST(RegisterAll, RegistersEveryUnitAndTheBackendOnce) {
    RegisterAll();
    RegisterAll();
    for (const char* name : {"TzuScene", "TzuRectangle", "TzuBlurEffect", "TzuColorAnimation", "TzuLayout",
                             "TzuTextControl", "TzuTextBox", "TzuListBox", "TzuTreeView"}) {
        const TzuClass* cls = FindClass(name);
        ASSERT_NE(cls, nullptr) << name;
        EXPECT_NE(cls->create, nullptr) << name;
    }
    EXPECT_NE(DefaultCanvasClass(), nullptr);
    // The backend really draws: a canvas of the installed class has pixels.
    std::unique_ptr<TzuCanvas> canvas(TzuCanvas::CreateBuffered(4, 4));
    ASSERT_NE(canvas, nullptr);
    EXPECT_NE(canvas->BufferBits(), nullptr);
}

TEST(SetTextUtf8, TextShapesLabelsAndBoxesTakeUtf8LikeUtf16) {
    RegisterAll();
    TzuForm form(nullptr);
    auto* text = new TzuText(&form);
    auto* label = new TzuLabel(&form);
    auto* box = new TzuTextBox(&form);
    auto* memo = new TzuMemo(&form);
    const std::string utf8 = "caf\xC3\xA9 \xF0\x9F\x98\x80";  // an accent and a pair of surrogates
    const std::u16string utf16 = u"caf\u00e9 \U0001F600";
    text->SetText(utf8);
    label->SetText(utf8);
    box->SetText(utf8);
    memo->SetText(utf8);
    EXPECT_EQ(text->Text(), utf16);
    EXPECT_EQ(label->Text(), utf16);
    EXPECT_EQ(box->Text(), utf16);
    EXPECT_EQ(memo->Text(), utf16);
    // A string literal picks the UTF-8 form; a broken sequence shows as a replacement.
    text->SetText(
        "a\xFF"
        "b");
    EXPECT_EQ(text->Text(), u"a\uFFFDb");
    // The UTF-16 form and the published property are unchanged.
    label->SetText(u"x");
    EXPECT_EQ(label->Text(), u"x");
    const TzuPropInfo* prop = TzuLabel::StaticClass().FindProperty("Text");
    ASSERT_NE(prop, nullptr);
    prop->setWStr(label, u"y");
    EXPECT_EQ(label->Text(), u"y");
}

TEST(NewChild, OwnsLikeAStreamReadAndPlacesUnderTheParent) {
    RegisterAll();
    auto form = std::make_unique<TzuForm>(nullptr);
    auto* scene = NewChild<TzuScene>(form.get());
    EXPECT_EQ(scene->Owner(), form.get());
    EXPECT_EQ(scene->Parent(), form.get());
    auto* panel = NewChild<TzuRectangle>(scene);
    EXPECT_EQ(panel->Owner(), form.get());
    ASSERT_EQ(scene->ObjectCount(), 1);
    EXPECT_EQ(scene->Objects(0), panel);
    EXPECT_EQ(scene->Root(), panel);
    auto* caption = NewChild<TzuText>(panel);
    EXPECT_EQ(caption->Owner(), form.get());
    EXPECT_EQ(caption->Parent(), panel);
    ASSERT_EQ(panel->ChildrenCount(), 1);
    // Freeing the parent frees the child, which leaves its owner.
    const int owned = form->ComponentCount();
    delete panel;
    EXPECT_EQ(form->ComponentCount(), owned - 2);
    EXPECT_EQ(scene->ObjectCount(), 0);
    // A scene nobody owns owns what is made under it, as reading a scene stream does.
    auto lone = std::make_unique<TzuScene>(nullptr);
    auto* shape = NewChild<TzuRectangle>(lone.get());
    EXPECT_EQ(shape->Owner(), lone.get());
    EXPECT_EQ(lone->ObjectCount(), 1);
    // The form frees the rest (the sanitizer run would report a leak or a double free).
    form.reset();
}

class FramePresented : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterAll();
        m_form = std::make_unique<TzuForm>(nullptr);
        m_form->SetBorderStyle(bsNone);
        m_scene = NewChild<TzuScene>(m_form.get());
        m_scene->SetAlign(alClient);
        m_rect = NewChild<TzuRectangle>(m_scene);
        m_rect->SetAlign(vaClient);
        m_form->SetBounds(0, 0, 60, 40);
    }
    void Show() {
        m_form->Show();
        m_app.ProcessMessages();
        m_app.Advance(1);
        m_app.ProcessMessages();
    }
    TzuHeadlessApplication m_app;
    std::unique_ptr<TzuForm> m_form;
    TzuScene* m_scene = nullptr;
    TzuRectangle* m_rect = nullptr;
};

TEST_F(FramePresented, TellsEachFrameWithItsTimeAndNothingWhenIdle) {
    std::vector<int64_t> times;
    m_scene->OnFramePresented().Set([&](TzuPersistent* sender, int64_t time) {
        EXPECT_EQ(sender, m_scene);
        times.push_back(time);
    });
    Show();
    ASSERT_FALSE(times.empty());
    EXPECT_LE(times.back(), m_app.Now());
    const size_t shown = times.size();
    // Nothing changes, nothing is painted, nothing is told.
    m_app.Advance(500);
    m_app.ProcessMessages();
    EXPECT_EQ(times.size(), shown);
    // A change paints one more frame, at the time it is painted.
    m_rect->Fill()->SetColorText("#FF00FF00");
    m_app.Advance(10);
    m_app.ProcessMessages();
    ASSERT_EQ(times.size(), shown + 1);
    EXPECT_EQ(times.back(), m_app.Now());
}

TEST_F(FramePresented, AHandlerMayFreeTheSceneItHears) {
    int calls = 0;
    m_scene->OnFramePresented().Set([&](TzuPersistent*, int64_t) {
        ++calls;
        delete m_scene;
        m_scene = nullptr;
    });
    Show();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(m_scene, nullptr);
    m_app.Advance(100);
    m_app.ProcessMessages();
}

TEST_F(FramePresented, IsPublishedAsAnEventOfTheScene) {
    const TzuPropInfo* prop = TzuScene::StaticClass().FindProperty("OnFramePresented");
    ASSERT_NE(prop, nullptr);
    EXPECT_EQ(prop->kind, TzuPropKind::Event);
}

}  // namespace
}  // namespace zu
