// Scroll boxes: the content taking the box's children, bars following the content's size
// (including the corner where one bar forces the other), wheel and flick glides on the
// manual clock, hit tests kept to the viewport, nested updates and loading from a stream.

#include "scene/zu_controls/scroll_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hosted_scene.h"
#include "scene/zu_controls/label.h"
#include "scene/zu_controls/scroll_bar.h"
#include "scene/zu_controls/thumb.h"
#include "scene/zu_controls/track.h"
#include "scene/zu_effects/shadow_effect.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_scene/tree/child_range.h"
#include "scene/zu_scene/tree/object_stream.h"

namespace zu::test {
namespace {

class HostedScrollBox : public HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        box = Add<TzuScrollBox>(10, 50);
        box->SetBounds(10, 50, 150, 120);
        Settle();
    }
    TzuRectangle* AddItem(float x, float y, float w, float h) {
        auto* r = new TzuRectangle(nullptr);
        r->SetBounds(x, y, w, h);
        r->SetParent(box);
        return r;
    }
    // Wheel notches at a scene point; negative scrolls down.
    void Wheel(int notches, int x = 60, int y = 100) {
        window()->InjectMouseMove(x, y);
        window()->InjectMouseWheel(notches * 120, x, y);
    }
    TzuScrollBar* V() const { return box->VScrollBar(); }
    TzuScrollBar* H() const { return box->HScrollBar(); }
    TzuScrollBox* box = nullptr;
};

TEST_F(HostedScrollBox, BarsFollowTheContentIncludingTheCornerCase) {
    ASSERT_NE(V(), nullptr);
    ASSERT_NE(H(), nullptr);
    ASSERT_NE(box->Viewport(), nullptr);
    TzuRectangle* item = AddItem(0, 0, 100, 50);
    EXPECT_EQ(item->Parent(), box->Content());  // children go into the content
    EXPECT_FALSE(V()->Visible());
    EXPECT_FALSE(H()->Visible());
    EXPECT_FLOAT_EQ(box->Viewport()->Width(), 150);
    EXPECT_FLOAT_EQ(box->Viewport()->Height(), 120);

    item->SetHeight(300);  // only the vertical bar is needed
    EXPECT_TRUE(V()->Visible());
    EXPECT_FALSE(H()->Visible());
    EXPECT_FLOAT_EQ(box->Viewport()->Width(), 150 - V()->Width());
    EXPECT_FLOAT_EQ(V()->Max(), 300);
    EXPECT_FLOAT_EQ(V()->ViewportSize(), 120);
    EXPECT_FLOAT_EQ(V()->SmallChange(), 24);

    // 140 wide fits the box but not beside the vertical bar: the horizontal bar appears
    // too, and leaves the corner to the vertical one.
    item->SetWidth(140);
    EXPECT_TRUE(V()->Visible());
    EXPECT_TRUE(H()->Visible());
    EXPECT_FLOAT_EQ(box->Viewport()->Height(), 120 - H()->Height());
    EXPECT_FLOAT_EQ(H()->PaddingRect().Right, V()->Width());
    EXPECT_FLOAT_EQ(H()->Max(), 140);
    EXPECT_FLOAT_EQ(V()->ViewportSize(), 120 - H()->Height());

    V()->SetValue(100);
    EXPECT_FLOAT_EQ(box->Content()->Position()->Y(), -100);
    EXPECT_FLOAT_EQ(box->VScrollPos(), 100);
    item->SetBounds(0, 0, 50, 50);  // fits again: both bars go and the position resets
    EXPECT_FALSE(V()->Visible());
    EXPECT_FALSE(H()->Visible());
    EXPECT_FLOAT_EQ(V()->Value(), 0);
    EXPECT_FLOAT_EQ(box->Content()->Position()->Y(), 0);
    EXPECT_FLOAT_EQ(box->Viewport()->Width(), 150);

    box->SetAutoHide(false);  // shown but disabled when nothing overflows
    EXPECT_TRUE(V()->Visible());
    EXPECT_FALSE(V()->Enabled());
    // Removing a child shrinks the range.
    box->SetAutoHide(true);
    TzuRectangle* tall = AddItem(0, 0, 20, 500);
    EXPECT_TRUE(V()->Visible());
    delete tall;
    EXPECT_FALSE(V()->Visible());
}

