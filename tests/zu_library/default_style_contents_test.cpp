// The whole default style as shipped: every style object in its stored order and place,
// the named parts controls bind to with the classes they expect, the state triggers the
// style reacts to, and "buttonstyle" value by value. The stream is read strictly: an
// unknown class fails the read and every skipped property is collected.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "platform/core/class_registry.h"
#include "platform/headless/headless_application.h"
#include "scene/zu_ani/color_animation.h"
#include "scene/zu_library/library.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/animation.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/effect.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu::test {
namespace {

const char* const kStoredOrder[] = {"thumbbarstyle",
                                    "scrollbarvtrackstyle",
                                    "scrollbarhtrackstyle",
                                    "scrollbarleftbutton",
                                    "scrollbarrightbutton",
                                    "scrollbartopbutton",
                                    "scrollbarbottombutton",
                                    "hthumbstyle",
                                    "vthumbstyle",
                                    "trackstyle",
                                    "trackbarstyle",
                                    "scrollbarstyle",
                                    "smallscrollbarhtrackstyle",
                                    "smallscrollbarvtrackstyle",
                                    "smallscrollbarstyle",
                                    "scrollboxstyle",
                                    "framedscrollboxstyle",
                                    "messagepopupstyle",
                                    "toolbuttonstyle",
                                    "toolpathbuttonstyle",
                                    "backgroundstyle",
                                    "panelstyle",
                                    "statusbarstyle",
                                    "toolbarstyle",
                                    "expandercheckboxstyle",
                                    "expanderstyle",
                                    "groupboxstyle",
                                    "imagecontrolstyle",
                                    "buttonstyle",
                                    "popupbuttonstyle",
                                    "roundbuttonstyle",
                                    "circlebuttonstyle",
                                    "colorbuttonstyle",
                                    "cornerbuttonstyle",
                                    "bitmapbuttonstyle",
                                    "pathbuttonstyle",
                                    "speedbuttonstyle",
                                    "anglebuttonstyle",
                                    "splitterstyle",
                                    "textboxstyle",
                                    "roundtextboxstyle",
                                    "spinboxstyle",
                                    "popupboxstyle",
                                    "memostyle",
                                    "numberboxstyle",
                                    "labelstyle",
                                    "valuelabelstyle",
                                    "listboxstyle",
                                    "listboxitemstyle",
                                    "imagelistboxitemstyle",
                                    "tabitemstyle",
                                    "checkboxstyle",
                                    "pathcheckboxstyle",
                                    "radiobuttonstyle",
                                    "progressbarstyle",
                                    "sizegripstyle",
                                    "combolistboxstyle",
                                    "comboboxstyle",
                                    "CloseButtonStyle",
                                    "expanderbuttonstyle",
                                    "treeviewstyle",
                                    "treeviewitemstyle",
                                    "treeviewexpanderbuttonstyle",
                                    "gridstyle",
                                    "tabcontrolstyle",
                                    "droptargetstyle",
                                    "hudtrackbarstyle",
                                    "hudnumberboxstyle",
                                    "hudtextboxstyle",
                                    "hudroundtextboxstyle",
                                    "hudspinboxstyle",
                                    "hudmemostyle",
                                    "hudscrollbarstyle",
                                    "hudwindowstyle",
                                    "hudSizeGripStyle",
                                    "hudCloseButtonStyle",
                                    "hudlabelstyle",
                                    "hudbuttonstyle",
                                    "hudroundbuttonstyle",
                                    "hudcirclebuttonstyle",
                                    "hudcornerbuttonstyle",
                                    "hudcheckboxstyle",
                                    "hudradiobuttonstyle",
                                    "hudgroupboxstyle",
                                    "hudpopupboxstyle",
                                    "hudanglebuttonstyle",
                                    "hudthumbbarstyle",
                                    "hudscrollbarvtrackstyle",
                                    "hudscrollbarhtrackstyle",
                                    "hudscrollbarleftbutton",
                                    "hudscrollbarrightbutton",
                                    "hudscrollbartopbutton",
                                    "hudscrollbarbottombutton",
                                    "grad",
                                    "hudhthumbstyle",
                                    "hudvthumbstyle",
                                    "hudcomboboxstyle",
                                    "hudcombolistboxstyle",
                                    "hudtrackstyle",
                                    "hudtabcontrolstyle",
                                    "hudtabitemstyle",
                                    "hudstatusbarstyle",
                                    "hudpanelstyle",
                                    "hudlistboxstyle",
                                    "hudlistboxitemstyle",
                                    "droptargetstyle",
                                    "iconconfirmation",
                                    "iconinformation",
                                    "iconwarning",
                                    "iconerror",
                                    "iphonebuttonstyle",
                                    "hudsmallscrollbarhtrackstyle",
                                    "hudsmallscrollbarvtrackstyle",
                                    "hudsmallscrollbarstyle"};

// Style, class of its root ("" when any), and its parts with their classes ("" when any
// visual object will do).
struct Family {
    std::vector<const char*> styles;
    const char* root;
    std::vector<std::pair<const char*, const char*>> parts;
};

const std::vector<Family>& Families() {
    static const std::vector<Family> families = {
        {{"buttonstyle", "popupbuttonstyle", "cornerbuttonstyle", "speedbuttonstyle", "hudcornerbuttonstyle"},
         "TzuLayout",
         {{"background", "TzuRectangle"}, {"text", "TzuText"}}},
        {{"roundbuttonstyle"}, "TzuLayout", {{"background", "TzuRoundRect"}, {"text", "TzuText"}}},
        {{"circlebuttonstyle"}, "TzuLayout", {{"background", "TzuCircle"}, {"text", "TzuText"}}},
        {{"colorbuttonstyle"},
         "TzuLayout",
         {{"background", ""}, {"fill", "TzuRectangle"}, {"text", "TzuText"}}},
        {{"bitmapbuttonstyle", "toolbuttonstyle"}, "TzuLayout", {{"text", "TzuText"}, {"image", "TzuImage"}}},
        {{"pathbuttonstyle", "toolpathbuttonstyle"},
         "TzuLayout",
         {{"text", "TzuText"}, {"pathowner", "TzuLayout"}, {"path", "TzuPath"}}},
        {{"checkboxstyle", "hudcheckboxstyle"},
         "TzuLayout",
         {{"background", "TzuRectangle"}, {"checkmark", "TzuPath"}, {"text", "TzuText"}}},
        {{"pathcheckboxstyle"}, "TzuLayout", {{"checkmark", "TzuPath"}, {"text", "TzuText"}}},
        {{"radiobuttonstyle", "hudradiobuttonstyle"},
         "TzuLayout",
         {{"background", "TzuEllipse"}, {"checkmark", "TzuEllipse"}, {"text", "TzuText"}}},
        {{"textboxstyle", "roundtextboxstyle"},
         "TzuLayout",
         {{"background", ""},
          {"foreground", "TzuBrushObject"},
          {"selection", "TzuBrushObject"},
          {"content", "TzuContent"}}},
        {{"hudtextboxstyle", "hudroundtextboxstyle"},
         "TzuLayout",
         {{"background", ""}, {"foreground", "TzuBrushObject"}, {"content", "TzuContent"}}},
        {{"spinboxstyle"},
         "TzuLayout",
         {{"background", ""},
          {"foreground", "TzuBrushObject"},
          {"selection", "TzuBrushObject"},
          {"content", "TzuContent"},
          {"minusbutton", "TzuCircleButton"},
          {"plusbutton", "TzuCircleButton"}}},
        {{"hudspinboxstyle"},
         "TzuLayout",
         {{"background", ""},
          {"foreground", "TzuBrushObject"},
          {"content", "TzuContent"},
          {"minusbutton", "TzuHudCircleButton"},
          {"plusbutton", "TzuHudCircleButton"}}},
        {{"numberboxstyle", "hudnumberboxstyle"},
         "TzuLayout",
         {{"background", ""}, {"content", "TzuContent"}, {"foreground", "TzuBrushObject"}}},
        {{"memostyle"},
         "TzuLayout",
         {{"background", ""},
          {"content", "TzuLayout"},
          {"vscrollbar", "TzuScrollBar"},
          {"hscrollbar", "TzuScrollBar"},
          {"vsmallscrollbar", "TzuSmallScrollBar"},
          {"hsmallscrollbar", "TzuSmallScrollBar"},
          {"sizegrip", "TzuSizeGrip"},
          {"foreground", "TzuBrushObject"},
          {"selection", "TzuBrushObject"}}},
        {{"hudmemostyle"},
         "TzuLayout",
         {{"background", ""},
          {"content", "TzuLayout"},
          {"vscrollbar", "TzuHudScrollBar"},
          {"hscrollbar", "TzuHudScrollBar"},
          {"vsmallscrollbar", "TzuSmallScrollBar"},
          {"hsmallscrollbar", "TzuSmallScrollBar"},
          {"sizegrip", "TzuSizeGrip"},
          {"foreground", "TzuBrushObject"},
          {"selection", "TzuBrushObject"}}},
        {{"scrollboxstyle", "framedscrollboxstyle"},
         "TzuLayout",
         {{"background", ""},
          {"content", ""},
          {"vscrollbar", "TzuScrollBar"},
          {"hscrollbar", "TzuScrollBar"},
          {"vsmallscrollbar", "TzuSmallScrollBar"},
          {"hsmallscrollbar", "TzuSmallScrollBar"},
          {"sizegrip", "TzuSizeGrip"}}},
        {{"listboxstyle"},
         "TzuLayout",
         {{"background", ""},
          {"content", ""},
          {"selection", ""},
          {"vscrollbar", "TzuScrollBar"},
          {"hscrollbar", "TzuScrollBar"},
          {"AlternatingRowBackground", "TzuBrushObject"}}},
        {{"combolistboxstyle", "treeviewstyle", "gridstyle"},
         "TzuLayout",
         {{"background", ""},
          {"content", ""},
          {"selection", ""},
          {"vscrollbar", "TzuScrollBar"},
          {"hscrollbar", "TzuScrollBar"}}},
        {{"hudlistboxstyle", "hudcombolistboxstyle"},
         "TzuLayout",
         {{"background", ""},
          {"content", ""},
          {"selection", ""},
          {"vscrollbar", "TzuHudScrollBar"},
          {"hscrollbar", "TzuHudScrollBar"}}},
        {{"listboxitemstyle", "imagelistboxitemstyle"},
         "TzuLayout",
         {{"text", "TzuText"}, {"check", "TzuCheckBox"}}},
        {{"hudlistboxitemstyle"}, "TzuLayout", {{"text", "TzuText"}, {"check", "TzuHudCheckBox"}}},
        {{"treeviewitemstyle"},
         "TzuRectangle",
         {{"button", "TzuSpeedButton"}, {"check", "TzuCheckBox"}, {"text", "TzuText"}}},
        {{"comboboxstyle", "hudcomboboxstyle"}, "TzuLayout", {{"Content", "TzuContent"}}},
        {{"tabcontrolstyle", "hudtabcontrolstyle"}, "TzuLayout", {{"background", ""}}},
        {{"scrollbarstyle", "hudscrollbarstyle"},
         "TzuLayout",
         {{"background", ""},
          {"leftbutton", "TzuSpeedButton"},
          {"rightbutton", "TzuSpeedButton"},
          {"topbutton", "TzuSpeedButton"},
          {"bottombutton", "TzuSpeedButton"},
          {"htrack", "TzuTrack"},
          {"vtrack", "TzuTrack"}}},
        {{"smallscrollbarstyle"}, "TzuLayout", {{"htrack", "TzuTrack"}, {"vtrack", "TzuTrack"}}},
        {{"trackstyle", "scrollbarhtrackstyle", "scrollbarvtrackstyle", "smallscrollbarhtrackstyle",
          "smallscrollbarvtrackstyle", "hudtrackstyle", "hudscrollbarhtrackstyle", "hudscrollbarvtrackstyle"},
         "",
         {{"thumb", "TzuThumb"}}},
        {{"trackbarstyle"}, "", {{"thumb", "TzuThumb"}, {"background", ""}}},
        {{"progressbarstyle"},
         "TzuLayout",
         {{"htrack", "TzuRectangle"},
          {"hindicator", "TzuRectangle"},
          {"vtrack", "TzuRectangle"},
          {"vindicator", "TzuRectangle"}}},
        {{"expanderstyle"},
         "TzuLayout",
         {{"text", "TzuText"}, {"button", "TzuExpanderButton"}, {"checkbox", "TzuCheckBox"}}},
        {{"groupboxstyle"}, "TzuLayout", {{"background", ""}, {"text", "TzuText"}}},
        {{"imagecontrolstyle"}, "TzuLayout", {{"background", ""}, {"image", "TzuImage"}}},
        {{"anglebuttonstyle"},
         "TzuLayout",
         {{"background", "TzuEllipse"},
          {"tick", "TzuLayout"},
          {"text", "TzuText"},
          {"tracktext", "TzuText"}}},
        {{"hudwindowstyle"},
         "TzuLayout",
         {{"back", ""},
          {"shadow", "TzuImage"},
          {"caption", ""},
          {"stroke", ""},
          {"close", "TzuCloseButton"},
          {"text", "TzuText"},
          {"sizegrip", ""}}},
        {{"statusbarstyle"}, "TzuSidesRectangle", {{"sizegrip", "TzuSizeGrip"}}},
        {{"hudstatusbarstyle"}, "", {{"sizegrip", ""}}},
        {{"labelstyle", "valuelabelstyle", "hudlabelstyle", "tabitemstyle", "hudtabitemstyle",
          "droptargetstyle"},
         "TzuLayout",
         {{"text", "TzuText"}}},
        {{"thumbbarstyle", "hthumbstyle", "vthumbstyle", "hudthumbbarstyle", "hudhthumbstyle",
          "hudvthumbstyle"},
         "TzuLayout",
         {{"background", ""}}},
        {{"splitterstyle"}, "TzuLayout", {{"grip", "TzuEllipse"}}},
        {{"grad"}, "TzuBrushObject", {}},
        {{"iconconfirmation", "iconinformation", "iconwarning", "iconerror"}, "TzuImage", {}},
    };
    return families;
}

const std::set<std::string> kTriggerVocabulary = {
    "IsMouseOver=true", "IsMouseOver=false", "IsFocused=true",  "IsPressed=true",   "IsPressed=false",
    "IsChecked=true",   "IsChecked=false",   "IsSelected=true", "IsSelected=false", "IsExpanded=true",
    "IsExpanded=false", "IsOpen=true",       "IsOpen=false",    "IsVisible=true",   "IsDragOver=true"};

class DefaultStyleContents_ : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLibraryClasses();
        const std::string_view bytes = DefaultStyleStream();
        const std::span<const uint8_t> data(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        root = LoadObjectFromStream(
            nullptr, data, [this](const std::string& message) { skipped.push_back(message); },
            TzuUnknownClasses::Fail);
    }
    void TearDown() override {
        delete root;
        TzuAniThread::FreeInstance();
    }

