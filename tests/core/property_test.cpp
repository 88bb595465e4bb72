#include "platform/core/property.h"

#include <gtest/gtest.h>

#include <utility>

#include "platform/core/class_registry.h"
#include "platform/core/component.h"

namespace zu {
namespace {

enum TestAlign { taNone, taLeft, taRight };
const char* const kAlignNames[] = {"taNone", "taLeft", "taRight"};
const TzuEnumInfo kAlignEnum{"TestAlign", kAlignNames, 3};

class TestInner : public TzuPersistent {
    ZU_CLASS(TestInner)
public:
    float X() const { return m_x; }
    void SetX(float x) {
        m_x = x;
        ++changes;
    }
    int changes = 0;

private:
    float m_x = 0;
};

const TzuClass& TestInner::StaticClass() {
    using P = ZuProps<TestInner>;
    static const TzuPropInfo props[] = {P::Float<&TestInner::X, &TestInner::SetX>("X")};
    static const TzuClass cls = ZuClass<TestInner, TzuPersistent>("TestInner", props);
    return cls;
}

class TestThing : public TzuComponent {
    ZU_CLASS(TestThing)
public:
    using TzuComponent::TzuComponent;
    int Count() const { return m_count; }
    void SetCount(int v) { m_count = v; }
    bool Flag() const { return m_flag; }
    void SetFlag(bool v) { m_flag = v; }
    TestAlign Align() const { return m_align; }
    void SetAlign(TestAlign v) { m_align = v; }
    int64_t Options() const { return m_options; }
    void SetOptions(int64_t v) { m_options = v; }
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& v) { m_caption = v; }
    const std::u16string& Text() const { return m_text; }
    void SetText(const std::u16string& v) { m_text = v; }
    TestInner* Inner() const { return const_cast<TestInner*>(&m_inner); }
    TestThing* Buddy() const { return m_buddy; }
    void SetBuddy(TestThing* v) { m_buddy = v; }
    TzuNotifyEvent& OnPoke() { return m_onPoke; }
    void Handler(TzuPersistent* sender) { lastSender = sender; }
    void Other(int) {}
    TzuPersistent* lastSender = nullptr;

private:
    int m_count = 5;
    bool m_flag = false;
    TestAlign m_align = taNone;
    int64_t m_options = 0;
    std::string m_caption;
    std::u16string m_text;
    TestInner m_inner;
    TestThing* m_buddy = nullptr;
    TzuNotifyEvent m_onPoke;
};

const TzuClass& TestThing::StaticClass() {
    using P = ZuProps<TestThing>;
    static const TzuPropInfo props[] = {
        P::Int<&TestThing::Count, &TestThing::SetCount>("Count").Default(5),
        P::Bool<&TestThing::Flag, &TestThing::SetFlag>("Flag").Default(0),
        P::Enum<&TestThing::Align, &TestThing::SetAlign>("Align", kAlignEnum).Default(taNone),
        P::SetOf<&TestThing::Options, &TestThing::SetOptions>("Options", kAlignEnum),
        P::String<&TestThing::Caption, &TestThing::SetCaption>("Caption"),
        P::WString<&TestThing::Text, &TestThing::SetText>("Text"),
        P::Object<&TestThing::Inner>("Inner"),
        P::Reference<&TestThing::Buddy, &TestThing::SetBuddy>("Buddy"),
        P::Event<&TestThing::OnPoke>("OnPoke"),
    };
    static const TzuMethodInfo methods[] = {
        ZuMethod<&TestThing::Handler>("Handler"),
        ZuMethod<&TestThing::Other>("Other"),
    };
    static const TzuClass cls = ZuClass<TestThing, TzuComponent>("TestThing", props, methods);
    return cls;
}

TEST(PropertyTable, LooksUpNamesCaseInsensitivelyThroughBaseClasses) {
    const TzuClass& cls = TestThing::StaticClass();
    ASSERT_NE(cls.FindProperty("count"), nullptr);
    EXPECT_STREQ(cls.FindProperty("CAPTION")->name, "Caption");
    // Tag comes from the component base class.
    EXPECT_NE(cls.FindProperty("tag"), nullptr);
    EXPECT_EQ(cls.FindProperty("Missing"), nullptr);
    EXPECT_TRUE(cls.InheritsFrom(TzuComponent::StaticClass()));
    EXPECT_FALSE(TzuComponent::StaticClass().InheritsFrom(cls));
}

TEST(PropertyTable, NamesMatchTheOtherCaseOfLettersOnly) {
    EXPECT_TRUE(SameText("Fill.Color", "fILL.cOLOR"));
    // Bytes one case bit apart that are no letters are different characters.
    for (const auto& [a, b] : {std::pair{"a[", "a{"}, {"@x", "`x"}, {"x_", "x\x7F"}, {"\xC4", "\xE4"}})
        EXPECT_FALSE(SameText(a, b)) << a;
    const TzuClass& cls = TestThing::StaticClass();
    ASSERT_NE(cls.FindProperty("OPTIONS"), nullptr);
    EXPECT_EQ(cls.FindProperty("OPTIONS"), cls.FindProperty("options"));
    // Same length, first, middle and last letters as "Caption", yet another name.
    EXPECT_EQ(cls.FindProperty("Cuption"), nullptr);
    EXPECT_EQ(cls.FindProperty("Option"), nullptr);
    EXPECT_EQ(cls.FindProperty(""), nullptr);
    RegisterClass(TestThing::StaticClass());
    EXPECT_EQ(FindClass("TESTTHING"), &TestThing::StaticClass());
    EXPECT_EQ(FindClass("testthing "), nullptr);
    EXPECT_EQ(FindClass("TestThong"), nullptr);
}

TEST(PropertyTable, SetsEveryKindByTextAndReadsItBack) {
    TestThing t(nullptr);
    EXPECT_TRUE(SetPropText(ResolveProperty(&t, "Count"), "42"));
    EXPECT_EQ(t.Count(), 42);
    EXPECT_TRUE(SetPropText(ResolveProperty(&t, "flag"), "true"));
    EXPECT_TRUE(t.Flag());
    EXPECT_EQ(GetPropText(ResolveProperty(&t, "Flag")), "True");
    EXPECT_TRUE(SetPropText(ResolveProperty(&t, "Align"), "taright"));
    EXPECT_EQ(t.Align(), taRight);
    EXPECT_EQ(GetPropText(ResolveProperty(&t, "Align")), "taRight");
    EXPECT_TRUE(SetPropText(ResolveProperty(&t, "Options"), "[taLeft, taRight]"));
    EXPECT_EQ(t.Options(), 6);
    EXPECT_EQ(GetPropText(ResolveProperty(&t, "Options")), "[taLeft,taRight]");
    EXPECT_TRUE(SetPropValue(ResolveProperty(&t, "Text"), std::string("h\xC3\xA9")));
    EXPECT_EQ(t.Text(), u"h\u00e9");
    EXPECT_TRUE(SetPropText(ResolveProperty(&t, "Inner.X"), "2.5"));
    EXPECT_FLOAT_EQ(t.Inner()->X(), 2.5f);
    EXPECT_EQ(GetPropText(ResolveProperty(&t, "Inner.X")), "2.5");
}

TEST(PropertyTable, RefusesValuesThatDoNotFitAndLeavesTheOldOne) {
    TestThing t(nullptr);
    t.SetAlign(taLeft);
    EXPECT_FALSE(SetPropText(ResolveProperty(&t, "Align"), "sideways"));
    EXPECT_FALSE(SetPropValue(ResolveProperty(&t, "Align"), int64_t{7}));
    EXPECT_EQ(t.Align(), taLeft);
    EXPECT_FALSE(SetPropText(ResolveProperty(&t, "Count"), "12abc"));
    EXPECT_FALSE(SetPropText(ResolveProperty(&t, "Inner.X"), "nan"));
    // A double beyond the single's range would become infinite in a single property.
    EXPECT_FALSE(SetPropValue(ResolveProperty(&t, "Inner.X"), 1e300));
    EXPECT_FALSE(SetPropText(ResolveProperty(&t, "Inner.X"), "-3.5e38"));
    EXPECT_EQ(t.Inner()->X(), 0);
    EXPECT_FALSE(SetPropText(ResolveProperty(&t, "Options"), "[taLeft, bogus]"));
    EXPECT_EQ(t.Count(), 5);
    EXPECT_EQ(t.Options(), 0);
    // Paths through non-object properties or to missing names resolve to nothing.
    EXPECT_FALSE(ResolveProperty(&t, "Count.X"));
    EXPECT_FALSE(ResolveProperty(&t, "Inner.Y"));
    EXPECT_FALSE(ResolveProperty(&t, "Buddy.Count"));  // no buddy set
}

TEST(PropertyTable, PathsFollowReferences) {
    TestThing a(nullptr), b(nullptr);
    a.SetBuddy(&b);
    EXPECT_TRUE(SetPropText(ResolveProperty(&a, "Buddy.Count"), "9"));
    EXPECT_EQ(b.Count(), 9);
}

TEST(PropertyTable, StoredRulesFollowDefaults) {
    TestThing t(nullptr);
    const TzuClass& cls = TestThing::StaticClass();
    EXPECT_FALSE(IsPropStored(&t, *cls.FindProperty("Count")));  // at its default 5
    t.SetCount(0);
    EXPECT_TRUE(IsPropStored(&t, *cls.FindProperty("Count")));
    EXPECT_FALSE(IsPropStored(&t, *cls.FindProperty("Caption")));
    t.SetCaption("x");
    EXPECT_TRUE(IsPropStored(&t, *cls.FindProperty("Caption")));
    EXPECT_FALSE(IsPropStored(&t, *cls.FindProperty("Name")));  // not stored at all
    EXPECT_TRUE(cls.FindProperty("Name")->ReadOnly());
}

TEST(Events, BindPublishedMethodsOfMatchingSignatureOnly) {
    TestThing form(nullptr), button(nullptr);
    TzuNotifyEvent& ev = button.OnPoke();
    EXPECT_FALSE(ev.Bind(&form, form.ClassType().FindMethod("Other")));
    EXPECT_FALSE(ev.Assigned());
    ASSERT_TRUE(ev.Bind(&form, form.ClassType().FindMethod("handler")));
    ev(&button);
    EXPECT_EQ(form.lastSender, &button);
    EXPECT_EQ(GetPropText(ResolveProperty(&button, "OnPoke")), "Handler");
    // Code wiring replaces the method binding.
    int calls = 0;
    ev.Set([&](TzuPersistent*) { ++calls; });
    ev(&button);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ev.Method(), nullptr);
}