TEST_F(HostedScrollBox, WheelGlidesWithTheClockAndFallsBackToTheHorizontalBar) {
    AddItem(0, 0, 100, 600);
    ASSERT_TRUE(V()->Visible());
    Wheel(-1);  // three fifths of the visible height: 72
    Tick(3);
    const float midway = V()->Value();
    EXPECT_GT(midway, 0);
    EXPECT_LT(midway, 72);
    EXPECT_GT(midway, 72 * 3 * 0.033f / 0.7f);  // eased out: ahead of an even pace
    Advance(800);
    EXPECT_FLOAT_EQ(V()->Value(), 72);
    EXPECT_FLOAT_EQ(box->Content()->Position()->Y(), -72);
    // Notches faster than the glide add up; one back in the middle of a glide turns it
    // around from where it stands.
    Wheel(-1);
    Wheel(-1);
    Tick(1);
    Wheel(-1);
    Advance(800);
    EXPECT_FLOAT_EQ(V()->Value(), 72 * 4);
    Wheel(2);
    Tick(2);
    const float turning = V()->Value();
    EXPECT_LT(turning, 72 * 4);
    EXPECT_GT(turning, 72 * 2);
    Advance(800);
    EXPECT_FLOAT_EQ(V()->Value(), 72 * 2);
    Wheel(5);
    Advance(800);
    EXPECT_FLOAT_EQ(V()->Value(), 0);

    box->SetAnimated(false);
    Wheel(-50);  // far past the end: stops at the end at once
    EXPECT_FLOAT_EQ(V()->Value(), 600 - 120);
    box->SetDisableMouseWheel(true);
    Wheel(1);
    EXPECT_FLOAT_EQ(V()->Value(), 600 - 120);
    box->SetDisableMouseWheel(false);

    // Only horizontal overflow: the wheel scrolls sideways.
    static_cast<TzuVisualObject*>(box->Content()->Children(0))->SetBounds(0, 0, 500, 50);
    ASSERT_FALSE(V()->Visible());
    ASSERT_TRUE(H()->Visible());
    Wheel(-1);
    EXPECT_FLOAT_EQ(H()->Value(), 3 * H()->ViewportSize() / 5);
    EXPECT_FLOAT_EQ(box->Content()->Position()->X(), -H()->Value());

    // Without visible bars the wheel still scrolls; the bars are transparent and away.
    box->SetShowScrollBars(false);
    EXPECT_FLOAT_EQ(H()->Opacity(), 0);
    EXPECT_GE(H()->Position()->Y(), box->Height());
    EXPECT_FLOAT_EQ(box->Viewport()->Height(), 120);
    const float before = H()->Value();
    Wheel(-1);
    EXPECT_GT(H()->Value(), before);
}

TEST_F(HostedScrollBox, HitsAndPaintingStayInsideTheViewport) {
    struct Recorder : TzuScrollBox {
        using TzuScrollBox::TzuScrollBox;
        void PaintContent(TzuCanvas*, const TzuRect& r) override {
            painted = r;
            ++paints;
        }
        TzuRect painted{};
        int paints = 0;
    };
    auto* rec = new Recorder(nullptr);
    rec->SetBounds(10, 50, 150, 120);
    rec->SetParent(root);
    delete box;
    box = rec;
    Settle();
    TzuRectangle* top = AddItem(0, 0, 100, 100);
    AddItem(0, 100, 100, 500);
    V()->SetValue(72);
    app.ProcessMessages();
    // The first item now runs from y = -22 to 78 in the scene; the box starts at 50.
    EXPECT_EQ(scene->ObjectAtPoint(20, 60), top);
    EXPECT_NE(scene->ObjectAtPoint(20, 30), top);
    EXPECT_EQ(scene->ObjectAtPoint(20, 30), root);
    EXPECT_GT(rec->paints, 0);
    EXPECT_FLOAT_EQ(rec->painted.Top, 72);
    EXPECT_FLOAT_EQ(rec->painted.Bottom, 72 + box->Viewport()->Height());
}

// A rectangle that counts its on-screen paints.
struct CountingRect : TzuRectangle {
    using TzuRectangle::TzuRectangle;
    void Paint() override {
        if (!PaintingOffscreen()) ++paints;
        TzuRectangle::Paint();
    }
    int paints = 0;
};

