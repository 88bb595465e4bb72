// The library's colour dialog: hex text parsing, its parts answering each other, OK and
// Cancel through its modal loop, and the colour button opening it when the platform's
// chooser is not wanted.

#include "scene/zu_colors/color_panel.h"

#include <gtest/gtest.h>

#include <optional>

#include "scene/zu_colors/color_box.h"
#include "scene/zu_colors/color_quad.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_controls/color_button.h"
#include "scene/zu_controls/track.h"
#include "scene/zu_scene/host/popup_form.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_text/text_box.h"
#include "tests/zu_controls/hosted_scene.h"

namespace zu {
namespace {

TEST(HexColorText, TakesEightOrSixDigitsAndRefusesTheRest) {
    EXPECT_EQ(ParseHexColor(u"#80336699"), 0x80336699u);
    EXPECT_EQ(ParseHexColor(u"  #80aBcDeF\t"), 0x80ABCDEFu);
    EXPECT_EQ(ParseHexColor(u"#336699"), 0xFF336699u);  // without alpha: opaque
    EXPECT_EQ(ParseHexColor(u"#00000000"), 0u);
    for (const char16_t* bad : {u"", u"#", u"80336699", u"#8033669", u"#803366990", u"#80 336699",
                                u"#GG336699", u"red", u"#-1336699", u"#\u0660\u0661\u0662\u0663\u0664\u0665"})
        EXPECT_EQ(ParseHexColor(bad), std::nullopt) << std::u16string(bad).size();
}

class Panel : public test::HostedScene {
protected:
    void SetUp() override {
        HostedScene::SetUp();
        form->SetBounds(0, 0, 400, 300);
        app.ProcessMessages();
        panel = new TzuColorPanel(nullptr);
    }
    void TearDown() override {
        delete panel;
        HostedScene::TearDown();
    }
    // Clicks a button of the open panel in its own window.
    void ClickInPanel(TzuButton* button) {
        ASSERT_NE(panel->PopupScene(), nullptr);
        auto* popup = static_cast<TzuHeadlessWindow*>(panel->PopupScene()->Window());
        const TzuPoint p = button->LocalToAbsolute({button->Width() / 2, button->Height() / 2});
        popup->InjectMouseMove(int(p.X), int(p.Y));
        popup->InjectMouseDown(mbLeft, int(p.X), int(p.Y), ssLeft);
        popup->InjectMouseUp(mbLeft, int(p.X), int(p.Y));
    }
    TzuColorPanel* panel = nullptr;
};

TEST_F(Panel, ThePartsShowOneColourAndAnswerEachOther) {
    panel->SetColor(0x80336699);
    EXPECT_EQ(panel->Color(), 0x80336699u);
    EXPECT_EQ(panel->Box()->Color(), 0x80336699u);
    EXPECT_EQ(panel->HexBox()->Text(), u"#80336699");
    EXPECT_FLOAT_EQ(panel->AlphaTrack()->Value(), 128);
    EXPECT_NEAR(panel->Quad()->Alpha(), 128 / 255.0f, 1e-6);

    // The alpha track changes only the alpha.
    panel->AlphaTrack()->SetValue(255);
    EXPECT_EQ(panel->Color(), 0xFF336699u);
    EXPECT_EQ(panel->HexBox()->Text(), u"#FF336699");
    EXPECT_EQ(panel->Box()->Color(), 0xFF336699u);
    // The square sets the colour, keeping the alpha.
    panel->AlphaTrack()->SetValue(64);
    panel->Quad()->SetSatLum(0, 1);
    EXPECT_EQ(panel->Color(), 0x40FFFFFFu);
    EXPECT_EQ(panel->HexBox()->Text(), u"#40FFFFFF");

    // Text: good text is taken, bad text is refused and the box shows the colour again.
    EXPECT_TRUE(panel->SetHexText(u"#C0FF8000"));
    EXPECT_EQ(panel->Color(), 0xC0FF8000u);
    EXPECT_FLOAT_EQ(panel->AlphaTrack()->Value(), 192);
    EXPECT_EQ(panel->Box()->Color(), 0xC0FF8000u);
    panel->HexBox()->SetText(u"#zz");
    EXPECT_FALSE(panel->SetHexText(u"#zz"));
    EXPECT_EQ(panel->Color(), 0xC0FF8000u);
    EXPECT_EQ(panel->HexBox()->Text(), u"#C0FF8000");
}

TEST_F(Panel, OkAnswersTheColourWithAlphaAndCancelAnswersNothing) {
    app.PostMessage([&] {
        ASSERT_TRUE(panel->IsOpen());
        panel->AlphaTrack()->SetValue(0x40);
        ClickInPanel(panel->OkButton());
    });
    panel->SetColor(0xFF112233);
    EXPECT_EQ(panel->Execute(), std::optional<TzuColor>(0x40112233u));
    EXPECT_FALSE(panel->IsOpen());

    app.PostMessage([&] {
        panel->SetColor(0xFF00FF00);
        ClickInPanel(panel->CancelButton());
    });
    EXPECT_EQ(panel->Execute(), std::nullopt);

    // Typed text, then Enter.
    app.PostMessage([&] {
        TzuTextBox* hex = panel->HexBox();
        hex->SetFocus();
        hex->SelectAll();
        auto* popup = static_cast<TzuHeadlessWindow*>(panel->PopupScene()->Window());
        for (char16_t c : std::u16string(u"#7F0000FF")) popup->InjectKeyChar(c);
        EXPECT_EQ(hex->Text(), u"#7F0000FF");
        // Leaving the box takes the text; Enter is the default button's.
        popup->InjectKey(keys::Tab);
        EXPECT_EQ(panel->Color(), 0x7F0000FFu);
        popup->InjectKey(keys::Enter);
    });
    EXPECT_EQ(panel->Execute(), std::optional<TzuColor>(0x7F0000FFu));
}

TEST_F(Panel, ColourButtonOpensThePanelWithoutThePlatformChooser) {
    auto* button = Add<TzuColorButton>(10, 10);
    button->SetColor("#FF102030");
    button->SetUseStandardDialog(false);
    Settle();
    ASSERT_NE(ColorButtonEditor(), nullptr);
    // The panel belongs to the button while it is open.
    const auto openPanel = [&]() -> TzuColorPanel* {
        for (int i = 0; i < button->ComponentCount(); ++i)
            if (auto* p = As<TzuColorPanel>(button->Components(i))) return p;
        return nullptr;
    };
    bool seen = false;
    app.PostMessage([&] {
        TzuColorPanel* open = openPanel();
        ASSERT_NE(open, nullptr);
        seen = open->IsOpen();
        EXPECT_EQ(open->Color(), 0xFF102030u);
        open->SetHexText(u"#80405060");
        open->OkButton()->Click();
    });
    ClickAt(20, 20);
    EXPECT_TRUE(seen);
    EXPECT_EQ(button->Color(), "#80405060");
    EXPECT_EQ(openPanel(), nullptr);  // freed once answered
    // Cancelled, the colour stays.
    app.PostMessage([&] {
        TzuColorPanel* open = openPanel();
        ASSERT_NE(open, nullptr);
        open->SetHexText(u"#FFFFFFFF");
        open->CancelButton()->Click();
    });
    ClickAt(20, 20);
    EXPECT_EQ(button->Color(), "#80405060");
}

}  // namespace
}  // namespace zu
