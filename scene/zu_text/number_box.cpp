#include "scene/zu_text/number_box.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/core/property.h"
#include "platform/core/utf.h"
#include "scene/zu_controls/custom_button.h"
#include "scene/zu_controls/value_math.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
const char* const kValueTypeNames[] = {"zuValueInteger", "zuValueFloat"};
constexpr const char16_t* kNumberChars = u"0123456789.,-+";
}  // namespace

const TzuEnumInfo kValueTypeEnum{"TzuValueType", kValueTypeNames, 2};

const TzuClass& TzuCustomNumberBox::StaticClass() {
    using P = ZuProps<TzuCustomNumberBox>;
    using B = TzuCustomNumberBox;
    static const TzuPropInfo props[] = {
        P::Float<&B::Value, &B::SetValue>("Value").Default(0),
        P::Float<&B::Min, &B::SetMin>("Min").Default(0),
        P::Float<&B::Max, &B::SetMax>("Max").Default(10),
        P::Enum<&B::ValueType, &B::SetValueType>("ValueType", kValueTypeEnum).Default(zuValueInteger),
        P::Int<&B::DecimalDigits, &B::SetDecimalDigits>("DecimalDigits").Default(2),
        P::Bool<&B::ShowCaret, &B::SetShowCaret>("ShowCaret").Default(1),
    };
    static const TzuClass cls = ZuClass<TzuCustomNumberBox, TzuTextBox>("TzuCustomNumberBox", props);
    return cls;
}

const TzuClass& TzuNumberBox::StaticClass() {
    using P = ZuProps<TzuNumberBox>;
    using B = TzuNumberBox;
    static const TzuPropInfo props[] = {
        P::Float<&B::HorzIncrement, &B::SetHorzIncrement>("HorzIncrement").Default(1),
        P::Float<&B::VertIncrement, &B::SetVertIncrement>("VertIncrement").Default(5),
    };
    static const TzuClass cls = ZuClass<TzuNumberBox, TzuCustomNumberBox>("TzuNumberBox", props);
    return cls;
}

const TzuClass& TzuSpinBox::StaticClass() {
    using P = ZuProps<TzuSpinBox>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuSpinBox::Increment, &TzuSpinBox::SetIncrement>("Increment").Default(1),
    };
    static const TzuClass cls = ZuClass<TzuSpinBox, TzuCustomNumberBox>("TzuSpinBox", props);
    return cls;
}

const TzuClass& TzuHudNumberBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudNumberBox, TzuNumberBox>("TzuHudNumberBox");
    return cls;
}

const TzuClass& TzuHudSpinBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudSpinBox, TzuSpinBox>("TzuHudSpinBox");
    return cls;
}

// ---- Value rules ----

TzuCustomNumberBox::TzuCustomNumberBox(TzuComponent* owner) : TzuTextBox(owner) {
    SetFilterChars(kNumberChars);
    SetText(u"0");
    SetChanged(false);
}

float TzuCustomNumberBox::Clamped(float value) const {
    // Min wins when the range is upside down.
    if (value > m_max) value = m_max;
    if (value < m_min) value = m_min;
    return value;
}

std::u16string TzuCustomNumberBox::FormatValue(float value, bool general) const {
    char buf[64];
    const bool fractional = m_valueType == zuValueFloat && std::trunc(value) != value && std::isfinite(value);
    if (fractional && general) {
        // The fewest significant digits that read back as the same single.
        for (int digits = 1; digits <= 9; ++digits) {
            std::snprintf(buf, sizeof buf, "%.*g", digits, double(value));
            if (std::strtof(buf, nullptr) == value) break;
        }
    } else if (fractional) {
        std::snprintf(buf, sizeof buf, "%.*f", std::clamp(m_decimalDigits, 0, 20), double(value));
    } else {
        std::snprintf(buf, sizeof buf, "%.0f", std::isfinite(value) ? double(std::trunc(value)) : 0.0);
    }
    return Utf8ToUtf16(buf);
}

