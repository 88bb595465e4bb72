#include "app/quillorn_display/quillorn_form.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <unistd.h>

#include "app/quillorn_display/form_resource.h"
#include "platform/headless/headless_application.h"
#include "platform/headless/headless_window.h"
#include "scene/zu_effects/blur_effect.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"

namespace zu {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kDemo = {"20",        "30",        "400",       "100",       "40", "1",
                                        "#FF102030", "#FF000000", "#FFBEBEBE", "#FF4DF4FF", "0",  "F"};

class TForm2Test : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterDisplayClasses(); }

    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("zu_form2_" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_oldDir = fs::current_path();
        fs::current_path(m_dir);
    }
    void TearDown() override {
        m_form.reset();
        fs::current_path(m_oldDir);
        fs::remove_all(m_dir);
    }

    TForm2* Make(std::vector<std::string> params) {
        m_form.reset(TForm2::Create(nullptr, TzuParameters(std::move(params))));
        return m_form.get();
    }
    std::string Log() const {
        std::ifstream in(m_dir / "tst.txt", std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    TzuHeadlessApplication m_app;
    std::unique_ptr<TForm2> m_form;
    fs::path m_dir;
    fs::path m_oldDir;
};

std::vector<uint8_t> Payload(std::u16string line1, std::u16string line2) {
    line1.resize(20, u' ');
    line2.resize(20, u' ');
    std::vector<uint8_t> out;
    for (char16_t c : line1 + line2) {
        out.push_back(static_cast<uint8_t>(c & 0xFF));
        out.push_back(static_cast<uint8_t>(c >> 8));
    }
    return out;
}

TEST_F(TForm2Test, ResourceReadsWholeWithEveryValueItLists) {
    std::vector<std::string> skipped;
    m_form.reset(TForm2::Create(nullptr, TzuParameters(kDemo), Tform2Resource(), [&](const std::string& m) {
        skipped.push_back(m);
        return true;
    }));
    EXPECT_TRUE(skipped.empty()) << skipped.front();
    // Read again without the parameters' overrides: a form made before its create handler.
    m_form.reset(TForm2::Create(nullptr, TzuParameters{}));
    m_app.ClearErrors();
    TForm2& f = *m_form;
    EXPECT_EQ(f.Left(), 14);
    EXPECT_EQ(f.Top(), 115);
    EXPECT_EQ(f.Width(), 1760);
    EXPECT_EQ(f.Height(), 158);
    EXPECT_EQ(f.BorderStyle(), bsNone);
    EXPECT_EQ(f.Color(), 0xF0F0F0u);
    EXPECT_EQ(f.zuScene1->Align(), alClient);
    EXPECT_EQ(f.zuScene1->Fill()->Color(), 0x00E0E0E0u);
    EXPECT_EQ(f.zuScene1->Root(), f.Root1);
    EXPECT_EQ(f.Root1->Fill()->Color(), 0xFF000000u);
    EXPECT_EQ(f.Rectangle1->Parent(), f.Root1);
    EXPECT_EQ(f.Rectangle1->Stroke()->Color(), 0xFF4DF4FFu);
    EXPECT_FLOAT_EQ(f.Rectangle1->StrokeThickness(), 5.0f);
    EXPECT_FLOAT_EQ(f.Rectangle1->xRadius(), 50.0f);
    EXPECT_EQ(f.Text1->Parent(), f.Rectangle1);
    EXPECT_EQ(f.Text1->Fill()->Color(), 0xFFF5C116u);
    EXPECT_FLOAT_EQ(f.Text1->Font()->Size(), 96.0f);
    EXPECT_EQ(f.Text1->Font()->Style(), zuFontBold);
    EXPECT_TRUE(f.Text1->Text().empty());
    EXPECT_EQ(f.BlurEffect1->Parent(), f.Rectangle1);
    EXPECT_EQ(f.BlurEffect1->Softness(), 0.3f);
}

TEST_F(TForm2Test, WithoutParametersOnlyTheCaptionChangesAndTheFirstIsReported) {
    TForm2* f = Make({});
    EXPECT_EQ(f->Caption(), u"QuillornDisplay");
    ASSERT_EQ(m_app.Errors().size(), 1u);
    EXPECT_EQ(m_app.Errors()[0], "Parameter N\"1\" not found!");
    EXPECT_EQ(f->Left(), 14);
    EXPECT_EQ(f->Width(), 1760);
    EXPECT_FALSE(f->Text1->Stretch());
}

TEST_F(TForm2Test, AppliesEveryParameter) {
    std::vector<std::string> p = kDemo;
    p[10] = "30";
    p[11] = "True";
    TForm2* f = Make(p);
    EXPECT_TRUE(m_app.Errors().empty());
    EXPECT_EQ(f->Left(), 20);
    EXPECT_EQ(f->Top(), 30);
    EXPECT_EQ(f->Width(), 400);
    EXPECT_EQ(f->Height(), 100);
    EXPECT_FLOAT_EQ(f->Text1->Font()->Size(), 40.0f);
    EXPECT_EQ(f->Text1->Font()->Style(), zuFontBold);
    EXPECT_EQ(f->Text1->Fill()->Color(), 0xFF102030u);
    EXPECT_EQ(f->Root1->Fill()->Color(), 0xFF000000u);
    EXPECT_EQ(f->Rectangle1->Fill()->Color(), 0xFFBEBEBEu);
    EXPECT_EQ(f->Rectangle1->Stroke()->Color(), 0xFF4DF4FFu);
    EXPECT_FLOAT_EQ(f->BlurEffect1->Softness(), 0.3f);
    EXPECT_TRUE(f->Text1->Stretch());
}

TEST_F(TForm2Test, BoldOnlyWhenTheLowestByteIsOneAndStretchOnlyForACapitalT) {
    const std::pair<const char*, TzuFontStyle> weights[] = {
        {"1", zuFontBold},    {"257", zuFontBold},    {"$101", zuFontBold}, {"0", zuFontRegular},
        {"2", zuFontRegular}, {"700", zuFontRegular}, {"-1", zuFontRegular}};
    for (const auto& [text, style] : weights) {
        std::vector<std::string> p = kDemo;
        p[5] = text;
        EXPECT_EQ(Make(p)->Text1->Font()->Style(), style) << text;
    }
    const std::pair<const char*, bool> flags[] = {{"T", true},  {"True", true}, {"Tx", true}, {"true", false},
                                                  {"t", false}, {"F", false},   {"", false},  {" T", false}};
    for (const auto& [text, stretch] : flags) {
        std::vector<std::string> p = kDemo;
        p[11] = text;
        EXPECT_EQ(Make(p)->Text1->Stretch(), stretch) << "'" << text << "'";
    }
    EXPECT_TRUE(m_app.Errors().empty());
}

TEST_F(TForm2Test, AFailingParameterKeepsWhatWasSetBeforeIt) {
    std::vector<std::string> p = kDemo;
    p[2] = "wide";
    TForm2* f = Make(p);
    ASSERT_EQ(m_app.Errors().size(), 1u);
    EXPECT_EQ(m_app.Errors()[0], "'wide' is not a valid integer value.");
    EXPECT_EQ(f->Left(), 20);
    EXPECT_EQ(f->Top(), 30);
    EXPECT_EQ(f->Width(), 1760);
    EXPECT_FLOAT_EQ(f->Text1->Font()->Size(), 96.0f);

    m_app.ClearErrors();
    p = kDemo;
    p.pop_back();
    f = Make(p);
    ASSERT_EQ(m_app.Errors().size(), 1u);
    EXPECT_EQ(m_app.Errors()[0], "Parameter N\"12\" not found!");
    EXPECT_FLOAT_EQ(f->BlurEffect1->Softness(), 0.0f);
    EXPECT_FALSE(f->Text1->Stretch());
}

TEST_F(TForm2Test, CopyDataLogsThenShowsTheTwoLines) {
    TForm2* f = Make(kDemo);
    const auto payload = Payload(u"ABC", u"DEF");
    EXPECT_EQ(f->CopyData(kDisplayCopyDataTag, payload), 1);
    const std::string expected = "ABC                 \r\nDEF                 \r\n";
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(f->Text1->Text(), u"ABC                 \r\nDEF                 ");
    EXPECT_EQ(f->CopyData(kDisplayCopyDataTag, Payload(u"x", u"y")), 1);
    EXPECT_EQ(Log(), expected + "x                   \r\ny                   \r\n");
    EXPECT_EQ(f->Text1->Text(), u"x                   \r\ny                   ");
}

TEST_F(TForm2Test, CopyDataIgnoresOtherTagsAndShortPayloads) {
    TForm2* f = Make(kDemo);
    auto payload = Payload(u"ABC", u"DEF");
    EXPECT_EQ(f->CopyData(1, payload), 1);
    payload.pop_back();
    EXPECT_EQ(f->CopyData(kDisplayCopyDataTag, payload), 1);
    EXPECT_EQ(f->CopyData(kDisplayCopyDataTag, {}), 1);
    EXPECT_FALSE(fs::exists(m_dir / "tst.txt"));
    EXPECT_TRUE(f->Text1->Text().empty());
    // Bytes past the two lines are not part of them.
    payload = Payload(u"A", u"B");
    payload.resize(100, 'Z');
    EXPECT_EQ(f->CopyData(kDisplayCopyDataTag, payload), 1);
    EXPECT_EQ(f->Text1->Text(), u"A                   \r\nB                   ");
}

TEST_F(TForm2Test, ALogFailureIsShownAndLeavesTheDisplayAlone) {
    TForm2* f = Make(kDemo);
    fs::create_directory(m_dir / "tst.txt");
    EXPECT_EQ(f->CopyData(kDisplayCopyDataTag, Payload(u"ABC", u"DEF")), 1);
    ASSERT_EQ(m_app.Errors().size(), 1u);
    EXPECT_EQ(m_app.Errors()[0], "File access denied.");
    EXPECT_TRUE(f->Text1->Text().empty());
    fs::remove(m_dir / "tst.txt");
    EXPECT_EQ(f->CopyData(kDisplayCopyDataTag, Payload(u"ABC", u"DEF")), 1);
    EXPECT_EQ(f->Text1->Text(), u"ABC                 \r\nDEF                 ");
}

// The first frame: black corners outside the rounded panel, the stroke on its edge, the
// fill inside and, after a message, the text colour somewhere.
TEST_F(TForm2Test, FirstFramePaintsThePanelAndAMessageAddsTheText) {
    TForm2* f = Make(kDemo);
    f->Show();
    m_app.ProcessMessages();
    m_app.Advance(1);
    m_app.ProcessMessages();
    const auto* w = dynamic_cast<const TzuHeadlessWindow*>(f->zuScene1->Window());
    ASSERT_NE(w, nullptr);
    ASSERT_EQ(w->ClientWidth(), 400);
    // The blur's fixed-point round trip may move a channel by one.
    auto near = [](uint32_t a, uint32_t b) {
        for (int shift = 0; shift < 24; shift += 8) {
            if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 2) return false;
        }
        return true;
    };
    auto count = [&](uint32_t rgb) {
        int n = 0;
        for (int y = 0; y < w->ClientHeight(); ++y) {
            for (int x = 0; x < w->ClientWidth(); ++x) n += near(w->Pixel(x, y), rgb);
        }
        return n;
    };
    EXPECT_TRUE(near(w->Pixel(0, 0), 0x000000u));
    EXPECT_TRUE(near(w->Pixel(200, 50), 0xBEBEBEu));
    // Text1 was given the form's height, and its alignment keeps it filling the panel.
    EXPECT_FLOAT_EQ(f->Text1->Height(), 100.0f);
    EXPECT_GT(count(0x4DF4FF), 400);
    EXPECT_EQ(count(0x102030), 0);
    f->CopyData(kDisplayCopyDataTag, Payload(u"ABC", u"DEF"));
    m_app.ProcessMessages();
    EXPECT_GT(count(0x102030), 50);
}

}  // namespace
}  // namespace zu
