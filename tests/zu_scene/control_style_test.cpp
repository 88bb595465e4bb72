// The style cycle of controls: where a style is found, how the clone hangs below the
// control, restyling, the refusals that keep a style from cloning itself, tab order and
// data binding between controls.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/resources.h"
#include "visual_test_scene.h"

namespace zu::test {
namespace {

// A control class of its own, so the class style name is "Stylecheckstyle", and a
// subclass whose own name is in no style: the default style answers for its parent.
class TzuStyleCheck : public TzuControl {
    ZU_CLASS(TzuStyleCheck)
public:
    using TzuControl::TzuControl;
    int applied = 0;
    int freed = 0;
    bool throwInApply = false;
    TzuVariant data;
    TzuVariant GetData() override { return data; }
    void SetData(const TzuVariant& v) override { data = v; }

protected:
    void ApplyStyle() override {
        TzuControl::ApplyStyle();
        ++applied;
        if (throwInApply) throw std::runtime_error("part missing");
    }
    void FreeStyle() override { ++freed; }
};

class TzuStyleCheckKind : public TzuStyleCheck {
    ZU_CLASS(TzuStyleCheckKind)
public:
    using TzuStyleCheck::TzuStyleCheck;
};

const TzuClass& TzuStyleCheck::StaticClass() {
    static const TzuClass cls = ZuClass<TzuStyleCheck, TzuControl>("TzuStyleCheck");
    return cls;
}
const TzuClass& TzuStyleCheckKind::StaticClass() {
    static const TzuClass cls = ZuClass<TzuStyleCheckKind, TzuStyleCheck>("TzuStyleCheckKind");
    return cls;
}

// A style root holding named style objects, each a visual object of its own opacity so a
// test can tell which one was cloned.
TzuVisualObject* AddStyle(TzuObject* root, const std::string& name, float mark) {
    auto* s = new TzuVisualObject(nullptr);
    s->SetResourceName(name);
    s->SetOpacity(mark);
    s->SetParent(root);
    return s;
}

TzuVisualObject* g_defaultRoot = nullptr;
int g_defaultLoads = 0;
bool g_failDefault = false;

TzuObject* TestDefaultStyle() {
    ++g_defaultLoads;
    if (g_failDefault) return nullptr;
    auto* root = new TzuVisualObject(nullptr);
    AddStyle(root, "Stylecheckstyle", 0.11f);
    AddStyle(root, "shared", 0.12f);
    AddStyle(root, "SHARED", 0.13f);  // a second of the same name: the first wins
    g_defaultRoot = root;
    return root;
}

class ControlStyle : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterSceneClasses();
        RegisterClass(TzuVisualObject::StaticClass());
        RegisterClass(TzuStyleCheck::StaticClass());
        RegisterClass(TzuStyleCheckKind::StaticClass());
        FreeDefaultStyle();
        g_defaultLoads = 0;
        g_failDefault = false;
        SetDefaultStyleLoader(&TestDefaultStyle);
        root = new TzuVisualObject(nullptr);
        root->SetBounds(0, 0, 200, 100);
        scene.AddObject(root);
    }
    void TearDown() override {
        delete root;
        resources.reset();
        SetDefaultStyleLoader(nullptr);
        FreeDefaultStyle();
    }
    TzuStyleCheck* MakeControl(TzuObject* parent = nullptr) {
        auto* c = new TzuStyleCheck(nullptr);
        c->SetBounds(0, 0, 40, 20);
        c->SetParent(parent ? parent : root);
        return c;
    }
    float StyleWidth(TzuControl* c) { return c->StyleObject() ? c->StyleObject()->Width() : -1; }
    // Which style object the clone came from.
    float Mark(TzuControl* c) { return c->StyleObject() ? c->StyleObject()->Opacity() : -1; }
    void UseSceneStyle(const std::string& text) {
        resources = std::make_unique<TzuResources>(nullptr);
        resources->SetResourceText(text);
        scene.SetStyle(resources.get());
    }

    TestScene scene;
    TzuVisualObject* root = nullptr;
    std::unique_ptr<TzuResources> resources;
};

