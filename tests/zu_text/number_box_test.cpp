// Number and spin boxes: the value rules, reading and writing numbers in the C locale and
// in a comma locale, keys, dragging and the spin buttons of the default style.

#include "scene/zu_text/number_box.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "../zu_controls/hosted_scene.h"
#include "scene/zu_controls/custom_button.h"

namespace zu::test {
namespace {

// Switches the process's number format for one test.
class NumericLocale {
public:
    explicit NumericLocale(const char* name) : m_old(std::setlocale(LC_NUMERIC, nullptr)) {
        ok = std::setlocale(LC_NUMERIC, name) != nullptr;
    }
    ~NumericLocale() { std::setlocale(LC_NUMERIC, m_old.c_str()); }
    bool ok = false;

private:
    std::string m_old;
};

class NumberBoxTest : public HostedScene {
protected:
    template <class T>
    T* AddFocused() {
        auto* box = Add<T>(10, 10);
        box->SetFocus();
        app.ProcessMessages();
        return box;
    }
    void CheckValueRules(TzuNumberBox* box, const std::u16string& oneHalf,
                         const std::u16string& oneHalfTyped);
};

void NumberBoxTest::CheckValueRules(TzuNumberBox* box, const std::u16string& oneHalf,
                                    const std::u16string& oneHalfTyped) {
    auto& t = *this;
    EXPECT_EQ(box->Text(), u"0");
    box->SetMax(10);
    box->SetText(u"25");
    t.window()->InjectKey(keys::Enter);
    EXPECT_EQ(box->Text(), u"10");
    EXPECT_EQ(box->Value(), 10);
    box->SetText(u"abc");
    t.window()->InjectKey(keys::Enter);
    EXPECT_EQ(box->Text(), u"10");
    box->SetValueType(zuValueFloat);
    box->SetValue(1.5f);
    EXPECT_EQ(box->Text(), oneHalf);
    box->SetText(oneHalfTyped);
    t.window()->InjectKey(keys::Enter);
    EXPECT_EQ(box->Value(), 1.5f);
    EXPECT_EQ(box->Text(), oneHalfTyped);
    // Both decimal marks are understood, whatever the locale writes.
    box->SetText(u"2.25");
    t.window()->InjectKey(keys::Enter);
    EXPECT_EQ(box->Value(), 2.25f);
    box->SetText(u"2,75");
    t.window()->InjectKey(keys::Enter);
    EXPECT_EQ(box->Value(), 2.75f);
    // Min wins over Max when they cross; integers show their whole part.
    box->SetValueType(zuValueInteger);
    EXPECT_EQ(box->Text(), u"2");
    box->SetMin(20);
    EXPECT_EQ(box->Value(), 20);
    EXPECT_EQ(box->Text(), u"20");
}

TEST_F(NumberBoxTest, ValueRulesInTheCLocale) {
    NumericLocale c("C");
    CheckValueRules(AddFocused<TzuNumberBox>(), u"1.50", u"1.5");
}

TEST_F(NumberBoxTest, ValueRulesInACommaLocale) {
    NumericLocale de("de_DE.UTF-8");
    if (!de.ok) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    CheckValueRules(AddFocused<TzuNumberBox>(), u"1,50", u"1,5");
}

TEST_F(NumberBoxTest, FilterKeysAndDraggingChangeTheValue) {
    auto* box = AddFocused<TzuNumberBox>();
    box->SetMax(100);
    window()->InjectKeyChar(u'x');  // dropped by the filter
    EXPECT_EQ(box->Text(), u"0");
    window()->InjectKey(keys::Up);
    window()->InjectKey(keys::Up);
    EXPECT_EQ(box->Value(), 2);
    window()->InjectKey(keys::Down);
    EXPECT_EQ(box->Value(), 1);
    int changes = 0;
    box->OnChange().Set([&](TzuPersistent*) { ++changes; });
    const TzuPoint o = box->LocalToAbsolute({0, 0});
    const int x = int(o.X) + 50, y = int(o.Y) + 10;
    window()->InjectMouseMove(x, y);
    Press(x, y);
    Drag(x + 3, y + 1);  // right: +1
    EXPECT_TRUE(box->Dragging());
    EXPECT_FALSE(box->DragVertical());
    Drag(x + 3, y + 1);  // nowhere: nothing
    Drag(x + 1, y + 1);  // left: -1
    Drag(x + 2, y - 4);  // up: +5
    EXPECT_TRUE(box->DragVertical());
    EXPECT_EQ(box->Value(), 6);
    Drag(x + 2, y + 6);  // down: -5
    Release(x + 2, y + 6);
    EXPECT_FALSE(box->Dragging());
    EXPECT_EQ(box->Value(), 1);
    EXPECT_EQ(changes, 1);
}

TEST_F(NumberBoxTest, SpinButtonsStepTheValueAndFocusTheBox) {
    auto* spin = Add<TzuSpinBox>(10, 10);
    ASSERT_NE(spin->MinusButton(), nullptr);
    ASSERT_NE(spin->PlusButton(), nullptr);
    EXPECT_EQ(spin->TextAlign(), zuTextAlignCenter);
    int changes = 0;
    spin->OnChange().Set([&](TzuPersistent*) { ++changes; });
    spin->PlusButton()->Click();
    spin->PlusButton()->Click();
    spin->MinusButton()->Click();
    EXPECT_TRUE(spin->IsFocused());
    EXPECT_EQ(spin->Value(), 1);
    EXPECT_EQ(spin->Text(), u"1");
    EXPECT_EQ(changes, 3);
    // An integer box never steps by a fraction.
    spin->SetValueType(zuValueFloat);
    spin->SetIncrement(0.5f);
    spin->PlusButton()->Click();
    EXPECT_EQ(spin->Text(), u"1.5");
    spin->SetValueType(zuValueInteger);
    EXPECT_EQ(spin->Increment(), 1);
    // A new style forgets the old buttons and takes the new ones.
    TzuCustomButton* old = spin->PlusButton();
    spin->SetResource("spinboxstyle");
    EXPECT_NE(spin->PlusButton(), nullptr);
    EXPECT_NE(spin->PlusButton(), old);
}

}  // namespace
}  // namespace zu::test
