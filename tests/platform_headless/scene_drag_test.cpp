// Drops from other programs and drags inside the scene reaching the objects that accept
// them, committed input-method text, the input method's caret and the hint tooltip.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/core/utf.h"
#include "scene/zu_scene/tree/visual_object.h"
#include "tests/platform_headless/host_fixture.h"

namespace zu::test {
namespace {

using Log = std::vector<std::string>;

// Reports its caret where a text control would.
class TEdit : public TzuVisualObject {
public:
    using TzuVisualObject::TzuVisualObject;
    TzuRect caret{0, 0, 0, 0};
    TzuRect CaretRect() override { return caret; }
};

// Starts its automatic drag only when allowed, as a list starts one only from an item.
class TPickySource : public TzuVisualObject {
public:
    using TzuVisualObject::TzuVisualObject;
    bool allow = false;
    int asked = 0;
    void BeginAutoDrag() override {
        ++asked;
        if (allow) TzuVisualObject::BeginAutoDrag();
    }
};

// Counts the hit tests that reach it.
class TCountedHits : public TzuVisualObject {
public:
    using TzuVisualObject::TzuVisualObject;
    TzuVisualObject* ObjectAtPoint(float x, float y) override {
        ++hits;
        return TzuVisualObject::ObjectAtPoint(x, y);
    }
    int hits = 0;
};

class SceneDragTest : public HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        root = new TzuVisualObject(form);
        scene->AddObject(root);
        scene->RealignRoot();
    }
    // A drag target that logs its drag calls and accepts what accepts() says.
    TzuVisualObject* Add(TzuVisualObject* parent, const std::string& name, float x, float y, float w, float h,
                         bool accepts) {
        auto* o = new TzuVisualObject(form);
        parent->AddObject(o);
        o->SetBounds(x, y, w, h);
        o->OnDragEnter().Set([this, name](TzuPersistent*, const TzuDragObject& d, const TzuPoint& p) {
            log.push_back(name + " enter " + Utf16ToUtf8(VariantToWide(d.Data)) + " " + Pt(p));
        });
        o->OnDragOver().Set([accepts](TzuPersistent*, const TzuDragObject&, const TzuPoint&, bool& accept) {
            accept = accepts;
        });
        o->OnDragDrop().Set([this, name](TzuPersistent*, const TzuDragObject& d, const TzuPoint& p) {
            std::string files;
            for (const auto& f : d.Files) files += " " + Utf16ToUtf8(f);
            log.push_back(name + " drop " + Utf16ToUtf8(VariantToWide(d.Data)) + files + " " + Pt(p) +
                          (d.Source ? " from " + static_cast<TzuComponent*>(d.Source)->Name() : ""));
        });
        o->OnDragLeave().Set([this, name](TzuPersistent*) { log.push_back(name + " leave"); });
        o->SetName(name);
        return o;
    }
    static std::string Pt(const TzuPoint& p) {
        return std::to_string(int(p.X)) + "," + std::to_string(int(p.Y));
    }
    static TzuDropData Text(const std::u16string& t) { return TzuDropData{{}, t, true}; }

    TzuVisualObject* root = nullptr;
    Log log;
};