const char* const kSceneStyle =
    "object TzuVisualObject\n"
    "  object TzuVisualObject\n"
    "    Opacity = 0.21\n"
    "    ResourceName = 'stylecheckstyle'\n"
    "  end\n"
    "  object TzuVisualObject\n"
    "    Opacity = 0.22\n"
    "    ResourceName = 'mine'\n"
    "  end\n"
    "end\n";

TEST_F(ControlStyle, ClonesTheStyleAsALockedUnstoredFirstChildFillingTheControl) {
    TzuStyleCheck* c = MakeControl();
    auto* own = MakeVisual(c, 5, 5, 10, 10);
    c->ApplyStyleLookup();
    ASSERT_NE(c->StyleObject(), nullptr);
    EXPECT_EQ(StyleWidth(c), 40);  // vaContents fills the control
    EXPECT_EQ(c->StyleObject()->Align(), vaContents);
    EXPECT_EQ(c->Children(0), c->StyleObject());
    EXPECT_EQ(c->Children(1), own);
    EXPECT_TRUE(c->StyleObject()->Locked());
    EXPECT_FALSE(c->StyleObject()->Stored());
    EXPECT_TRUE(c->StyleObject()->ResourceName().empty());
    EXPECT_EQ(c->applied, 1);
    EXPECT_FALSE(c->StyleLookupNeeded());
    // Applied once per request; saving the control leaves the clone out.
    c->ApplyStyleLookup();
    EXPECT_EQ(c->applied, 1);
    std::string text;
    SaveObjectToText(c, text);
    EXPECT_EQ(text.find("object TzuVisualObject", text.find("object TzuVisualObject") + 1), std::string::npos)
        << text;
}

TEST_F(ControlStyle, SearchesOwnResourceThenSceneStyleThenDefaultStyle) {
    TzuStyleCheck* plain = MakeControl();
    plain->ApplyStyleLookup();
    EXPECT_EQ(g_defaultLoads, 1);
    EXPECT_FLOAT_EQ(Mark(plain), 0.11f);  // class style name, case-insensitive

    // A scene style overrides the default for the whole scene, at once.
    UseSceneStyle(kSceneStyle);
    EXPECT_FALSE(plain->StyleLookupNeeded());
    EXPECT_EQ(plain->freed, 1);
    EXPECT_FLOAT_EQ(Mark(plain), 0.21f);
    TzuStyleCheck* named = MakeControl();
    named->SetResource("MINE");
    EXPECT_FLOAT_EQ(Mark(named), 0.22f);

    // A name only the default style holds is found there; the first of two equal names.
    TzuStyleCheck* shared = MakeControl();
    shared->SetResource("shared");
    EXPECT_FLOAT_EQ(Mark(shared), 0.12f);
    EXPECT_EQ(g_defaultLoads, 1);  // read once

    // A stored object anywhere in the process, by its resource name.
    auto* elsewhere = MakeVisual(nullptr, 0, 0, 33, 10);
    elsewhere->SetOpacity(0.33f);
    elsewhere->SetResourceName("elsewhere");
    TzuStyleCheck* far = MakeControl();
    far->SetResource("Elsewhere");
    EXPECT_FLOAT_EQ(Mark(far), 0.33f);
    EXPECT_TRUE(far->StyleObject()->ResourceName().empty());
    EXPECT_EQ(elsewhere->ResourceName(), "elsewhere");
    delete elsewhere;

    // Without a scene style the class falls back to the default style again.
    scene.SetStyle(nullptr);
    EXPECT_EQ(plain->freed, 2);
    EXPECT_FLOAT_EQ(Mark(plain), 0.11f);
}

TEST_F(ControlStyle, DefaultStyleAnswersForTheParentClassOneLevelUp) {
    auto* kind = new TzuStyleCheckKind(nullptr);
    kind->SetParent(root);
    kind->ApplyStyleLookup();
    EXPECT_FLOAT_EQ(Mark(kind), 0.11f);
    // The scene style is not searched under the parent class's name.
    UseSceneStyle(kSceneStyle);
    EXPECT_FLOAT_EQ(Mark(kind), 0.11f);
    EXPECT_EQ(kind->applied, 2);
}

