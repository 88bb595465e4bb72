// Input routing of the scene host on headless windows: hit testing through nested,
// rotated, clipped and disabled trees, hover pairs, capture, clicks and double clicks,
// the wheel, dialog keys, Escape's modal result, Tab order, window drag and resize, and
// handlers that free the object they run on.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/form.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_scene/host/register_scene.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/size_grip.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu::test {
namespace {

using Log = std::vector<std::string>;

// Logs its trigger announcements, in the order they reach the animations and effects.
class TAnnouncing : public TzuVisualObject {
public:
    using TzuVisualObject::TzuVisualObject;
    Log* log = nullptr;
    void StartTriggerAnimation(TzuObject* instance, std::string_view trigger) override {
        if (log && instance == this) log->push_back("anim " + std::string(trigger));
    }
    void ApplyTriggerEffect(TzuObject* instance, std::string_view trigger) override {
        if (log && instance == this) log->push_back("effect " + std::string(trigger));
    }
};

// Takes Enter among the dialog keys, as a default button does.
class TDefaultButton : public TzuVisualObject {
public:
    using TzuVisualObject::TzuVisualObject;
    Log* log = nullptr;
    void DialogKey(uint16_t& key, TzuShiftState shift) override {
        if (key == keys::Enter) {
            log->push_back("default takes enter");
            key = 0;
        }
        TzuVisualObject::DialogKey(key, shift);
    }
};

class TGrip : public TzuVisualObject, public IzuSizeGrip {
public:
    using TzuVisualObject::TzuVisualObject;
};

std::string Num(float v) { return std::to_string(int(std::lround(v))); }

// Every mouse, key and hover event of o goes into log as "name event".
void Watch(TzuVisualObject* o, const std::string& name, Log& log) {
    o->OnMouseDown().Set([&log, name](TzuPersistent*, TzuMouseButton b, TzuShiftState s, float x, float y) {
        log.push_back(name + " down" + (b == mbRight ? "R" : "") + (s & ssDouble ? "2" : "") + " " + Num(x) +
                      "," + Num(y));
    });
    o->OnMouseUp().Set([&log, name](TzuPersistent*, TzuMouseButton, TzuShiftState, float x, float y) {
        log.push_back(name + " up " + Num(x) + "," + Num(y));
    });
    o->OnClick().Set([&log, name](TzuPersistent*) { log.push_back(name + " click"); });
    o->OnDblClick().Set([&log, name](TzuPersistent*) { log.push_back(name + " dblclick"); });
    o->OnMouseEnter().Set([&log, name](TzuPersistent*) { log.push_back(name + " enter"); });
    o->OnMouseLeave().Set([&log, name](TzuPersistent*) { log.push_back(name + " leave"); });
    o->OnMouseMove().Set([&log, name](TzuPersistent*, TzuShiftState, float x, float y, float, float) {
        log.push_back(name + " move " + Num(x) + "," + Num(y));
    });
    o->OnKeyDown().Set([&log, name](uint16_t& k, char16_t& c, TzuShiftState) {
        log.push_back(name + " keydown " + std::to_string(k) + " " + std::to_string(unsigned(c)));
    });
    o->OnKeyUp().Set([&log, name](uint16_t& k, char16_t& c, TzuShiftState) {
        log.push_back(name + " keyup " + std::to_string(k) + " " + std::to_string(unsigned(c)));
    });
}

class SceneInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterSceneClasses();
        form = new TzuForm(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(100, 50, 200, 200);
        scene = new TzuScene(form);
        scene->SetParent(form);
        scene->SetAlign(alClient);
        root = new TzuVisualObject(nullptr);
        root->SetHitTest(false);
        scene->AddObject(root);
        form->Show();
        app.ProcessMessages();
    }
    void TearDown() override { delete form; }