TEST_F(HostedScrollBox, CullingSkipsOnlyChildrenThatCannotReachTheViewport) {
    std::vector<TzuRectangle*> rows;
    for (int i = 0; i < 40; ++i) rows.push_back(AddItem(0, i * 30.f, 100, 30));
    auto add = [&](float y, float w, float h) {
        auto* r = new CountingRect(nullptr);
        r->SetBounds(0, y, w, h);
        r->SetParent(box);
        return r;
    };
    V()->SetValue(300);
    Settle();
    const float top = 300, bottom = top + box->Viewport()->Height();
    CountingRect* far = add(bottom + 150, 50, 20);
    // Its box lies below the viewport; turned upright about its centre it reaches 35 in.
    CountingRect* turned = add(bottom + 20, 120, 10);
    turned->SetRotateAngle(90);
    // Its box lies above the viewport; its shadow falls 40 down and spreads 20 further.
    CountingRect* shaded = add(top - 30, 50, 20);
    auto* shadow = new TzuShadowEffect(nullptr);
    shadow->SetDirection(90);
    shadow->SetDistance(40);
    shadow->SetSoftness(1);
    shadow->SetParent(shaded);
    CountingRect* later = add(700, 50, 20);
    // A control added out of sight is still styled by the box's paint.
    auto* label = new TzuLabel(nullptr);
    label->SetBounds(0, 1000, 80, 20);
    label->SetParent(box);
    ASSERT_FLOAT_EQ(V()->Value(), 300);
    box->Repaint();
    app.ProcessMessages();
    EXPECT_EQ(far->paints, 0);
    EXPECT_EQ(later->paints, 0);
    EXPECT_GT(turned->paints, 0);
    EXPECT_GT(shaded->paints, 0);
    EXPECT_NE(label->StyleObject(), nullptr);

    TzuScrollContent* content = box->Content();
    auto hit = [&](float x, float y) {
        const TzuPoint p = content->LocalToAbsolute(TzuPoint{x, y});
        return scene->ObjectAtPoint(p.X, p.Y);
    };
    EXPECT_EQ(hit(60, bottom - 10), turned);  // the turned part inside the viewport
    EXPECT_NE(hit(60, bottom + 40), turned);  // the part outside it is refused

    V()->SetValue(680);
    app.ProcessMessages();
    EXPECT_GT(later->paints, 0);
    EXPECT_EQ(far->paints, 0);
    EXPECT_EQ(hit(25, 710), later);
    EXPECT_EQ(hit(75, 695), rows[23]);
    EXPECT_NE(hit(75, 665), rows[22]);  // scrolled out of the viewport
}

TEST_F(HostedScrollBox, FlickDragsAndGlidesOn) {
    box->SetMouseTracking(true);
    TzuRectangle* item = AddItem(0, 0, 100, 1000);
    item->SetHitTest(false);
    V()->SetValue(100);
    window()->InjectMouseMove(60, 140);
    Press(60, 140);
    Drag(60, 130);
    Drag(60, 110);
    EXPECT_FLOAT_EQ(V()->Value(), 130);
    Release(60, 110);
    Advance(800);
    EXPECT_FLOAT_EQ(V()->Value(), 130 + 7 * 20);  // the last movement, seven times over
    // A press catches a glide where it stands.
    Press(60, 110);
    Drag(60, 90);
    Release(60, 90);
    Tick(2);
    const float gliding = V()->Value();
    Press(60, 90);
    Advance(400);
    EXPECT_FLOAT_EQ(V()->Value(), gliding);
    Release(60, 90);  // no movement since the press: no glide
    Advance(800);
    EXPECT_FLOAT_EQ(V()->Value(), gliding);
}

