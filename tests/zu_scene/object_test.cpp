#include "scene/zu_scene/tree/object.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/property.h"
#include "scene/zu_scene/tree/animation.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/effect.h"

namespace zu {
namespace {

// A scene double that records its top-level objects and the objects it is told about.
class FakeScene : public IzuScene, public TzuComponent {
public:
    FakeScene() : TzuComponent(nullptr) {}
    void AddObject(TzuObject* o) override {
        objects.push_back(o);
        o->SetScene(this);
    }
    void RemoveObject(TzuObject* o) override {
        objects.erase(std::remove(objects.begin(), objects.end(), o), objects.end());
        o->SetScene(nullptr);
    }
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void EndUpdateSilently() override {}
    void AddUpdateRect(const TzuRect&) override {}
    bool IsUpdating() const override { return false; }
    void SetUpdating(bool) override {}
    TzuCanvas* Canvas() const override { return nullptr; }
    TzuObject* Root() const override { return objects.empty() ? nullptr : objects.front(); }
    TzuComponent* SceneControl() override { return this; }
    void Notification(TzuComponent* c, TzuOperation) override { gone.push_back(c); }
    int UpdateRectCount() const override { return 0; }
    TzuRect UpdateRect(int) const override { return {}; }

    std::vector<TzuObject*> objects;
    std::vector<TzuComponent*> gone;
};

class CountingAnimation : public TzuAnimation {
public:
    using TzuAnimation::TzuAnimation;
    void Start() override { ++starts; }
    void Stop() override { ++stops; }
    bool Running() const override { return false; }
    void ApplyTrigger(TzuObject*, std::string_view t) override { triggers.emplace_back(t); }
    int starts = 0, stops = 0;
    std::vector<std::string> triggers;
};

class FlagObject : public TzuObject {
    ZU_CLASS(FlagObject)
public:
    using TzuObject::TzuObject;
    bool IsFocused() const { return m_focused; }
    void SetIsFocused(bool v) { m_focused = v; }
    TzuVariant GetData() override { return data; }
    void SetData(const TzuVariant& v) override {
        if (VariantToString(v) == "boom") throw EzuError("refused");
        data = v;
    }
    TzuVariant data;

private:
    bool m_focused = false;
};

const TzuClass& FlagObject::StaticClass() {
    using P = ZuProps<FlagObject>;
    static const TzuPropInfo props[] = {
        P::Bool<&FlagObject::IsFocused, &FlagObject::SetIsFocused>("IsFocused")};
    static const TzuClass cls = ZuClass<FlagObject, TzuObject>("FlagObject", props);
    return cls;
}

TEST(TzuObject, SubtreeJoinsTheSceneWhenAttachedAndKeepsOrder) {
    FakeScene scene;
    auto* root = new TzuObject(nullptr);
    scene.AddObject(root);
    auto* branch = new TzuObject(nullptr);
    auto* leaf = new TzuObject(nullptr);
    leaf->SetParent(branch);
    EXPECT_EQ(leaf->Scene(), nullptr);
    branch->SetParent(root);
    EXPECT_EQ(branch->Scene(), &scene);
    EXPECT_EQ(leaf->Scene(), &scene);
    EXPECT_EQ(branch->Index(), 0);
    auto* second = new TzuObject(nullptr);
    second->SetParent(root);
    second->SendToBack();
    EXPECT_EQ(second->Index(), 0);
    EXPECT_EQ(branch->Index(), 1);
    branch->SendToBack();
    branch->BringToFront();
    EXPECT_EQ(root->Children(1), branch);
    EXPECT_THROW(branch->SetIndex(2), EzuError);
    EXPECT_EQ(root->Children(1), branch);
    // Detaching leaves the object without a scene; setting the same parent does nothing.
    branch->SetParent(root);
    EXPECT_EQ(root->ChildrenCount(), 2);
    branch->SetParent(nullptr);
    EXPECT_EQ(branch->Scene(), nullptr);
    EXPECT_EQ(branch->Index(), -1);
    EXPECT_EQ(root->ChildrenCount(), 1);
    delete branch;
    delete root;
    EXPECT_TRUE(scene.objects.empty());
}

TEST(TzuObject, RefusesCycles) {
    TzuObject a(nullptr);
    auto* b = new TzuObject(nullptr);
    b->SetParent(&a);
    a.SetParent(b);
    EXPECT_EQ(a.Parent(), nullptr);
    EXPECT_EQ(b->Parent(), &a);
}

TEST(TzuObject, ParentFreesChildrenEvenWhenAnotherComponentOwnsThem) {
    TzuComponent owner(nullptr);
    auto* parent = new TzuObject(nullptr);
    auto* child = new TzuObject(&owner);
    auto* grandchild = new TzuObject(&owner);
    child->SetParent(parent);
    grandchild->SetParent(child);
    size_t before = TzuObject::ObjectCount();
    delete parent;
    EXPECT_EQ(TzuObject::ObjectCount(), before - 3);
    EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(TzuObject, OwnerFreeingAParentAndItsOwnedChildrenIsSafe) {
    auto* owner = new TzuComponent(nullptr);
    auto* parent = new TzuObject(owner);
    for (int i = 0; i < 5; ++i) (new TzuObject(owner))->SetParent(parent);
    // The parent is the first owned component: the owner frees children first, then it.
    size_t before = TzuObject::ObjectCount();
    delete owner;
    EXPECT_EQ(TzuObject::ObjectCount(), before - 6);
}

TEST(TzuObject, MovingBetweenScenesAndTellingTheSceneOnDestruction) {
    FakeScene s1, s2;
    auto* r1 = new TzuObject(nullptr);
    auto* r2 = new TzuObject(nullptr);
    s1.AddObject(r1);
    s2.AddObject(r2);
    auto* obj = new TzuObject(nullptr);
    auto* inner = new TzuObject(nullptr);
    inner->SetParent(obj);
    obj->SetParent(r1);
    EXPECT_EQ(inner->Scene(), &s1);
    obj->SetParent(r2);
    EXPECT_EQ(obj->Scene(), &s2);
    // The moved root gets the new scene; a descendant keeps the one it had.
    EXPECT_EQ(inner->Scene(), &s1);
    delete obj;
    EXPECT_NE(std::find(s2.gone.begin(), s2.gone.end(), obj), s2.gone.end());
    EXPECT_TRUE(s1.gone.empty());
    delete r1;
    delete r2;
}

TEST(TzuObject, LookupsByName) {
    TzuObject root(nullptr);
    auto* a = new TzuObject(nullptr);
    auto* b = new TzuObject(nullptr);
    auto* c = new TzuObject(nullptr);
    a->SetParent(&root);
    b->SetParent(a);
    c->SetParent(&root);
    b->SetBindingName("Value");
    c->SetBindingName("value");
    b->SetResourceName("Fill");
    EXPECT_EQ(root.FindBinding("VALUE"), b);  // depth first, first match wins
    EXPECT_EQ(root.FindResource("fill"), b);
    EXPECT_EQ(root.FindResource(""), nullptr);
    EXPECT_EQ(b->FindResource("fill"), nullptr);  // no children

    // Controls of a subtree in pre-order, the object itself first when it is one, and
    // controls inside controls too.
    auto* panel = new TzuControl(nullptr);
    auto* inner = new TzuControl(nullptr);
    auto* plain = new TzuObject(nullptr);
    auto* last = new TzuControl(nullptr);
    panel->SetParent(a);
    plain->SetParent(panel);
    inner->SetParent(plain);
    last->SetParent(&root);
    std::vector<TzuControl*> controls;
    root.CollectControls(controls);
    EXPECT_EQ(controls, (std::vector<TzuControl*>{panel, inner, last}));
    controls.clear();
    panel->CollectControls(controls);
    EXPECT_EQ(controls, (std::vector<TzuControl*>{panel, inner}));
}

// Subtrees this large keep a name index; every kind of change below must show in the
// next answer. Each check asks twice: the second answer comes from a rebuilt index.
TEST(TzuObject, IndexedLookupsFollowEveryChange) {
    TzuObject root(nullptr);
    std::vector<TzuObject*> groups;
    for (int g = 0; g < 4; ++g) {
        groups.push_back(new TzuObject(nullptr));
        groups.back()->SetParent(&root);
        for (int i = 0; i < 60; ++i) (new TzuObject(nullptr))->SetParent(groups.back());
    }
    auto named = [](TzuObject* parent, const char* name) {
        auto* o = new TzuObject(nullptr);
        o->SetParent(parent);
        o->SetResourceName(name);
        return o;
    };
    TzuObject* deep = named(groups[2]->Children(5), "Part");
    TzuObject* later = named(groups[3], "part");
    int step = 0;
    auto expectFound = [&step](TzuObject* from, std::string_view name, TzuObject* expected) {
        ++step;
        EXPECT_EQ(from->FindResource(name), expected) << name << " in step " << step;
        EXPECT_EQ(from->FindResource(name), expected) << name << " in step " << step;
    };
    expectFound(&root, "PART", deep);
    expectFound(&root, "missing", nullptr);
    // A subtree with an index of its own inside an indexed one.
    expectFound(groups[1], "nothing", nullptr);
    expectFound(&root, "part", deep);

    TzuObject* early = groups[1]->Children(3);
    early->SetResourceName("PART");  // named inside the nested index
    expectFound(&root, "part", early);
    expectFound(groups[1], "part", early);
    early->SetResourceName("other");
    expectFound(groups[1], "part", nullptr);
    expectFound(&root, "Other", early);
    expectFound(&root, "part", deep);

    groups[3]->SetIndex(0);  // reordered ahead of the deep one
    expectFound(&root, "part", later);
    delete later;
    expectFound(&root, "part", deep);

    // Moved below a control the search does not enter, then out again.
    auto* control = new TzuControl(nullptr);
    control->SetParent(groups[0]);
    deep->SetParent(control);
    expectFound(&root, "part", nullptr);
    named(control, "inner");
    expectFound(&root, "inner", nullptr);
    control->SetResourceName("part");
    expectFound(&root, "part", control);
    deep->SetParent(groups[1]->Children(59));
    expectFound(&root, "part", control);  // still ahead of it
    delete control;
    expectFound(&root, "part", deep);

    TzuObject* added = named(groups[0]->Children(0), "part");
    expectFound(&root, "part", added);
    groups[0]->DeleteChildren();
    expectFound(&root, "part", deep);
    TzuObject* first = named(groups[1]->Children(0), "part");
    expectFound(groups[1], "part", first);
    groups[1]->SortChildren([](TzuObject* a, TzuObject* b) { return a->Serial() > b->Serial(); });
    expectFound(&root, "part", deep);
}

TEST(TzuObject, FindResourceObjectTakesTheNewestStoredOne) {
    TzuObject older(nullptr), newer(nullptr), hidden(nullptr);
    older.SetResourceName("brush1");
    newer.SetResourceName("Brush1");
    hidden.SetResourceName("BRUSH1");
    hidden.SetStored(false);
    EXPECT_EQ(TzuObject::FindResourceObject("brush1"), &newer);
}

TEST(TzuObject, BindingsSwallowRefusedValues) {
    TzuObject root(nullptr);
    auto* target = new FlagObject(nullptr);
    target->SetParent(&root);
    target->SetBindingName("b");
    root.SetBinding("b", std::string("hello"));
    EXPECT_EQ(VariantToString(root.GetBinding("B")), "hello");
    root.SetBinding("b", std::string("boom"));
    EXPECT_EQ(VariantToString(target->data), "hello");
    root.SetBinding("missing", std::string("x"));
    EXPECT_EQ(VariantToString(root.GetBinding("missing")), "");
    // Unnamed objects are not bindings: an empty name reaches neither the caller nor a child.
    EXPECT_EQ(root.FindBinding(""), nullptr);
    EXPECT_EQ(target->FindBinding(""), nullptr);
    target->SetBinding("", std::string("empty"));
    EXPECT_EQ(VariantToString(target->data), "hello");
    EXPECT_EQ(VariantToString(root.GetBinding("")), "");
}

TEST(DataText, ResolvesOnlyLiveObjectsAndPublishedMethods) {
    auto* obj = new TzuObject(nullptr);
    std::string text = ObjectToDataText(obj);
    EXPECT_EQ(text.rfind("zuobj", 0), 0u);
    EXPECT_EQ(DataTextToObject(text), obj);
    delete obj;
    EXPECT_EQ(DataTextToObject(text), nullptr);
    EXPECT_EQ(DataTextToObject("zuobj4294967295"), nullptr);
    EXPECT_EQ(DataTextToObject("zuobjxyz"), nullptr);
    EXPECT_EQ(DataTextToObject("hello"), nullptr);
    TzuNotifyEvent ev;
    EXPECT_FALSE(DataTextToMethod("zumet0000000100000000", ev));
    EXPECT_FALSE(DataTextToMethod("zumetDEADBEEFDEADBEEF", ev));
    EXPECT_FALSE(DataTextToMethod("zumet", ev));
    EXPECT_FALSE(ev.Assigned());
}

TEST(TzuObject, AnimationDispatchMatchesNamesAndRecursesIntoPassiveParts) {
    TzuObject root(nullptr);
    auto* a1 = new CountingAnimation(nullptr);
    auto* a2 = new CountingAnimation(nullptr);
    a1->SetName("Pulse");
    a2->SetName("other");
    a1->SetParent(&root);
    a2->SetParent(&root);
    auto* child = new TzuObject(nullptr);
    child->SetParent(&root);
    auto* deep = new CountingAnimation(nullptr);
    deep->SetName("pulse");
    deep->SetParent(child);
    root.StartAnimation(u"PULSE");
    root.StopAnimation(u"pulse");
    EXPECT_EQ(a1->starts, 1);
    EXPECT_EQ(a1->stops, 1);
    EXPECT_EQ(a2->starts, 0);
    EXPECT_EQ(deep->starts, 0);  // grandchildren are not started
    a2->SetTrigger("IsMouseOver=true");
    root.StartTriggerAnimation(&root, "IsMouseOver");
    EXPECT_EQ(a2->stops, 1);  // triggered animations are stopped first
    EXPECT_EQ(a1->triggers, std::vector<std::string>{"IsMouseOver"});
}

TEST(TzuEffect, TriggerSwitchesEnabledAndTheParentCachesHasEffect) {
    TzuObject parent(nullptr);
    EXPECT_FALSE(parent.HasEffect());
    auto* effect = new TzuEffect(nullptr);
    effect->SetParent(&parent);
    EXPECT_TRUE(parent.HasEffect());
    effect->SetEnabled(false);
    parent.InvalidateEffects();
    EXPECT_FALSE(parent.HasEffect());
    effect->SetTrigger("IsFocused=true");
    EXPECT_TRUE(parent.HasEffect());  // a trigger alone counts
    FlagObject instance(nullptr);
    instance.SetIsFocused(true);
    parent.ApplyTriggerEffect(&instance, "IsMouseOver");  // not mentioned: unchanged
    EXPECT_FALSE(effect->Enabled());
    parent.ApplyTriggerEffect(&instance, "isfocused");
    EXPECT_TRUE(effect->Enabled());
    instance.SetIsFocused(false);
    parent.ApplyTriggerEffect(&instance, "IsFocused");
    EXPECT_FALSE(effect->Enabled());
    // A condition on a missing property is skipped; the last applicable one decides.
    effect->SetTrigger("Nothing=1;IsFocused=false");
    parent.ApplyTriggerEffect(&instance, "IsFocused");
    EXPECT_TRUE(effect->Enabled());
}

TEST(TzuObject, StreamChildrenSkipUnstoredObjects) {
    TzuObject root(nullptr);
    auto* kept = new TzuObject(nullptr);
    auto* dropped = new TzuObject(nullptr);
    auto* below = new TzuObject(nullptr);
    kept->SetParent(&root);
    dropped->SetParent(&root);
    below->SetParent(dropped);
    dropped->SetStored(false);
    EXPECT_FALSE(below->Stored());
    std::vector<TzuComponent*> written;
    root.GetChildren([&](TzuComponent* c) { written.push_back(c); }, &root);
    EXPECT_EQ(written, std::vector<TzuComponent*>{kept});
}

}  // namespace
}  // namespace zu