    TzuHeadlessWindow* window() const { return static_cast<TzuHeadlessWindow*>(scene->Window()); }
    template <class T = TzuVisualObject>
    T* Add(TzuObject* parent, float x, float y, float w, float h) {
        auto* o = new T(nullptr);
        o->SetBounds(x, y, w, h);
        o->SetParent(parent);
        return o;
    }
    void Move(int x, int y) { window()->InjectMouseMove(x, y); }
    void Click(int x, int y, bool dbl = false) {
        Move(x, y);
        window()->InjectMouseDown(mbLeft, x, y, 0, dbl);
        window()->InjectMouseUp(mbLeft, x, y);
    }
    void Key(TzuKeyCode key, TzuShiftState shift = 0) { window()->InjectKey(key, shift); }
    // The log without the moves, which every test gets plenty of.
    Log Events() const {
        Log r;
        for (const auto& e : log) {
            if (e.find(" move ") == std::string::npos) r.push_back(e);
        }
        return r;
    }

    TzuHeadlessApplication app;
    TzuForm* form = nullptr;
    TzuScene* scene = nullptr;
    TzuVisualObject* root = nullptr;
    Log log;
};

TEST_F(SceneInputTest, PressesReachTheDeepestVisibleObjectThroughNestingRotationClippingAndDisabling) {
    auto* panel = Add(root, 10, 10, 80, 80);
    auto* inner = Add(panel, 20, 20, 20, 20);
    auto* rotated = Add(root, 100, 10, 40, 40);
    rotated->SetRotateAngle(45);
    auto* clip = Add(root, 10, 100, 40, 40);
    clip->SetClipChildren(true);
    auto* sticking = Add(clip, 30, 0, 40, 40);
    auto* behind = Add(root, 100, 100, 80, 80);
    auto* disabled = Add<TzuControl>(root, 110, 110, 60, 60);
    auto* insideDisabled = Add(disabled, 10, 10, 20, 20);
    disabled->SetEnabled(false);
    auto* hidden = Add(panel, 50, 50, 20, 20);
    hidden->SetVisible(false);
    for (auto [o, n] : {std::pair<TzuVisualObject*, const char*>{panel, "panel"},
                        {inner, "inner"},
                        {rotated, "rot"},
                        {clip, "clip"},
                        {sticking, "stick"},
                        {behind, "behind"},
                        {disabled, "disabled"},
                        {insideDisabled, "inside"},
                        {hidden, "hidden"}}) {
        Watch(o, n, log);
    }
    auto press = [&](int x, int y) {
        log.clear();
        window()->InjectMouseMove(x, y);
        window()->InjectMouseDown(mbLeft, x, y);
        window()->InjectMouseUp(mbLeft, x, y);
        for (const auto& e : log) {
            if (e.find(" down") != std::string::npos) return e;
        }
        return std::string("none");
    };
    EXPECT_EQ(press(35, 35), "inner down 5,5");
    EXPECT_EQ(press(65, 65), "panel down 55,55");  // the hidden child is not there
    EXPECT_EQ(press(120, 30), "rot down 20,20");
    EXPECT_EQ(press(102, 12), "none");  // inside the bounding box, outside the turned square
    EXPECT_EQ(press(45, 110), "stick down 5,10");
    EXPECT_EQ(press(65, 110), "none");  // the part of the child the clip cuts away
    EXPECT_EQ(press(125, 125), "behind down 25,25");
    EXPECT_EQ(scene->ObjectAtPoint(125, 125), behind);
}