TEST_F(ControlStyle, ResourceSetterRestylesEvenWhenTheNameIsUnchanged) {
    TzuStyleCheck* c = MakeControl();
    c->SetResource("shared");
    TzuVisualObject* first = c->StyleObject();
    ASSERT_NE(first, nullptr);
    c->SetResource("shared");
    EXPECT_EQ(c->applied, 2);
    EXPECT_EQ(c->freed, 1);
    EXPECT_EQ(c->ChildrenCount(), 1);  // the old clone went
}

TEST_F(ControlStyle, FailedDefaultStyleIsRetriedOnTheNextLookup) {
    g_failDefault = true;
    TzuStyleCheck* c = MakeControl();
    c->ApplyStyleLookup();
    EXPECT_EQ(c->StyleObject(), nullptr);
    EXPECT_EQ(DefaultStyle(), nullptr);
    g_failDefault = false;
    c->SetResource("");
    EXPECT_NE(c->StyleObject(), nullptr);
    EXPECT_EQ(g_defaultLoads, 2);
}

TEST_F(ControlStyle, RefusesAStyleThatIsTheControlOrHoldsIt) {
    // The control itself and an ancestor, by resource name: either clone would contain
    // the control asking for the same style again.
    auto* holder = MakeVisual(root, 0, 0, 100, 50);
    holder->SetResourceName("holder");
    TzuStyleCheck* c = MakeControl(holder);
    c->SetResourceName("me");
    c->SetResource("me");
    EXPECT_EQ(c->StyleObject(), nullptr);
    c->SetResource("holder");
    EXPECT_EQ(c->StyleObject(), nullptr);
    EXPECT_EQ(c->ChildrenCount(), 0);

    // A style holding a control that asks for that same style: the outer control is
    // styled, the inner copy refuses instead of nesting without end.
    auto* loop = MakeVisual(nullptr, 0, 0, 50, 20);
    loop->SetResourceName("loop");
    auto* inner = new TzuStyleCheck(nullptr);
    inner->SetParent(loop);
    inner->SetResource("loop");
    TzuStyleCheck* outer = MakeControl();
    outer->SetResource("loop");
    ASSERT_NE(outer->StyleObject(), nullptr);
    auto* innerCopy = As<TzuStyleCheck>(outer->StyleObject()->Children(0));
    ASSERT_NE(innerCopy, nullptr);
    innerCopy->ApplyStyleLookup();
    EXPECT_EQ(innerCopy->StyleObject(), nullptr);
    delete loop;
}

// Two styles each holding a control that wears the other: the ring ends where a style
// would come round again, on the first styling and on every restyle after it.
TEST_F(ControlStyle, AStyleReachingItselfThroughAnotherStopsAlsoAfterARestyle) {
    auto* a = MakeVisual(nullptr, 0, 0, 50, 20);
    a->SetResourceName("ring-a");
    auto* toB = new TzuStyleCheck(nullptr);
    toB->SetParent(a);
    toB->SetResource("ring-b");
    auto* b = MakeVisual(nullptr, 0, 0, 50, 20);
    b->SetResourceName("ring-b");
    auto* toA = new TzuStyleCheck(nullptr);
    toA->SetParent(b);
    toA->SetResource("ring-a");
    TzuStyleCheck* outer = MakeControl();
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        outer->SetResource("ring-a");
        ASSERT_NE(outer->StyleObject(), nullptr);
        auto* copyB = As<TzuStyleCheck>(outer->StyleObject()->Children(0));
        ASSERT_NE(copyB, nullptr);
        copyB->ApplyStyleLookup();
        ASSERT_NE(copyB->StyleObject(), nullptr);
        auto* copyA = As<TzuStyleCheck>(copyB->StyleObject()->Children(0));
        ASSERT_NE(copyA, nullptr);
        copyA->ApplyStyleLookup();
        EXPECT_EQ(copyA->StyleObject(), nullptr);
    }
    delete a;
    delete b;
}

TEST_F(ControlStyle, AFailingStepRestoresTheSceneAndLeavesNoDanglingStyle) {
    TzuStyleCheck* c = MakeControl();
    c->ApplyStyleLookup();
    ASSERT_NE(c->StyleObject(), nullptr);
    // Restyling while loading suspends the scene's updates; a throwing step must not
    // leave them suspended, and the old clone is gone, not referenced.
    c->throwInApply = true;
    c->SetLoading(true);
    scene.updating = false;
    c->UpdateStyle();  // ignored while loading
    c->SetResource("shared");
    c->ApplyStyleLookup();
    EXPECT_FALSE(scene.updating);
    EXPECT_EQ(c->freed, 1);
    ASSERT_NE(c->StyleObject(), nullptr);
    EXPECT_EQ(c->StyleObject(), c->Children(0));
    EXPECT_EQ(c->ChildrenCount(), 1);
    c->SetLoading(false);
}