    TzuHeadlessApplication app;
    TzuObject* root = nullptr;
    std::vector<std::string> skipped;
};

void Walk(TzuObject* object, const std::function<void(TzuObject*)>& visit) {
    visit(object);
    for (int i = 0; i < object->ChildrenCount(); ++i) Walk(object->Children(i), visit);
}

TEST_F(DefaultStyleContents_, HoldsEveryStyleInStoredOrderEachInItsOwnPlace) {
    ASSERT_NE(root, nullptr) << "the embedded style does not read with every class registered";
    for (const std::string& message : skipped) ADD_FAILURE() << "skipped: " << message;

    constexpr int kStyles = static_cast<int>(std::size(kStoredOrder));
    static_assert(kStyles == 114);
    ASSERT_EQ(root->ChildrenCount(), kStyles);
    std::set<std::pair<float, float>> places;
    int shown = 0;
    for (int i = 0; i < kStyles; ++i) {
        TzuObject* style = root->Children(i);
        EXPECT_EQ(style->ResourceName(), kStoredOrder[i]) << "at " << i;
        auto* visual = As<TzuVisualObject>(style);
        if (!visual) continue;  // the named gradient is a brush, not a shape on the surface
        const float x = visual->Position()->X(), y = visual->Position()->Y();
        EXPECT_TRUE(x >= 0 && y >= 0 && x < 548 && y < 547) << style->ResourceName();
        EXPECT_TRUE(places.insert({x, y}).second) << style->ResourceName() << " shares its place";
        if (!visual->DesignHide()) {
            ++shown;
            EXPECT_EQ(style->ResourceName(), "buttonstyle");
        }
    }
    EXPECT_EQ(shown, 1);
}