TEST_F(SceneInputTest, HoverLeavesBeforeItEntersAndAnnouncesToAnimationsThenEffects) {
    auto* a = Add<TAnnouncing>(root, 10, 10, 40, 40);
    auto* b = Add<TAnnouncing>(root, 60, 10, 40, 40);
    a->SetCursor(cursors::crHandPoint);
    Watch(a, "a", log);
    Watch(b, "b", log);
    a->log = b->log = &log;
    Move(20, 20);
    EXPECT_TRUE(a->IsMouseOver());
    EXPECT_EQ(scene->Hovered(), a);
    EXPECT_EQ(window()->Cursor(), TzuCursorShape::Hand);
    log.clear();
    Move(70, 20);
    EXPECT_EQ(log, (Log{"anim IsMouseOver", "effect IsMouseOver", "a leave", "anim IsMouseOver",
                        "effect IsMouseOver", "b enter", "b move 10,10"}));
    EXPECT_FALSE(a->IsMouseOver());
    EXPECT_TRUE(b->IsMouseOver());
    EXPECT_EQ(window()->Cursor(), TzuCursorShape::Default);
    log.clear();
    Move(150, 150);  // empty space
    Move(20, 20);
    window()->InjectMouseLeave();
    EXPECT_EQ(Events(),
              (Log{"anim IsMouseOver", "effect IsMouseOver", "b leave", "anim IsMouseOver",
                   "effect IsMouseOver", "a enter", "anim IsMouseOver", "effect IsMouseOver", "a leave"}));
    EXPECT_EQ(scene->Hovered(), nullptr);
}

TEST_F(SceneInputTest, ClicksNeedPressAndReleaseInsideAndCaptureKeepsTheReleaseWithThePressedObject) {
    auto* a = Add(root, 10, 10, 40, 40);
    auto* b = Add(root, 60, 10, 40, 40);
    Watch(a, "a", log);
    Watch(b, "b", log);
    Click(20, 20);
    EXPECT_EQ(Events(), (Log{"a enter", "a down 10,10", "a up 10,10", "a click"}));

    // Without capture the release goes to what is under the pointer; nothing clicks.
    log.clear();
    window()->InjectMouseDown(mbLeft, 20, 20);
    Move(70, 20);
    window()->InjectMouseUp(mbLeft, 70, 20);
    EXPECT_EQ(Events(), (Log{"a down 10,10", "a leave", "b enter", "b up 10,10"}));

    // With capture the pressed object follows the pointer out and gets the release, but
    // a release outside is no click.
    a->SetAutoCapture(true);
    Move(20, 20);
    log.clear();
    window()->InjectMouseDown(mbLeft, 20, 20);
    EXPECT_EQ(scene->Captured(), a);
    Move(70, 20);
    window()->InjectMouseUp(mbLeft, 70, 20);
    EXPECT_EQ(log, (Log{"a down 10,10", "a move 60,10", "a up 60,10"}));
    EXPECT_EQ(scene->Captured(), nullptr);

    // The first press and release of a double click click once; the second press fires
    // the double click and its release does not click again.
    log.clear();
    Click(20, 20);
    Click(20, 20, true);
    EXPECT_EQ(Events(),
              (Log{"a down 10,10", "a up 10,10", "a click", "a down2 10,10", "a dblclick", "a up 10,10"}));

    // A right press neither clicks nor captures; it opens the popup menu at the point.
    static TzuComponent* shownMenu = nullptr;
    static int menuX = 0, menuY = 0;
    TzuVisualObject::SetPopupMenuHook([](TzuComponent* menu, TzuVisualObject*, int x, int y) {
        shownMenu = menu;
        menuX = x;
        menuY = y;
    });
    TzuComponent menu(nullptr);
    a->SetPopupMenu(&menu);
    log.clear();
    window()->InjectMouseDown(mbRight, 25, 30);
    window()->InjectMouseUp(mbRight, 25, 30);
    EXPECT_EQ(Events(), (Log{"a downR 15,20", "a up 15,20"}));
    EXPECT_EQ(shownMenu, &menu);
    const TzuWinPoint screen = window()->ClientToScreen({25, 30});
    EXPECT_EQ(menuX, screen.X);
    EXPECT_EQ(menuY, screen.Y);
    EXPECT_EQ(scene->Captured(), nullptr);

    // The context-menu key opens it at the focused object's centre, and is no key press.
    a->SetCanFocus(true);
    a->SetFocus();
    shownMenu = nullptr;
    log.clear();
    Key(93);
    EXPECT_EQ(shownMenu, &menu);
    EXPECT_EQ(menuX, window()->ClientToScreen({30, 30}).X);
    EXPECT_EQ(Events(), (Log{"a keyup 93 0"}));
    a->SetPopupMenu(nullptr);
    TzuVisualObject::SetPopupMenuHook(nullptr);
}