TEST_F(SceneDragTest, DropsReachTheDeepestAcceptingObjectAndIsDragOverFollows) {
    TzuVisualObject* outer = Add(root, "outer", 0, 0, 60, 40, false);
    TzuVisualObject* inner = Add(outer, "inner", 10, 10, 20, 20, true);
    TzuVisualObject* side = Add(root, "side", 70, 0, 30, 40, true);

    // The outer object never accepts: only the inner one is a target.
    EXPECT_FALSE(window()->InjectDropMotion(Text(u"hi"), 5, 5));
    EXPECT_TRUE(window()->InjectDropMotion(Text(u"hi"), 15, 15));
    EXPECT_TRUE(inner->IsDragOver());
    EXPECT_FALSE(outer->IsDragOver());
    EXPECT_TRUE(window()->InjectDropMotion(Text(u"hi"), 80, 5));
    EXPECT_FALSE(inner->IsDragOver());
    EXPECT_TRUE(side->IsDragOver());
    window()->InjectDropLeave();
    EXPECT_FALSE(side->IsDragOver());
    EXPECT_EQ(scene->DragTarget(), nullptr);
    EXPECT_EQ(log, (Log{"inner enter hi 15,15", "inner leave", "side enter hi 80,5", "side leave"}));

    // Files come before text; the data is the first file name. A drop without a motion
    // before it still finds its target.
    log.clear();
    const TzuDropData files{{u"/tmp/a b.txt", u"/tmp/\u00e9.png"}, {}, false};
    EXPECT_TRUE(window()->InjectDropMotion(files, 20, 20));
    EXPECT_TRUE(window()->InjectDrop(files, 21, 22));
    EXPECT_FALSE(inner->IsDragOver());
    EXPECT_TRUE(window()->InjectDrop(Text(u"\U0001F600"), 90, 30));
    EXPECT_FALSE(window()->InjectDrop(Text(u"nobody"), 5, 5));
    EXPECT_EQ(log, (Log{"inner enter /tmp/a b.txt 20,20",
                        "inner drop /tmp/a b.txt /tmp/a b.txt /tmp/\u00e9.png 21,22",
                        "side enter \U0001F600 90,30", "side drop \U0001F600 90,30"}));

    // A target freed while a drag is over it is forgotten; the drop then finds nobody.
    EXPECT_TRUE(window()->InjectDropMotion(Text(u"x"), 15, 15));
    delete inner;
    EXPECT_EQ(scene->DragTarget(), nullptr);
    EXPECT_FALSE(window()->InjectDrop(Text(u"x"), 5, 5));
}

TEST_F(SceneDragTest, DragsInsideTheSceneDropOnOthersAndEndOnEscapeOrLeaving) {
    TzuVisualObject* source = Add(root, "source", 0, 0, 20, 20, true);
    Add(root, "target", 40, 0, 30, 30, true);
    source->SetDragMode(zuDragAutomatic);

    window()->InjectMouseDown(mbLeft, 5, 5);
    EXPECT_EQ(scene->DragSource(), source);
    window()->InjectMouseMove(8, 8);  // over itself: no target
    window()->InjectMouseMove(50, 10);
    window()->InjectMouseUp(mbLeft, 50, 10);
    EXPECT_EQ(scene->DragSource(), nullptr);
    EXPECT_EQ(log, (Log{"target enter  50,10", "target drop  50,10 from source"}));

    // Escape cancels: the target hears the leave, the release drops nothing.
    log.clear();
    window()->InjectMouseDown(mbLeft, 5, 5);
    window()->InjectMouseMove(50, 10);
    window()->InjectKey(keys::Escape);
    window()->InjectMouseUp(mbLeft, 50, 10);
    // The pointer leaving the window ends a drag as well.
    window()->InjectMouseDown(mbLeft, 5, 5);
    window()->InjectMouseMove(50, 10);
    window()->InjectMouseMove(kWidth + 5, 10);
    window()->InjectMouseUp(mbLeft, kWidth + 5, 10);
    window()->InjectMouseDown(mbLeft, 5, 5);
    window()->InjectMouseMove(50, 10);
    window()->InjectMouseLeave();
    EXPECT_EQ(scene->DragSource(), nullptr);
    EXPECT_EQ(log, (Log{"target enter  50,10", "target leave", "target enter  50,10", "target leave",
                        "target enter  50,10", "target leave"}));

    // The dragged object going away mid-drag ends the drag.
    window()->InjectMouseDown(mbLeft, 5, 5);
    delete source;
    EXPECT_EQ(scene->DragSource(), nullptr);
    window()->InjectMouseMove(50, 10);
    window()->InjectMouseUp(mbLeft, 50, 10);

    // The automatic start goes through the object's own slot, which may decline it.
    auto* picky = new TPickySource(form);
    root->AddObject(picky);
    picky->SetBounds(0, 0, 20, 20);
    picky->SetDragMode(zuDragAutomatic);
    window()->InjectMouseMove(5, 5);
    window()->InjectMouseDown(mbLeft, 5, 5);
    EXPECT_EQ(picky->asked, 1);
    EXPECT_EQ(scene->DragSource(), nullptr);
    window()->InjectMouseUp(mbLeft, 5, 5);
    picky->allow = true;
    window()->InjectMouseDown(mbLeft, 5, 5);
    EXPECT_EQ(scene->DragSource(), picky);
    window()->InjectMouseUp(mbLeft, 5, 5);
}