bool TzuCustomNumberBox::ParseNumber(const std::u16string& text, double& out) {
    std::string s = Utf16ToUtf8(text);
    while (!s.empty() && s.back() == ' ') s.pop_back();
    size_t lead = 0;
    while (lead < s.size() && s[lead] == ' ') ++lead;
    s.erase(0, lead);
    if (s.empty()) return false;
    auto parse = [&out](const std::string& t) {
        char* end = nullptr;
        const double v = std::strtod(t.c_str(), &end);
        if (end != t.c_str() + t.size() || !std::isfinite(v)) return false;
        out = v;
        return true;
    };
    if (parse(s)) return true;
    // The filter lets both marks through; the one the locale does not use is read as the
    // one it does, so "1.5" and "1,5" both mean one and a half.
    const char* point = std::localeconv()->decimal_point;
    const char mark = point && point[0] ? point[0] : '.';
    const char other = mark == '.' ? ',' : '.';
    if (s.find(other) == std::string::npos || s.find(mark) != std::string::npos) return false;
    for (char& c : s) {
        if (c == other) c = mark;
    }
    return parse(s);
}

void TzuCustomNumberBox::ShowValue(bool general) {
    SetText(FormatValue(m_value, general));
    ClearSelection();
}

void TzuCustomNumberBox::SetValue(float value) {
    if (std::isnan(value) || value == m_value) return;
    // While loading, the range may come after the value: it is kept as read until then.
    m_value = IsLoading() ? value : Clamped(value);
    if (!IsLoading()) ShowValue(false);
}

void TzuCustomNumberBox::SetMin(float value) {
    if (std::isnan(value) || value == m_min) return;
    m_min = value;
    if (!IsLoading() && Clamped(m_value) != m_value) SetValue(Clamped(m_value));
}

void TzuCustomNumberBox::SetMax(float value) {
    if (std::isnan(value) || value == m_max) return;
    m_max = value;
    if (!IsLoading() && Clamped(m_value) != m_value) SetValue(Clamped(m_value));
}

void TzuCustomNumberBox::SetValueType(TzuValueType value) {
    if (value == m_valueType) return;
    m_valueType = value;
    if (!IsLoading()) ShowValue(false);
}

void TzuCustomNumberBox::SetDecimalDigits(int value) {
    value = std::clamp(value, 0, 20);
    if (value == m_decimalDigits) return;
    m_decimalDigits = value;
    if (!IsLoading()) ShowValue(false);
}

void TzuCustomNumberBox::Loaded() {
    TzuTextBox::Loaded();
    m_value = Clamped(m_value);
    const bool changed = Changed();
    ShowValue(false);
    SetChanged(changed);
}

void TzuCustomNumberBox::SetData(const TzuVariant& value) {
    SetValue(SaturatingFloat(VariantToDouble(value)));
}

void TzuCustomNumberBox::Change() {
    double read = 0;
    if (ParseNumber(Text(), read)) m_value = Clamped(SaturatingFloat(read));
    ShowValue(true);
    TzuTextBox::Change();
}

void TzuCustomNumberBox::Step(float delta) {
    const float next = SaturatingFloat(double(m_value) + double(delta));
    SetValue(next);
    SetChanged(true);
}

void TzuCustomNumberBox::KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    if (key == keys::Up || key == keys::Down) {
        Step(key == keys::Up ? KeyIncrement() : -KeyIncrement());
        key = 0;
        return;
    }
    TzuTextBox::KeyDown(key, keyChar, shift);
}

// ---- Number box: dragging ----

TzuNumberBox::TzuNumberBox(TzuComponent* owner) : TzuCustomNumberBox(owner) {}

void TzuNumberBox::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    if (button != mbLeft || (shift & ssDouble)) {
        TzuCustomNumberBox::MouseDown(button, shift, x, y);
        return;
    }
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || IsSceneDesigning()) return;
    m_dragging = true;
    m_dragPoint = {x, y};
    Capture();
}

