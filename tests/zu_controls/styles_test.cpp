// Every control kind of this unit finds its style in the default style, by its own name or
// its parent class's, and binds the parts it uses.

#include <gtest/gtest.h>

#include <string>

#include "hosted_scene.h"
#include "platform/core/class_registry.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/tree/control.h"

namespace zu::test {
namespace {

using ControlStyles = HostedScene;

struct StyleCase {
    const char* className;
    const char* backgroundClass;  // of the "background" part; null when there is none
    bool hasText;
};

TEST_F(ControlStyles, EveryKindWearsItsStyleAndFindsItsParts) {
    const StyleCase cases[] = {
        {"TzuLabel", nullptr, true},
        {"TzuValueLabel", nullptr, true},
        {"TzuHudLabel", nullptr, true},
        {"TzuPanel", "TzuRectangle", false},
        {"TzuHudPanel", "TzuRectangle", false},
        {"TzuButton", "TzuRectangle", true},
        {"TzuRoundButton", "TzuRoundRect", true},
        {"TzuCircleButton", "TzuCircle", true},
        {"TzuSpeedButton", "TzuRectangle", true},
        {"TzuHudSpeedButton", "TzuRectangle", true},  // wears the speed button's style
        {"TzuHudButton", "TzuRectangle", true},
        {"TzuHudRoundButton", "TzuRoundRect", true},
        {"TzuHudCircleButton", "TzuCircle", true},
        {"TzuCornerButton", "TzuRectangle", true},
        {"TzuHudCornerButton", "TzuRectangle", true},
        {"TzuBitmapButton", "TzuRectangle", true},
        {"TzuToolButton", "TzuRectangle", true},
        {"TzuPathButton", "TzuRectangle", true},
        {"TzuToolPathButton", "TzuRectangle", true},
        {"TzuToolBar", "TzuRectangle", false},
        {"TzuPopupButton", "TzuRectangle", true},
        {"TzuColorButton", "TzuRectangle", true},
        {"TzuPopupBox", "TzuRectangle", true},
        {"TzuHudPopupBox", "TzuRectangle", true},
        {"TzuSizeGrip", nullptr, false},
        {"TzuHudSizeGrip", nullptr, false},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.className);
        auto* control = As<TzuControl>(CreateObject(c.className, nullptr));
        ASSERT_NE(control, nullptr);
        control->SetParent(root);
        app.ProcessMessages();
        ASSERT_NE(control->StyleObject(), nullptr);
        TzuObject* background = control->FindResource("background");
        if (c.backgroundClass) {
            ASSERT_NE(background, nullptr);
            EXPECT_EQ(std::string(background->ClassType().name), c.backgroundClass);
        } else {
            EXPECT_EQ(background, nullptr);
        }
        EXPECT_EQ(As<TzuText>(control->FindResource("text")) != nullptr, c.hasText);
        delete control;
    }
}

}  // namespace
}  // namespace zu::test