TEST_F(SceneDragTest, CommittedTextReachesTheFocusedObjectUnitByUnitAndTheCaretFollows) {
    auto* edit = new TEdit(form);
    root->AddObject(edit);
    edit->SetBounds(30, 10, 40, 20);
    edit->SetCanFocus(true);
    std::u16string typed;
    edit->OnKeyDown().Set([&](uint16_t& key, char16_t& ch, TzuShiftState) {
        EXPECT_EQ(key, 0);
        typed += ch;
    });
    window()->InjectImeCommit(u"x");  // nothing focused: nobody types
    edit->SetFocus();
    EXPECT_EQ(window()->ImeCaret().Left, 30);
    window()->InjectImeCommit(u"a\u00e9\U0001F600");
    EXPECT_EQ(typed, u"a\u00e9\U0001F600");
    EXPECT_EQ(typed.size(), 4u);  // the emoji as its two surrogates

    // The input method's window goes where the object reports its caret.
    edit->caret = {12, 3, 14, 17};
    window()->InjectImeCommit(u"b");
    EXPECT_EQ(window()->ImeCaret(), (TzuWinRect{42, 13, 43, 27}));
}

TEST_F(SceneDragTest, TooltipShowsTheHoveredObjectsHintAndFollowsHover) {
    auto* a = new TzuVisualObject(form);
    root->AddObject(a);
    a->SetBounds(10.5f, 5, 20, 10);
    a->SetHint(u"First");
    a->SetShowHint(true);
    auto* b = new TzuVisualObject(form);
    root->AddObject(b);
    b->SetBounds(50, 5, 20, 10);
    b->SetHint(u"Second");
    auto* c = new TzuVisualObject(form);
    root->AddObject(c);
    c->SetBounds(75, 5, 20, 10);
    c->SetShowHint(true);  // an empty hint shows nothing

    window()->InjectMouseMove(15, 8);
    EXPECT_EQ(window()->Tooltip(), u"First");
    EXPECT_EQ(window()->TooltipArea(), (TzuWinRect{10, 5, 30, 15}));
    window()->InjectMouseMove(55, 8);  // ShowHint off
    EXPECT_EQ(window()->Tooltip(), u"");
    b->SetShowHint(true);
    window()->InjectMouseMove(56, 8);
    EXPECT_EQ(window()->Tooltip(), u"Second");
    window()->InjectMouseMove(80, 8);
    EXPECT_EQ(window()->Tooltip(), u"");
    window()->InjectMouseMove(5, 30);  // empty space
    EXPECT_EQ(window()->Tooltip(), u"");

    // The window asks for the hint on every move: the move's own hit test answers it, so a
    // move onto a new object costs one hit test, not three.
    auto* d = new TCountedHits(form);
    root->AddObject(d);
    d->SetBounds(10, 40, 20, 10);
    d->SetHint(u"Fourth");
    d->SetShowHint(true);
    window()->InjectMouseMove(15, 45);
    EXPECT_EQ(window()->Tooltip(), u"Fourth");
    EXPECT_EQ(d->hits, 1);
    // Asked elsewhere than the pointer, or while another object holds the pointer, the
    // hint comes from the object under the point asked about.
    std::u16string text;
    TzuWinRect area{};
    EXPECT_TRUE(scene->QueryHint(15, 8, text, area));
    EXPECT_EQ(text, u"First");
    EXPECT_EQ(d->hits, 2);
    scene->SetCaptured(a);
    EXPECT_TRUE(scene->QueryHint(15, 45, text, area));
    EXPECT_EQ(text, u"Fourth");
    EXPECT_EQ(d->hits, 3);
    scene->SetCaptured(nullptr);
}

}  // namespace
}  // namespace zu::test