void TzuNumberBox::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuControl::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive() || !m_dragging) return;
    const float mx = x - m_dragPoint.X, my = y - m_dragPoint.Y;
    // A move that went nowhere changes nothing.
    if (mx == 0 && my == 0) return;
    m_dragVertical = std::fabs(my) > std::fabs(mx);
    if (m_dragVertical)
        Step(my > 0 ? -m_vertIncrement : m_vertIncrement);
    else
        Step(mx > 0 ? m_horzIncrement : -m_horzIncrement);
    if (!guard.Alive()) return;
    m_dragPoint = {x, y};
    Repaint();
}

void TzuNumberBox::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    const bool ending = m_dragging && button == mbLeft;
    if (ending) m_dragging = false;
    TzuObjectGuard guard(this);
    TzuCustomNumberBox::MouseUp(button, shift, x, y);
    if (!guard.Alive() || !ending) return;
    Change();
    if (guard.Alive()) Repaint();
}

void TzuNumberBox::PaintOver(TzuCanvas& canvas, const TzuPoint& offset) {
    if (!m_dragging) return;
    // A bar inside the edge the drag runs along: the right edge for vertical drags, the
    // bottom edge for horizontal ones.
    const TzuRect box = LocalRect();
    TzuRect bar = m_dragVertical ? TzuRect{box.Right - 6, box.Top + 1, box.Right - 1, box.Bottom - 1}
                                 : TzuRect{box.Left + 1, box.Bottom - 6, box.Right - 1, box.Bottom - 1};
    RectOffset(bar, -offset.X, -offset.Y);
    canvas.Fill()->SetStyle(zuBrushSolid);
    canvas.Fill()->SetColor(0xAA505050);
    canvas.FillRect(bar, 0, 0, TzuCorners{}, AbsoluteOpacity(), zuCornerRound);
}

// ---- Spin box: buttons ----

TzuSpinBox::TzuSpinBox(TzuComponent* owner) : TzuCustomNumberBox(owner) { SetTextAlign(zuTextAlignCenter); }

void TzuSpinBox::SetValueType(TzuValueType value) {
    TzuCustomNumberBox::SetValueType(value);
    if (value == zuValueInteger && std::trunc(m_increment) != m_increment) m_increment = 1;
}

void TzuSpinBox::ButtonClick(float delta) {
    TzuObjectGuard guard(this);
    if (CanFocus() && !IsFocused()) SetFocus();
    if (!guard.Alive()) return;
    Step(delta);
    Change();
}

void TzuSpinBox::ApplyStyle() {
    ForgetButtons();
    TzuCustomNumberBox::ApplyStyle();
    m_minus = As<TzuCustomButton>(FindResource("minusbutton"));
    m_plus = As<TzuCustomButton>(FindResource("plusbutton"));
    if (m_minus) {
        m_minus->FreeNotification(this);
        m_minus->OnClick().Set([this](TzuPersistent*) { ButtonClick(-m_increment); });
    }
    if (m_plus) {
        m_plus->FreeNotification(this);
        m_plus->OnClick().Set([this](TzuPersistent*) { ButtonClick(m_increment); });
    }
}

void TzuSpinBox::ForgetButtons() {
    for (TzuCustomButton* b : {m_minus, m_plus}) {
        if (!b) continue;
        b->OnClick().Clear();
        b->RemoveFreeNotification(this);
    }
    m_minus = m_plus = nullptr;
}

void TzuSpinBox::FreeStyle() {
    ForgetButtons();
    TzuCustomNumberBox::FreeStyle();
}

void TzuSpinBox::Notification(TzuComponent* component, TzuOperation operation) {
    TzuCustomNumberBox::Notification(component, operation);
    if (operation != TzuOperation::opRemove) return;
    if (component == static_cast<TzuComponent*>(m_minus)) m_minus = nullptr;
    if (component == static_cast<TzuComponent*>(m_plus)) m_plus = nullptr;
}

}  // namespace zu