TEST_F(DefaultStyleContents_, EveryFamilyHasItsNamedPartsWithTheirClasses) {
    ASSERT_NE(root, nullptr);
    for (const Family& family : Families()) {
        for (const char* name : family.styles) {
            TzuObject* style = root->FindResource(name);
            if (!style) {
                ADD_FAILURE() << "no style " << name;
                continue;
            }
            if (*family.root) {
                EXPECT_TRUE(SameText(style->ClassName(), family.root))
                    << name << " is a " << style->ClassName();
            }
            for (const auto& [part, cls] : family.parts) {
                TzuObject* found = style->FindResource(part);
                if (!found) {
                    ADD_FAILURE() << name << " has no part " << part;
                    continue;
                }
                EXPECT_EQ(found->ResourceName(), part) << name << "." << part;
                if (*cls) {
                    // A hud part may be the hud kind of the class the control binds.
                    const TzuClass* wanted = FindClass(cls);
                    ASSERT_NE(wanted, nullptr) << cls;
                    EXPECT_TRUE(found->InheritsFrom(*wanted))
                        << name << "." << part << " is a " << found->ClassName() << ", wanted " << cls;
                } else if (!SameText(part, "AlternatingRowBackground")) {
                    EXPECT_NE(As<TzuVisualObject>(found), nullptr) << name << "." << part;
                }
            }
        }
    }
    // The hud text boxes keep the brushes of their host; only the plain ones select in orange.
    EXPECT_EQ(root->FindResource("hudtextboxstyle")->FindResource("selection"), nullptr);
}

