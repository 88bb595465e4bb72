// The splitter, expander, window panels, close and angle buttons, the busy indicator and
// the image control, driven through a real (headless) scene's input routing.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <unistd.h>

#include "hosted_scene.h"
#include "platform/core/class_registry.h"
#include "platform/core/utf.h"
#include "scene/zu_controls/angle_button.h"
#include "scene/zu_controls/ani_indicator.h"
#include "scene/zu_controls/check_box.h"
#include "scene/zu_controls/close_button.h"
#include "scene/zu_controls/expander.h"
#include "scene/zu_controls/hud_window.h"
#include "scene/zu_controls/image_control.h"
#include "scene/zu_controls/splitter.h"
#include "scene/zu_objects/image.h"
#include "scene/zu_objects/shape.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/host/popup.h"
#include "scene/zu_scene/tree/animation.h"
#include "scene/zu_scene/tree/bitmap_object.h"
#include "scene/zu_scene/tree/content.h"
#include "scene/zu_scene/tree/drag_object.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/resources.h"

namespace zu::test {
namespace {

using WindowControls = HostedScene;

TzuVisualObject* AlignedPanel(TzuObject* parent, TzuAlign align, float size) {
    auto* v = new TzuVisualObject(nullptr);
    v->SetBounds(0, 0, size, size);
    v->SetAlign(align);
    v->SetParent(parent);
    return v;
}

TEST(ClassCategories, DesignMenuGroupsPopupsWindowPartsAndButtons) {
    RegisterLibraryClasses();
    std::map<std::string, std::string> category;
    for (const auto& [name, cls] : ClassRegistry()) category[cls->name] = name;
    EXPECT_EQ(category["TzuPopup"], "Popup");
    EXPECT_EQ(category["TzuMessagePopup"], "Popup");
    EXPECT_EQ(category["TzuResources"], "");
    EXPECT_EQ(category["TzuBackground"], "Windows");
    EXPECT_EQ(category["TzuCloseButton"], "Windows");
    EXPECT_EQ(category["TzuSizeGrip"], "Windows");
    EXPECT_EQ(category["TzuAngleButton"], "Buttons");
    // Each class sits under one category only.
    EXPECT_EQ(
        std::count_if(ClassRegistry().begin(), ClassRegistry().end(),
                      [](const auto& entry) { return std::string(entry.second->name) == "TzuCloseButton"; }),
        1);
}

TEST_F(WindowControls, LeftSplitterResizesItsTargetWithinMinimumSizes) {
    TzuVisualObject* left = AlignedPanel(root, vaLeft, 100);
    auto* splitter = Add<TzuSplitter>(0, 0);
    TzuVisualObject* right = AlignedPanel(root, vaRight, 50);
    AlignedPanel(root, vaClient, 10);
    app.ProcessMessages();
    ASSERT_EQ(splitter->Position()->X(), 100);
    EXPECT_EQ(splitter->FindTarget(), left);
    EXPECT_EQ(splitter->Cursor(), cursors::crSizeWE);
    ASSERT_NE(splitter->FindResource("grip"), nullptr);

    Press(102, 50);
    EXPECT_TRUE(splitter->Dragging());
    Drag(132, 60);
    EXPECT_EQ(left->Width(), 130);
    EXPECT_EQ(splitter->Position()->X(), 130);
    // Far left: no narrower than MinSize.
    Drag(0, 60);
    EXPECT_EQ(left->Width(), 20);
    // Far right: the client keeps MinSize of room beside the other aligned siblings.
    Drag(299, 60);
    EXPECT_EQ(left->Width(), 300 - 20 - (100 + 5 + 50) + 100);
    EXPECT_EQ(right->Width(), 50);
    Release(299, 60);
    EXPECT_FALSE(splitter->Dragging());
    Drag(150, 60);
    EXPECT_EQ(left->Width(), 225);

    // The grip follows ShowGrip, also across a restyle.
    splitter->SetShowGrip(false);
    EXPECT_FALSE(As<TzuVisualObject>(splitter->FindResource("grip"))->Visible());
    splitter->SetResource("splitterstyle");
    EXPECT_FALSE(As<TzuVisualObject>(splitter->FindResource("grip"))->Visible());
}

TEST_F(WindowControls, RightAndBottomSplittersKeepTheFarEdgeOfTheirTarget) {
    TzuVisualObject* right = AlignedPanel(root, vaRight, 50);
    auto* splitter = Add<TzuSplitter>(0, 0);
    splitter->SetAlign(vaRight);
    TzuVisualObject* bottom = AlignedPanel(root, vaBottom, 40);
    auto* hsplit = Add<TzuSplitter>(0, 0);
    hsplit->SetAlign(vaBottom);
    hsplit->SetHeight(5);
    app.ProcessMessages();
    EXPECT_EQ(splitter->FindTarget(), right);
    EXPECT_EQ(hsplit->FindTarget(), bottom);
    EXPECT_EQ(hsplit->Cursor(), cursors::crSizeNS);

    const TzuRect s = splitter->ParentedRect();
    Press(int(s.Left) + 2, 20);
    Drag(int(s.Left) - 28, 20);
    Release(int(s.Left) - 28, 20);
    EXPECT_EQ(right->Width(), 80);
    EXPECT_EQ(right->ParentedRect().Right, 300);

    const TzuRect h = hsplit->ParentedRect();
    Press(20, int(h.Top) + 2);
    Drag(20, int(h.Top) - 18);
    Release(20, int(h.Top) - 18);
    EXPECT_EQ(bottom->Height(), 60);
    EXPECT_EQ(bottom->ParentedRect().Bottom, 200);

    // Without a sibling on its side a press starts nothing.
    auto* lonely = Add<TzuSplitter>(0, 0);
    lonely->SetAlign(vaNone);
    lonely->SetBounds(150, 20, 5, 40);
    EXPECT_EQ(lonely->FindTarget(), nullptr);
    Press(152, 30);
    EXPECT_FALSE(lonely->Dragging());
    Release(152, 30);
}

TEST_F(WindowControls, ExpanderFoldsItsContentAndAnimatesItsButton) {
    auto* expander = Add<TzuExpander>(10, 10);
    auto* child = As<TzuVisualObject>(CreateObject("TzuLayout", nullptr));
    child->SetParent(expander);
    EXPECT_EQ(child->Parent(), expander->Content());
    ASSERT_NE(expander->ButtonPart(), nullptr);
    ASSERT_NE(expander->CheckBoxPart(), nullptr);
    EXPECT_FALSE(expander->ButtonPart()->CanFocus());
    EXPECT_FALSE(expander->CheckBoxPart()->Visible());
    const float header = expander->ButtonPart()->Height();
    EXPECT_EQ(header, 22);
    EXPECT_EQ(expander->Content()->Position()->Y(), header);
    EXPECT_EQ(expander->Content()->Height(), 130 - header);

    ClickAt(60, 20);  // on the header button
    EXPECT_FALSE(expander->IsExpanded());
    EXPECT_EQ(expander->Height(), header);
    EXPECT_FALSE(expander->Content()->Visible());
    auto* arrow = As<TzuVisualObject>(expander->ButtonPart()->FindResource("arrow"));
    ASSERT_NE(arrow, nullptr);
    Advance(300);
    EXPECT_EQ(arrow->RotateAngle(), 0);
    ClickAt(60, 20);
    EXPECT_TRUE(expander->IsExpanded());
    EXPECT_EQ(expander->Height(), 130);  // the same height after every fold and unfold
    Advance(300);
    EXPECT_EQ(arrow->RotateAngle(), 90);
    expander->SetIsExpanded(false);
    expander->SetIsExpanded(true);
    EXPECT_EQ(expander->Height(), 130);

    // The check box part switches the content.
    int changes = 0;
    expander->OnCheckChange().Set([&](TzuPersistent*) { ++changes; });
    expander->SetShowCheck(true);
    EXPECT_TRUE(expander->CheckBoxPart()->Visible());
    expander->CheckBoxPart()->SetIsChecked(false);
    EXPECT_FALSE(expander->IsChecked());
    EXPECT_FALSE(expander->Content()->Enabled());
    EXPECT_EQ(changes, 1);
    expander->SetIsChecked(true);
    EXPECT_TRUE(expander->CheckBoxPart()->IsChecked());
    EXPECT_TRUE(expander->Content()->Enabled());

    // A folded expander keeps its content's height in the stream (ContentSize), so it
    // unfolds to its old height after loading; the content's children stream as its own.
    expander->SetIsExpanded(false);
    std::string text;
    SaveObjectToText(expander, text);
    EXPECT_NE(text.find("ContentSize = '108'"), std::string::npos) << text;
    EXPECT_NE(text.find("object TzuLayout"), std::string::npos);
    auto* copy = As<TzuExpander>(LoadObjectFromText(nullptr, text));
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->Content()->Visible());
    EXPECT_EQ(copy->Content()->ChildrenCount(), 1);
    copy->SetParent(root);
    app.ProcessMessages();
    copy->SetIsExpanded(true);
    EXPECT_EQ(copy->Height(), 130);
    EXPECT_TRUE(copy->Content()->Visible());
}

TEST_F(WindowControls, AngleButtonTakesThePointerAngleAndSnaps) {
    auto* knob = Add<TzuAngleButton>(100, 100);  // centre (115, 115)
    int changes = 0;
    knob->OnChange().Set([&](TzuPersistent*) { ++changes; });
    auto* tick = As<TzuVisualObject>(knob->FindResource("tick"));
    auto* track = As<TzuText>(knob->FindResource("tracktext"));
    auto* shown = As<TzuText>(knob->FindResource("text"));
    ASSERT_TRUE(tick && track && shown);

    Press(125, 115);
    Drag(115, 100);  // straight above the centre
    EXPECT_EQ(knob->Value(), 90);
    EXPECT_EQ(tick->RotateAngle(), -90);
    EXPECT_EQ(changes, 1);  // tracking: every change is told
    Drag(100, 115);         // straight left: the half turn counts as -180
    EXPECT_EQ(knob->Value(), -180);
    Release(100, 115);
    EXPECT_EQ(changes, 3);  // and once more for the drag as a whole

    // Untracked: the value is read out while dragging and told once at the end.
    knob->SetTracking(false);
    changes = 0;
    Press(125, 115);
    Drag(115, 130);
    EXPECT_EQ(knob->Value(), -90);
    EXPECT_TRUE(track->Visible());
    EXPECT_EQ(track->Opacity(), 1);
    EXPECT_EQ(track->Text(), u"-90\u00B0");
    EXPECT_EQ(changes, 0);
    Release(115, 130);
    EXPECT_FALSE(track->Visible());
    EXPECT_EQ(changes, 1);

    knob->SetFrequency(45);
    knob->SetValue(100);
    EXPECT_EQ(knob->Value(), 90);
    knob->SetShowValue(true);
    EXPECT_TRUE(shown->Visible());
    EXPECT_EQ(shown->Text(), u"90\u00B0");
    EXPECT_EQ(VariantToDouble(knob->GetData()), 90);
}

TEST_F(WindowControls, CloseButtonClosesItsFormOrPopupOrOnlyCallsOnClick) {
    auto* other = new TzuForm(nullptr);
    other->Show();
    app.SetMainForm(other);  // closing the scene's form must not end the test's loop
    auto* close = Add<TzuCloseButton>(10, 10);
    EXPECT_FALSE(close->CanFocus());
    ASSERT_NE(close->StyleObject(), nullptr);  // "CloseButtonStyle", found without regard to case
    int clicks = 0;
    close->OnClick().Set([&](TzuPersistent*) { ++clicks; });
    // The release closes wherever it happens.
    Press(15, 15);
    Release(200, 150);
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(clicks, 1);

    form->Show();
    close->SetCloseForm(false);
    ClickAt(15, 15);
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(clicks, 2);

    // Inside an open popup it closes the popup, which takes the button back to its tree.
    auto* popup = new TzuPopup(nullptr);
    popup->SetBounds(0, 0, 60, 40);
    popup->SetParent(root);
    close->SetParent(popup);
    close->SetCloseForm(true);
    popup->Open();
    auto* popupWindow = static_cast<TzuHeadlessWindow*>(popup->PopupScene()->Window());
    popupWindow->InjectMouseMove(15, 15);
    popupWindow->InjectMouseDown(mbLeft, 15, 15, ssLeft);
    popupWindow->InjectMouseUp(mbLeft, 15, 15);
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(close->Parent(), popup);
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(clicks, 3);
    delete other;
}

// The default style keeps the hud window's grip at the style's origin, aligned to the
// bottom right: in any window it sits in that corner and stays there as the window grows.
TEST_F(WindowControls, TheHudWindowsGripSitsInTheBottomRightCorner) {
    auto* window = Add<TzuHudWindow>(0, 0);
    for (const auto& [w, h] :
         {std::pair{170.0f, 66.0f}, std::pair{250.0f, 120.0f}, std::pair{120.0f, 40.0f}}) {
        window->SetBounds(0, 0, w, h);
        app.ProcessMessages();
        auto* grip = As<TzuVisualObject>(window->FindResource("sizegrip"));
        ASSERT_NE(grip, nullptr);
        EXPECT_EQ(grip->ParentedRect(), (TzuRect{w - 16, h - 16, w, h})) << w << " x " << h;
    }
    // A style applied afresh to a window of any size puts it there too.
    window->SetResource("hudwindowstyle");
    app.ProcessMessages();
    EXPECT_EQ(As<TzuVisualObject>(window->FindResource("sizegrip"))->ParentedRect(),
              (TzuRect{104, 24, 120, 40}));
}

// Menus and dialogs of the platform take the dark look exactly when the scene's style is
// dark: the default style is; a scene style on a light background is not.
TEST_F(WindowControls, PlatformDialogsFollowTheDarknessOfTheScenesStyle) {
    Add<TzuHudWindow>(0, 0);
    Settle();
    EXPECT_TRUE(scene->StyleIsDark());
    EXPECT_TRUE(app.DarkLook());
    auto* light = new TzuResources(form);
    light->SetResourceText(
        "object TzuBackground\n  Width = 100.0\n  Height = 100.0\n  Fill.Color = '#FFF0F0F0'\n"
        "  Fill.Style = zuBrushSolid\nend\n");
    scene->SetStyle(light);
    EXPECT_FALSE(scene->StyleIsDark());
    EXPECT_FALSE(app.DarkLook());
    scene->SetStyle(nullptr);
    EXPECT_TRUE(app.DarkLook());
}

TEST_F(WindowControls, WindowPanelsMoveTheirFormAndShowTheirParts) {
    root->SetHitTest(false);
    auto* window = Add<TzuHudWindow>(0, 0);
    window->SetText(u"Tools");
    auto* close = As<TzuCloseButton>(window->FindResource("close"));
    auto* back = As<TzuShape>(window->FindResource("back"));
    auto* stroke = As<TzuShape>(window->FindResource("stroke"));
    auto* caption = As<TzuVisualObject>(window->FindResource("caption"));
    ASSERT_TRUE(close && back && stroke && caption);
    EXPECT_EQ(close->Align(), vaLeft);
    EXPECT_EQ(back->Fill()->Color(), 0xEA2F2F2Fu);
    EXPECT_EQ(caption->Height(), 21);
    EXPECT_EQ(As<TzuText>(window->FindResource("text"))->Text(), u"Tools");

    // A press on the caption (nothing there takes it) drags the host form along.
    Press(100, 10);
    Drag(130, 30);
    Release(130, 30);
    EXPECT_EQ(form->Left(), 30);
    EXPECT_EQ(form->Top(), 20);

    // A press on the size grip resizes the host form.
    auto* grip = As<TzuVisualObject>(window->FindResource("sizegrip"));
    ASSERT_NE(grip, nullptr);
    const TzuRect g = grip->AbsoluteRect();
    Press(int(g.Left) + 8, int(g.Top) + 8);
    Drag(int(g.Left) + 28, int(g.Top) + 18);
    Release(int(g.Left) + 28, int(g.Top) + 18);
    EXPECT_EQ(form->Width(), 320);
    EXPECT_EQ(form->Height(), 210);
    window->SetShowSizeGrip(false);
    EXPECT_FALSE(As<TzuVisualObject>(window->FindResource("sizegrip"))->Visible());

    // Properties restyle the parts.
    window->Fill()->SetColor(0xFF102030);
    window->SetStrokeThickness(3);
    window->SetButtonAlign(zuButtonAlignRight);
    back = As<TzuShape>(window->FindResource("back"));
    stroke = As<TzuShape>(window->FindResource("stroke"));
    close = As<TzuCloseButton>(window->FindResource("close"));
    caption = As<TzuVisualObject>(window->FindResource("caption"));
    EXPECT_EQ(back->Fill()->Color(), 0xFF102030u);
    EXPECT_EQ(stroke->StrokeThickness(), 3);
    EXPECT_EQ(stroke->MarginsRect(), (TzuRect{3, 3, 3, 3}));
    EXPECT_EQ(caption->Height(), 23);
    EXPECT_EQ(caption->PaddingRect(), (TzuRect{3, 3, 3, 0}));
    EXPECT_EQ(close->Align(), vaRight);
    window->SetShowCaption(false);
    EXPECT_FALSE(As<TzuVisualObject>(window->FindResource("close"))->Visible());
    EXPECT_FALSE(As<TzuVisualObject>(window->FindResource("caption"))->Visible());
    window->SetShowCaption(true);
    window->SetShowCloseButton(false);
    EXPECT_FALSE(As<TzuVisualObject>(window->FindResource("close"))->Visible());

    // OnCloseClick replaces closing the form.
    window->SetShowCloseButton(true);
    int closeClicks = 0;
    window->OnCloseClick().Set([&](TzuPersistent*) { ++closeClicks; });
    window->SetResource("hudwindowstyle");
    close = As<TzuCloseButton>(window->FindResource("close"));
    EXPECT_FALSE(close->CloseForm());
    const TzuRect r = close->AbsoluteRect();
    ClickAt(int(r.Left + r.Right) / 2, int(r.Top + r.Bottom) / 2);
    EXPECT_EQ(closeClicks, 1);
    EXPECT_TRUE(form->Visible());
}

TEST_F(WindowControls, BusyIndicatorRunsOnTheClockOnlyWhileEnabled) {
    auto* busy = Add<TzuAniIndicator>(0, 0);
    busy->SetBounds(0, 0, 40, 40);
    ASSERT_NE(busy->ClockAnimation(), nullptr);
    // Disabled: only the grey marks. The spoke at 0 degrees runs from x 27.7 to 35.4.
    app.ProcessMessages();
    const uint32_t grey = window()->Pixel(32, 20);
    EXPECT_EQ(grey & 0xFFFFFF, 0xBABABAu);
    Advance(1000);
    EXPECT_EQ(busy->Clock()->RotateAngle(), 0);

    busy->SetEnabled(true);
    Advance(330);  // a tenth of the turn: the wave has moved on from the first mark
    EXPECT_NEAR(busy->Clock()->RotateAngle(), 11.9f, 0.5f);
    app.ProcessMessages();
    EXPECT_LT(window()->Pixel(32, 20) & 0xFF, 0xBAu);  // darkened by the wave
    busy->SetEnabled(false);
    const float stopped = busy->Clock()->RotateAngle();
    Advance(500);
    EXPECT_EQ(busy->Clock()->RotateAngle(), stopped);
    busy->SetStyle(zuAniIndicatorCircle);
    app.ProcessMessages();
    EXPECT_EQ(window()->Pixel(20 + 10, 20) & 0xFFFFFF, 0xBABABAu);  // a dot at distance r
}

class ImageControlTest : public HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        dir = std::filesystem::temp_directory_path() / ("zu_image_control_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        TzuBitmap picture;
        picture.SetSize(40, 20);
        picture.Clear(0xFF3060C0);
        png = (dir / "picture.png").string();
        ASSERT_TRUE(picture.SaveToFile(png));
        std::ofstream((dir / "notes.txt").string()) << "text";
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        HostedScene::TearDown();
    }
    std::filesystem::path dir;
    std::string png;
};