class Watcher : public TzuComponent {
public:
    using TzuComponent::TzuComponent;
    void Notification(TzuComponent* c, TzuOperation op) override {
        if (op == TzuOperation::opRemove && c == watched) watched = nullptr;
    }
    TzuComponent* watched = nullptr;
};

TEST(Component, OwnerFreesOwnedComponentsAndFreeNotificationClearsReferences) {
    auto* owner = new TzuComponent(nullptr);
    auto* a = new TestThing(owner);
    auto* b = new TestThing(owner);
    a->SetName("Alpha");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent("alpha"), a);
    Watcher w(nullptr);
    w.watched = b;
    w.FreeNotification(b);
    delete b;  // leaves the owner and tells the watcher
    EXPECT_EQ(owner->ComponentCount(), 1);
    EXPECT_EQ(w.watched, nullptr);
    w.watched = a;
    w.FreeNotification(a);
    delete owner;  // frees a, which tells the watcher
    EXPECT_EQ(w.watched, nullptr);
}

TEST(Component, WatcherDyingFirstUnlinksItself) {
    auto* target = new TestThing(nullptr);
    Watcher survivor(nullptr);
    survivor.watched = target;
    survivor.FreeNotification(target);
    {
        Watcher early(nullptr);
        early.FreeNotification(target);
    }
    // The target must tell only the live watcher (a dangling one shows under ASan).
    delete target;
    EXPECT_EQ(survivor.watched, nullptr);
}

TEST(ClassRegistry, CreatesRegisteredClassesByName) {
    RegisterClass(TestThing::StaticClass());
    TzuComponent owner(nullptr);
    TzuPersistent* p = CreateObject("testthing", &owner);
    ASSERT_NE(p, nullptr);
    EXPECT_TRUE(p->Is<TestThing>());
    EXPECT_EQ(owner.ComponentCount(), 1);
    EXPECT_EQ(CreateObject("NoSuchClass", &owner), nullptr);
    EXPECT_EQ(FindClass("TestInner"), nullptr);
}

}  // namespace
}  // namespace zu