TEST_F(SceneInputTest, WheelIsOfferedOutwardsUntilHandledAndKeysFollowTheirRoutes) {
    auto* outer = Add(root, 10, 10, 100, 100);
    auto* edit = Add(outer, 10, 10, 40, 40);
    auto* button = Add<TDefaultButton>(outer, 60, 60, 30, 30);
    button->log = &log;
    Watch(edit, "edit", log);
    int wheel = 0;
    outer->OnMouseWheel().Set([&](TzuPersistent*, TzuShiftState, int delta, TzuPoint& pos, bool& handled) {
        wheel = delta;
        EXPECT_EQ(pos.X, 30);
        handled = true;
    });
    Move(30, 30);
    EXPECT_TRUE(window()->InjectMouseWheel(-240, 30, 30));
    EXPECT_EQ(wheel, -240);
    // A wheel nobody takes goes back to the platform unhandled, to pass on to what
    // encloses the window; so does one a handler looked at and left.
    Move(190, 190);
    EXPECT_FALSE(window()->InjectMouseWheel(120, 190, 190));
    auto* idle = Add(root, 140, 140, 30, 30);
    idle->OnMouseWheel().Set([](TzuPersistent*, TzuShiftState, int, TzuPoint&, bool&) {});
    Move(150, 150);
    EXPECT_FALSE(window()->InjectMouseWheel(120, 150, 150));
    Move(30, 30);
    EXPECT_TRUE(window()->InjectMouseWheel(120, 30, 30));
    EXPECT_EQ(wheel, 120);

    edit->SetCanFocus(true);
    window()->InjectMouseDown(mbLeft, 30, 30);  // a press focuses what can focus
    window()->InjectMouseUp(mbLeft, 30, 30);
    EXPECT_EQ(scene->Focused(), edit);
    EXPECT_TRUE(edit->IsFocused());
    log.clear();
    Key(keys::Enter);                   // the default button takes it first
    window()->InjectKey('A', 0, u'a');  // an ordinary key and its character
    window()->InjectKeyChar(3);         // Ctrl+C as its control character
    window()->InjectKeyChar(13);        // Enter's character is not delivered
    EXPECT_EQ(log, (Log{"default takes enter", "edit keyup 13 0", "edit keydown 65 0", "edit keydown 0 97",
                        "edit keyup 65 0", "edit keydown 0 99", "edit keyup 0 99"}));

    // Escape nobody takes cancels the form; a modal loop ends with it.
    app.PostMessage([&] { Key(keys::Escape); });
    EXPECT_EQ(form->ShowModal(), mrCancel);
    EXPECT_FALSE(form->Visible());
}