TEST_F(ImageControlTest, LoadsByDialogDropOrDataAndShowsAFittedCopy) {
    auto* control = Add<TzuImageControl>(10, 10);
    ASSERT_NE(control->ImagePart(), nullptr);
    int changes = 0;
    control->OnChange().Set([&](TzuPersistent*) { ++changes; });

    // A cancelled dialog changes nothing; an accepted one loads the file.
    ClickAt(30, 30);
    EXPECT_EQ(app.OpenFileDialogCount(), 1);
    EXPECT_EQ(app.OpenFileNear(), scene->Window());  // the dialog belongs to the scene's window
    EXPECT_NE(app.OpenFileMasks().find("*.png"), std::string::npos);
    EXPECT_EQ(control->Bitmap()->Width(), 1);
    app.SetOpenFileAnswer(png);
    ClickAt(30, 30);
    EXPECT_EQ(control->Bitmap()->Width(), 40);
    EXPECT_GE(changes, 1);
    // The part shows a copy fitted into its 56 x 56 area.
    EXPECT_EQ(control->ImagePart()->Bitmap()->Width(), 40);
    EXPECT_EQ(control->ImagePart()->Bitmap()->Height(), 20);
    control->SetBounds(10, 10, 28, 28);  // a 20 x 20 area now
    control->SetResource("imagecontrolstyle");
    EXPECT_EQ(control->ImagePart()->Bitmap()->Width(), 20);
    EXPECT_EQ(control->ImagePart()->Bitmap()->Height(), 10);

    // Drops: image files and images are taken, other files and missing ones refused.
    TzuDragObject drag;
    bool accept = false;
    drag.Files = {Utf8ToUtf16((dir / "notes.txt").string())};
    control->DragOver(drag, {}, accept);
    EXPECT_FALSE(accept);
    drag.Files = {Utf8ToUtf16((dir / "missing.png").string())};
    control->DragOver(drag, {}, accept);
    EXPECT_FALSE(accept);
    drag.Files = {Utf8ToUtf16(png)};
    control->DragOver(drag, {}, accept);
    EXPECT_TRUE(accept);
    auto* image = new TzuImage(nullptr);
    image->Bitmap()->SetSize(7, 5);
    TzuDragObject fromImage;
    fromImage.Source = image;
    accept = false;
    control->DragOver(fromImage, {}, accept);
    EXPECT_TRUE(accept);
    control->DragDrop(fromImage, {});
    EXPECT_EQ(control->Bitmap()->Width(), 7);
    control->DragDrop(drag, {});
    EXPECT_EQ(control->Bitmap()->Width(), 40);

    // Data: a file name loads, another control's data copies its bitmap.
    auto* second = Add<TzuImageControl>(100, 10);
    second->SetData(control->GetData());
    EXPECT_EQ(second->Bitmap()->Width(), 40);
    image->SetParent(root);
    second->SetData(ObjectToDataText(image));
    EXPECT_EQ(second->Bitmap()->Width(), 7);
    second->SetData(TzuVariant(png));
    EXPECT_EQ(second->Bitmap()->Height(), 20);

    // Bound by name, an image takes the control's picture and the control the image's:
    // each names itself, and the other copies the bitmap it holds. A shared bitmap
    // binds the same way.
    image->SetBindingName("photo");
    second->SetBindingName("picture");
    root->SetBinding("photo", root->GetBinding("picture"));
    EXPECT_EQ(image->Bitmap()->Width(), 40);
    EXPECT_EQ(image->Bitmap()->Height(), 20);
    image->Bitmap()->SetSize(9, 3);
    root->SetBinding("picture", root->GetBinding("photo"));
    EXPECT_EQ(second->Bitmap()->Width(), 9);
    EXPECT_EQ(second->Bitmap()->Height(), 3);
    TzuBitmapObject shared(nullptr);
    shared.Bitmap()->SetSize(4, 6);
    second->SetData(ObjectToDataText(&shared));
    image->SetData(ObjectToDataText(&shared));
    EXPECT_EQ(second->Bitmap()->Height(), 6);
    EXPECT_EQ(image->Bitmap()->Height(), 6);
}