TEST_F(ControlStyle, FindResourceSearchesTheStyleFirst) {
    UseSceneStyle(
        "object TzuVisualObject\n"
        "  object TzuVisualObject\n"
        "    ResourceName = 'stylecheckstyle'\n"
        "    object TzuVisualObject\n"
        "      ResourceName = 'text'\n"
        "    end\n"
        "  end\n"
        "end\n");
    TzuStyleCheck* c = MakeControl();
    auto* own = MakeVisual(c, 0, 0, 9, 9);
    own->SetResourceName("text");
    c->ApplyStyleLookup();
    auto* part = As<TzuVisualObject>(c->FindResource("TEXT"));
    ASSERT_NE(part, nullptr);
    EXPECT_NE(part, own);
    EXPECT_EQ(part->Parent(), c->StyleObject());
    EXPECT_TRUE(part->Locked());
    // A name the style lacks falls through to the control's own children.
    own->SetResourceName("mine");
    EXPECT_EQ(c->FindResource("MINE"), own);
    EXPECT_EQ(c->FindResource("none"), nullptr);
}

TEST_F(ControlStyle, TabOrderIsClampedAndStoredOrdersArePlacedAfterLoading) {
    TzuStyleCheck* a = MakeControl();
    TzuStyleCheck* b = MakeControl();
    TzuStyleCheck* c = MakeControl();
    a->SetTabOrder(99);
    EXPECT_EQ(a->TabOrder(), 2);
    c->SetTabOrder(-5);
    EXPECT_EQ(c->TabOrder(), 0);
    EXPECT_EQ(b->TabOrder(), 1);
    EXPECT_EQ(a->TabOrder(), 2);

    // Two children read with the same stored order: the later one takes the slot.
    std::string text =
        "object TzuVisualObject\n"
        "  Width = 100.0\n"
        "  object TzuStyleCheck\n"
        "    TabOrder = 0\n"
        "  end\n"
        "  object TzuStyleCheck\n"
        "    TabOrder = 0\n"
        "  end\n"
        "  object TzuStyleCheck\n"
        "    TabOrder = 7\n"
        "  end\n"
        "end\n";
    std::unique_ptr<TzuObject> loaded(LoadObjectFromText(nullptr, text));
    ASSERT_NE(loaded, nullptr);
    auto* second = As<TzuControl>(loaded->Children(1));
    EXPECT_EQ(second->TabOrder(), 0);
    EXPECT_EQ(As<TzuControl>(loaded->Children(0))->TabOrder(), 1);
}

TEST_F(ControlStyle, BindingPushesValuesAndForgetsFreedPartners) {
    TzuStyleCheck* source = MakeControl();
    source->data = std::string("42");
    TzuStyleCheck* client = MakeControl();
    client->SetBindingSource(source);
    EXPECT_EQ(VariantToString(client->data), "42");
    source->data = std::string("7");
    source->PushBindingValue();
    EXPECT_EQ(VariantToString(client->data), "7");
    EXPECT_EQ(source->BindingClientCount(), 1);

    auto* other = MakeControl();
    other->SetBindingSource(source);
    delete client;
    EXPECT_EQ(source->BindingClientCount(), 1);
    delete source;
    EXPECT_EQ(other->BindingSource(), nullptr);
}

TEST_F(ControlStyle, ActiveControlTakesTheFocusWhenLoaded) {
    auto* c = MakeControl();
    c->SetCanFocus(true);
    scene.active = c;
    c->SetLoading(true);
    c->Loaded();
    EXPECT_EQ(scene.focused, c);
    // Entering the focus applies a style still due, so it shows the focus state.
    EXPECT_TRUE(c->IsFocused());
    EXPECT_NE(c->StyleObject(), nullptr);
    scene.active = nullptr;
}

}  // namespace
}  // namespace zu::test