TEST_F(SceneInputTest, TabCyclesThroughCandidatesInStoredOrderForAnyCount) {
    // One entry: Tab and Shift+Tab keep coming back to it.
    auto* only = Add<TzuControl>(root, 0, 0, 10, 10);
    only->SetCanFocus(true);
    Key(keys::Tab);
    EXPECT_EQ(scene->Focused(), only);
    Key(keys::Tab);
    Key(keys::Tab, ssShift);
    EXPECT_EQ(scene->Focused(), only);

    // Two entries: both reachable both ways.
    auto* second = Add<TzuControl>(root, 20, 0, 10, 10);
    second->SetCanFocus(true);
    Key(keys::Tab);
    EXPECT_EQ(scene->Focused(), second);
    Key(keys::Tab);
    EXPECT_EQ(scene->Focused(), only);
    Key(keys::Tab, ssShift);
    EXPECT_EQ(scene->Focused(), second);
    Key(keys::Tab, ssShift);
    EXPECT_EQ(scene->Focused(), only);
    EXPECT_FALSE(second->IsFocused());
    delete only;
    delete second;

    // Many, from a stream with stored tab orders: a parent comes before its children;
    // hidden, disabled and unfocusable ones (and those inside a hidden parent) are skipped.
    TzuVisualObject* tree = As<TzuVisualObject>(
        LoadObjectFromText(form,
                           "object TzuControl\n"
                           "  object A: TzuControl\n    Hint = 'A'\n    TabOrder = 2\n  end\n"
                           "  object B: TzuControl\n    Hint = 'B'\n    TabOrder = 0\n"
                           "    object B1: TzuControl\n      Hint = 'B1'\n    end\n"
                           "    object B2: TzuControl\n      Hint = 'B2'\n      TabOrder = 0\n    end\n"
                           "  end\n"
                           "  object C: TzuControl\n    Hint = 'C'\n    TabOrder = 1\n    Visible = False\n"
                           "    object C1: TzuControl\n      Hint = 'C1'\n    end\n"
                           "  end\n"
                           "  object D: TzuControl\n    Hint = 'D'\n    Enabled = False\n  end\n"
                           "  object E: TzuControl\n    Hint = 'E'\n  end\n"
                           "end\n"));
    ASSERT_NE(tree, nullptr);
    tree->SetParent(root);
    std::vector<TzuObject*> all;
    tree->CollectObjects(all);
    for (TzuObject* o : all) {
        if (auto* c = As<TzuControl>(o); c && c != tree) c->SetCanFocus(true);
    }
    auto name = [&] {
        auto* v = As<TzuVisualObject>(scene->Focused());
        const std::u16string hint = v ? v->Hint() : u"none";
        return std::string(hint.begin(), hint.end());
    };
    std::string forward, backward;
    scene->SetFocused(nullptr);
    for (int i = 0; i < 5; ++i) {
        Key(keys::Tab);
        forward += name() + " ";
    }
    for (int i = 0; i < 5; ++i) {
        Key(keys::Tab, ssShift);
        backward += name() + " ";
    }
    EXPECT_EQ(forward, "B B2 B1 A E ");
    EXPECT_EQ(backward, "A B1 B2 B E ");
}

TEST_F(SceneInputTest, HandlersMayFreeTheirObjectOrItsParentAndTheSceneForgetsWhatLeaves) {
    auto* panel = Add(root, 10, 10, 100, 100);
    auto* closer = Add(panel, 10, 10, 30, 30);
    closer->SetAutoCapture(true);
    closer->SetCanFocus(true);
    // A click that closes the panel it sits on, capture and focus included.
    closer->OnMouseDown().Set(
        [&](TzuPersistent*, TzuMouseButton, TzuShiftState, float, float) { log.push_back("down"); });
    closer->OnClick().Set([&](TzuPersistent*) { delete panel; });
    Click(30, 30);
    EXPECT_EQ(root->ChildrenCount(), 0);
    EXPECT_EQ(scene->Hovered(), nullptr);
    EXPECT_EQ(scene->Focused(), nullptr);
    EXPECT_EQ(scene->Captured(), nullptr);

    // Freed from its own press, enter and leave handlers.
    auto* a = Add(root, 10, 10, 30, 30);
    a->OnMouseDown().Set(
        [&](TzuPersistent* self, TzuMouseButton, TzuShiftState, float, float) { delete self; });
    Click(20, 20);
    EXPECT_EQ(root->ChildrenCount(), 0);
    auto* b = Add(root, 10, 10, 30, 30);
    auto* c = Add(root, 50, 10, 30, 30);
    b->OnMouseLeave().Set([&](TzuPersistent*) { delete c; });  // frees the object being entered
    Move(20, 20);
    Move(60, 20);
    EXPECT_EQ(root->ChildrenCount(), 1);
    EXPECT_EQ(scene->Hovered(), nullptr);

    // Taken out of the tree while hovered, focused and captured: the scene lets go and
    // the object comes back clean.
    b->SetCanFocus(true);
    Move(20, 20);
    window()->InjectMouseDown(mbLeft, 20, 20);
    b->Capture();
    ASSERT_TRUE(b->IsMouseOver() && b->IsFocused() && scene->Captured() == b);
    b->SetParent(nullptr);
    EXPECT_EQ(scene->Hovered(), nullptr);
    EXPECT_EQ(scene->Focused(), nullptr);
    EXPECT_EQ(scene->Captured(), nullptr);
    EXPECT_FALSE(b->IsMouseOver() || b->IsFocused());
    window()->InjectMouseUp(mbLeft, 20, 20);
    delete b;
}