TEST_F(WindowControls, EveryNewKindWearsItsDefaultStyle) {
    const struct {
        const char* className;
        std::vector<const char*> parts;
    } cases[] = {
        {"TzuSplitter", {"grip"}},
        {"TzuExpander", {"button", "checkbox", "text"}},
        {"TzuExpanderButton", {"background", "arrow"}},
        {"TzuImageControl", {"image"}},
        {"TzuAngleButton", {"background", "tick", "text", "tracktext"}},
        {"TzuHudAngleButton", {"background", "tick", "text", "tracktext"}},
        {"TzuCloseButton", {"background"}},
        {"TzuHudCloseButton", {"background"}},
        {"TzuHudWindow", {"back", "stroke", "caption", "close", "text"}},
        {"TzuMessagePopup", {"background"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.className);
        auto* control = As<TzuControl>(CreateObject(c.className, nullptr));
        ASSERT_NE(control, nullptr);
        control->SetParent(root);
        control->ApplyStyleLookup();
        ASSERT_NE(control->StyleObject(), nullptr);
        for (const char* part : c.parts) EXPECT_NE(control->FindResource(part), nullptr) << part;
        delete control;
    }
    // The message-box icons are images with pictures of their own.
    for (const char* name : {"iconconfirmation", "iconinformation", "iconwarning", "iconerror"}) {
        SCOPED_TRACE(name);
        auto* icon = As<TzuImage>(TzuObject::FindResourceObject(name));
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->Bitmap()->Width(), 32);
        EXPECT_EQ(icon->Bitmap()->Height(), 32);
    }
}

}  // namespace
}  // namespace zu::test