TEST_F(HostedScrollBox, UpdatesNestAndHoldScaledLayouts) {
    box->BeginUpdate();
    box->BeginUpdate();
    for (int i = 0; i < 10; ++i) AddItem(0, i * 40.0f, 50, 40);
    EXPECT_FALSE(V()->Visible());
    box->EndUpdate();
    EXPECT_FALSE(V()->Visible());
    box->EndUpdate();
    EXPECT_TRUE(V()->Visible());
    EXPECT_FLOAT_EQ(V()->Max(), 400);
    box->EndUpdate();  // unbalanced: ignored
    EXPECT_EQ(box->UpdateCount(), 0);

    auto* scaled = new TzuScaledLayout(nullptr);
    scaled->SetBounds(0, 0, 60, 60);
    scaled->SetParent(box);
    auto* fill = new TzuRectangle(nullptr);
    fill->SetAlign(vaClient);
    fill->SetParent(scaled);
    ASSERT_FLOAT_EQ(fill->Width(), 60);
    box->BeginUpdate();
    scaled->SetWidth(90);
    EXPECT_FLOAT_EQ(fill->Width(), 60);  // held while the box updates
    box->EndUpdate();
    scaled->SetWidth(100);
    EXPECT_FLOAT_EQ(fill->Width(), 100);
}

TEST_F(HostedScrollBox, SmallBarsSizeGripAndTheOtherKinds) {
    box->SetUseSmallScrollBars(true);
    EXPECT_TRUE(As<TzuSmallScrollBar>(V()));
    EXPECT_FALSE(As<TzuScrollBar>(box->FindResource("vscrollbar"))->Visible());
    AddItem(0, 0, 300, 300);
    EXPECT_TRUE(V()->Visible());
    EXPECT_FLOAT_EQ(box->Viewport()->Width(), 150 - 8);
    EXPECT_EQ(V()->Tag(), vaRight);  // the style's alignment, remembered
    auto* grip = As<TzuVisualObject>(box->FindResource("sizegrip"));
    ASSERT_NE(grip, nullptr);
    EXPECT_FALSE(grip->Visible());
    box->SetShowSizeGrip(true);
    EXPECT_TRUE(grip->Visible());

    auto* vert = Add<TzuVertScrollBox>(170, 10);
    auto* wide = new TzuRectangle(nullptr);
    wide->SetBounds(0, 0, 400, 400);
    wide->SetParent(vert);
    ASSERT_NE(vert->VScrollBar(), nullptr);
    EXPECT_TRUE(vert->VScrollBar()->Visible());
    EXPECT_FALSE(vert->HScrollBar()->Visible());  // never sideways
    EXPECT_EQ(Add<TzuFramedVertScrollBox>(0, 0)->Resource(), "framedscrollboxstyle");
    auto* framed = Add<TzuFramedScrollBox>(0, 0);
    ASSERT_NE(framed->Viewport(), nullptr);
    EXPECT_LT(framed->Viewport()->Width(), framed->Width());  // inside the frame
}

TEST_F(HostedScrollBox, ChildrenReadFromAStreamLandInTheContent) {
    const std::string text =
        "object TzuScrollBox\r\n"
        "  Width = 100.0\r\n"
        "  Height = 80.0\r\n"
        "  object TzuRectangle\r\n"
        "    Width = 50.0\r\n"
        "    Height = 200.0\r\n"
        "  end\r\n"
        "end\r\n";
    auto* loaded = As<TzuScrollBox>(LoadObjectFromText(nullptr, text));
    ASSERT_NE(loaded, nullptr);
    loaded->SetParent(root);
    Settle();
    ASSERT_EQ(loaded->Content()->ChildrenCount(), 1);
    EXPECT_TRUE(As<TzuRectangle>(loaded->Content()->Children(0)));
    ASSERT_NE(loaded->VScrollBar(), nullptr);
    EXPECT_TRUE(loaded->VScrollBar()->Visible());
    EXPECT_FLOAT_EQ(loaded->VScrollBar()->Max(), 200);
    // Written back, the rectangle is the box's child again and the content is not stored.
    std::string written;
    SaveObjectToText(loaded, written);
    EXPECT_NE(written.find("object TzuRectangle"), std::string::npos);
    EXPECT_EQ(written.find("TzuScrollContent"), std::string::npos);
}