TEST_F(SceneInputTest, EmptySpaceMovesTheFormAndASizeGripResizesIt) {
    auto* grip = Add<TGrip>(root, 180, 180, 20, 20);
    window()->InjectMouseDown(mbLeft, 50, 50);
    EXPECT_TRUE(scene->WindowDragging());
    window()->InjectMouseMove(60, 45);  // the form follows; the pointer stays put in it
    window()->InjectMouseMove(55, 45);
    EXPECT_EQ(form->Left(), 115);
    EXPECT_EQ(form->Top(), 40);
    window()->InjectMouseUp(mbLeft, 50, 50);
    EXPECT_FALSE(scene->WindowDragging());

    Move(190, 190);
    EXPECT_EQ(window()->Cursor(), TzuCursorShape::SizeNWSE);
    window()->InjectMouseDown(mbLeft, 190, 190);
    EXPECT_TRUE(scene->WindowResizing());
    window()->InjectMouseMove(220, 200);
    window()->InjectMouseMove(230, 195);
    EXPECT_EQ(form->Width(), 240);
    EXPECT_EQ(form->Height(), 205);
    EXPECT_EQ(scene->Width(), 240);
    window()->InjectMouseMove(-1000, -1000);  // never below one pixel
    EXPECT_EQ(form->Width(), 1);
    EXPECT_EQ(form->Height(), 1);
    window()->InjectMouseUp(mbLeft, 0, 0);
    EXPECT_FALSE(scene->WindowResizing());
    EXPECT_EQ(grip->Parent(), root);
}

// The owner whose published methods handle the events of a loaded scene object.
class TClickForm : public TzuComponent {
    ZU_CLASS(TClickForm)
public:
    using TzuComponent::TzuComponent;
    void Clicked(TzuPersistent* sender) { clicked.push_back(sender); }
    void Pressed(TzuPersistent*, TzuMouseButton b, TzuShiftState, float x, float y) {
        pressed.push_back(std::to_string(int(b)) + "@" + Num(x) + "," + Num(y));
    }
    std::vector<TzuPersistent*> clicked;
    std::vector<std::string> pressed;
};

TEST_F(SceneInputTest, PublishedEventsBindToMethodsByNameThroughTheStream) {
    TClickForm owner(nullptr);
    TzuObject* o =
        LoadObjectFromText(&owner,
                           "object TzuControl\n  Position.X = 10\n  Position.Y = 10\n  Width = 30\n"
                           "  Height = 30\n  OnClick = Clicked\n  OnMouseDown = pressed\nend\n");
    ASSERT_NE(o, nullptr);
    o->SetParent(root);
    Click(15, 20);
    EXPECT_EQ(owner.clicked, (std::vector<TzuPersistent*>{o}));
    EXPECT_EQ(owner.pressed, (std::vector<std::string>{"0@5,10"}));
    delete o;
}

const TzuClass& TClickForm::StaticClass() {
    static const TzuMethodInfo methods[] = {ZuMethod<&TClickForm::Clicked>("Clicked"),
                                            ZuMethod<&TClickForm::Pressed>("Pressed")};
    static const TzuClass cls = ZuClass<TClickForm, TzuComponent>("TClickForm", {}, methods);
    return cls;
}

}  // namespace
}  // namespace zu::test