TEST_F(DefaultStyleContents_, ReactsOnlyToStatesOfTheVocabularyAndUsesThemAll) {
    ASSERT_NE(root, nullptr);
    std::set<std::string> used;
    int triggered = 0;
    Walk(root, [&](TzuObject* object) {
        std::string trigger;
        if (auto* animation = As<TzuAnimation>(object)) trigger = animation->Trigger();
        if (auto* effect = As<TzuEffect>(object)) trigger = effect->Trigger();
        if (trigger.empty()) return;
        ++triggered;
        size_t start = 0;
        while (start <= trigger.size()) {
            const size_t end = std::min(trigger.find(';', start), trigger.size());
            const std::string condition = trigger.substr(start, end - start);
            EXPECT_TRUE(kTriggerVocabulary.count(condition))
                << "\"" << trigger << "\" on " << object->ClassName();
            used.insert(condition);
            start = end + 1;
        }
    });
    EXPECT_GT(triggered, 100);
    for (const std::string& condition : kTriggerVocabulary) EXPECT_TRUE(used.count(condition)) << condition;
}

TEST_F(DefaultStyleContents_, ButtonstyleAnimatesItsBackgroundExactlyAsAuthored) {
    ASSERT_NE(root, nullptr);
    TzuObject* style = root->FindResource("buttonstyle");
    ASSERT_NE(style, nullptr);
    TzuObject* background = style->FindResource("background");
    ASSERT_NE(background, nullptr);
    struct Expected {
        const char* trigger;
        bool inverse;
        const char* start;
        const char* stop;
    };
    const Expected expected[] = {{"IsMouseOver=true;IsPressed=false", false, "#FF505050", "#FF707070"},
                                 {"IsMouseOver=false;IsPressed=false", true, "#FF505050", "#FF707070"},
                                 {"IsMouseOver=false;IsPressed=true", true, "#FF404040", "#FF707070"},
                                 {"IsMouseOver=true;IsPressed=true", false, "#FF707070", "#FF404040"}};
    ASSERT_EQ(background->ChildrenCount(), 4);
    for (int i = 0; i < 4; ++i) {
        auto* animation = As<TzuColorAnimation>(background->Children(i));
        ASSERT_NE(animation, nullptr);
        EXPECT_EQ(animation->Trigger(), expected[i].trigger);
        EXPECT_EQ(animation->Inverse(), expected[i].inverse) << i;
        EXPECT_EQ(animation->StartValue(), expected[i].start) << i;
        EXPECT_EQ(animation->StopValue(), expected[i].stop) << i;
        EXPECT_EQ(animation->Duration(), 0.2f);
        EXPECT_FALSE(animation->HideOnFinish());
        EXPECT_EQ(animation->PropertyName(), "Fill.Color");
    }
    // Background, text and the focus glow, and nothing else.
    ASSERT_EQ(style->ChildrenCount(), 3);
    EXPECT_EQ(style->Children(0), background);
    EXPECT_TRUE(SameText(style->Children(2)->ClassName(), "TzuGlowEffect"));
}

TEST_F(DefaultStyleContents_, LookupsFindTheFirstOfTwinNamesAndIgnoreCase) {
    ASSERT_NE(root, nullptr);
    TzuObject* first = nullptr;
    int twins = 0;
    for (int i = 0; i < root->ChildrenCount(); ++i) {
        if (root->Children(i)->ResourceName() != "droptargetstyle") continue;
        if (!first) first = root->Children(i);
        ++twins;
    }
    EXPECT_EQ(twins, 2);
    EXPECT_EQ(root->FindResource("droptargetstyle"), first);
    EXPECT_EQ(root->FindResource("closebuttonstyle"), root->FindResource("CloseButtonStyle"));
    EXPECT_NE(root->FindResource("HUDSIZEGRIPSTYLE"), nullptr);
}

}  // namespace
}  // namespace zu::test