// A box too small for a bar's buttons and its thumb: every visible part of the bars stays
// inside the box, the thumb inside its track, and the track clear of the buttons.
TEST_F(HostedScrollBox, SmallBoxesKeepTheirBarsPartsInside) {
    const auto absolute = [](TzuVisualObject* o) {
        const TzuPoint a = o->LocalToAbsolute(TzuPoint{0, 0});
        const TzuPoint b = o->LocalToAbsolute(TzuPoint{o->Width(), o->Height()});
        return TzuRect{a.X, a.Y, b.X, b.Y};
    };
    const auto inside = [](const TzuRect& in, const TzuRect& out) {
        return in.Left >= out.Left - 0.01f && in.Top >= out.Top - 0.01f && in.Right <= out.Right + 0.01f &&
               in.Bottom <= out.Bottom + 0.01f;
    };
    const auto dump = [](const TzuRect& r) {
        return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
               "," + std::to_string(r.Bottom) + ")";
    };
    for (const char* kind : {"TzuScrollBox", "TzuFramedScrollBox"}) {
        SCOPED_TRACE(kind);
        // Read from a stream, as a scene file brings it: sized before it is styled.
        const std::string text =
            std::string("object ") + kind +
            "\r\n  Position.Point = '(20,20)'\r\n  Width = 80.0\r\n  Height = 66.0\r\n"
            "  object TzuRectangle\r\n    Position.Point = '(4,4)'\r\n    Width = 120.0\r\n"
            "    Height = 100.0\r\n  end\r\nend\r\n";
        auto* b = As<TzuScrollBox>(LoadObjectFromText(nullptr, text));
        ASSERT_NE(b, nullptr);
        b->SetParent(root);
        Settle();
        const TzuRect bounds = absolute(b);
        for (TzuScrollBar* bar : {b->VScrollBar(), b->HScrollBar()}) {
            ASSERT_NE(bar, nullptr);
            ASSERT_TRUE(bar->Visible());
            const TzuRect barRect = absolute(bar);
            EXPECT_TRUE(inside(barRect, bounds)) << dump(barRect);
            // Whatever of the bar paints, paints inside it.
            std::vector<TzuVisualObject*> shown{bar};
            for (size_t i = 0; i < shown.size(); ++i) {
                for (TzuVisualObject* k : ChildrenOf<TzuVisualObject>(*shown[i])) {
                    if (!k->Visible()) continue;
                    shown.push_back(k);
                    EXPECT_TRUE(inside(absolute(k), barRect)) << k->ClassName() << dump(absolute(k));
                }
            }
            TzuCustomTrack* track = bar->Track();
            ASSERT_NE(track, nullptr);
            ASSERT_NE(track->Thumb(), nullptr);
            if (!track->Visible()) continue;
            const TzuRect trackRect = absolute(track);
            if (track->Thumb()->Visible()) {
                EXPECT_TRUE(inside(absolute(track->Thumb()), trackRect)) << dump(absolute(track->Thumb()));
            }
            for (const char* part : {"leftbutton", "rightbutton", "topbutton", "bottombutton"}) {
                auto* button = As<TzuVisualObject>(bar->FindResource(part));
                if (!button || !button->Visible()) continue;
                const TzuRect br = absolute(button);
                const bool apart = br.Right <= trackRect.Left + 0.01f || trackRect.Right <= br.Left + 0.01f ||
                                   br.Bottom <= trackRect.Top + 0.01f || trackRect.Bottom <= br.Top + 0.01f;
                EXPECT_TRUE(apart) << part << dump(br) << " track " << dump(trackRect);
            }
        }
        // The plain box still has room for a shrunk thumb, which keeps working.
        if (std::string(kind) == "TzuScrollBox") {
            TzuCustomTrack* track = b->VScrollBar()->Track();
            EXPECT_TRUE(track->Visible());
            EXPECT_TRUE(track->Thumb()->Visible());
            EXPECT_LT(track->Thumb()->Height(), 18);
        } else {
            EXPECT_FALSE(b->VScrollBar()->Track()->Visible());  // squeezed out by its buttons
        }
        // Given room again, the parts come back.
        b->SetHeight(110);
        Settle();
        TzuCustomTrack* track = b->VScrollBar()->Track();
        ASSERT_TRUE(b->VScrollBar()->Visible());
        EXPECT_TRUE(track->Visible());
        EXPECT_TRUE(track->Thumb()->Visible());
        EXPECT_GE(track->Thumb()->Height(), 18);
        EXPECT_TRUE(inside(absolute(track->Thumb()), absolute(track)));
    }
}

}  // namespace
}  // namespace zu::test