namespace zu::test {
namespace {

// Notes every descendant that tells it it took the focus.
class TFocusParent : public TAnnouncing {
public:
    using TAnnouncing::TAnnouncing;
    std::string name;
    void ChildFocused(TzuVisualObject*) override { log->push_back(name + " child focused"); }
};

TEST_F(SceneInputTest, FocusLeavesAnObjectThatNoLongerTakesItOrIsHiddenOrDisabledWithAnAncestor) {
    auto* panel = Add(root, 0, 0, 100, 100);
    auto* edit = Add<TAnnouncing>(panel, 10, 10, 20, 20);
    auto* other = Add<TAnnouncing>(root, 120, 10, 20, 20);
    edit->log = &log;
    edit->SetCanFocus(true);
    other->SetCanFocus(true);
    // Each way lets the focus go at once, announced so the focus look goes too; focusing
    // another object afterwards leaves exactly one focused.
    const std::vector<std::function<void(bool)>> ways = {
        [&](bool on) { edit->SetCanFocus(on); }, [&](bool on) { edit->SetEnabled(on); },
        [&](bool on) { edit->SetVisible(on); },  [&](bool on) { panel->SetVisible(on); },
        [&](bool on) { panel->SetEnabled(on); },
    };
    for (size_t i = 0; i < ways.size(); ++i) {
        SCOPED_TRACE(i);
        edit->SetFocus();
        ASSERT_TRUE(edit->IsFocused());
        log.clear();
        ways[i](false);
        EXPECT_FALSE(edit->IsFocused());
        EXPECT_EQ(scene->Focused(), nullptr);
        EXPECT_EQ(log, (Log{"anim IsFocused", "effect IsFocused"}));
        other->SetFocus();
        EXPECT_TRUE(other->IsFocused());
        EXPECT_FALSE(edit->IsFocused());
        ways[i](true);
    }
    // Hiding or disabling what does not hold the focus leaves it where it is.
    edit->SetVisible(false);
    panel->SetEnabled(false);
    EXPECT_EQ(scene->Focused(), other);
    EXPECT_TRUE(other->IsFocused());
}

TEST_F(SceneInputTest, FocusTellsAncestorsNearestFirstAndAnnouncesUnlessSwitchedOffAndDragsAnnounceToo) {
    auto* outer = Add<TFocusParent>(root, 0, 0, 100, 100);
    auto* inner = Add<TFocusParent>(outer, 0, 0, 80, 80);
    auto* edit = Add<TAnnouncing>(inner, 10, 10, 20, 20);
    auto* quiet = Add<TAnnouncing>(inner, 40, 10, 20, 20);
    outer->name = "outer";
    inner->name = "inner";
    outer->log = inner->log = edit->log = quiet->log = &log;
    edit->SetCanFocus(true);
    quiet->SetCanFocus(true);
    quiet->SetDisableFocusEffect(true);
    edit->SetFocus();
    EXPECT_EQ(log, (Log{"inner child focused", "outer child focused", "anim IsFocused", "effect IsFocused"}));
    log.clear();
    quiet->SetFocus();  // the old one announces losing the focus; the quiet one nothing
    EXPECT_EQ(log, (Log{"anim IsFocused", "effect IsFocused", "inner child focused", "outer child focused"}));
    EXPECT_TRUE(quiet->IsFocused());
    EXPECT_FALSE(edit->IsFocused());

    // A drag target is the deepest object whose DragOver accepts; entering it announces.
    edit->OnDragOver().Set(
        [](TzuPersistent*, const TzuDragObject&, const TzuPoint&, bool& accept) { accept = true; });
    TzuDragObject data;
    log.clear();
    EXPECT_EQ(outer->FindDragTarget({15, 15}, data), edit);
    EXPECT_EQ(outer->FindDragTarget({50, 15}, data), nullptr);  // nobody accepts there
    edit->DragEnter(data, {15, 15});
    EXPECT_TRUE(edit->IsDragOver());
    edit->DragLeave();
    EXPECT_EQ(log, (Log{"anim IsDragOver", "effect IsDragOver", "anim IsDragOver", "effect IsDragOver"}));

    // With the design grid on, the pointer lands on grid points.
    scene->SetDesignSnapToGrid(true);
    EXPECT_EQ(scene->SnapToGrid(17.8f), 17.0f);  // the grid step is 1
    Move(15, 15);
    EXPECT_EQ(scene->MousePos().X, 15);
}

}  // namespace
}  // namespace zu::test
