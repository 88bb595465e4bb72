#include "scene/zu_colors/color_panel.h"

#include <algorithm>
#include <cmath>

#include "platform/core/form.h"
#include "platform/core/property.h"
#include "platform/core/utf.h"
#include "scene/zu_colors/color_box.h"
#include "scene/zu_colors/color_picker.h"
#include "scene/zu_colors/color_quad.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_controls/track.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/scene_intf.h"
#include "scene/zu_text/text_box.h"

namespace zu {

namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Every part is made not stored: the panel builds them again whenever it is made.
template <class T>
T* Part(TzuColorPanel* panel, float x, float y, float w, float h) {
    auto* part = new T(panel);
    part->SetStored(false);
    part->SetBounds(x, y, w, h);
    part->SetParent(panel);
    return part;
}

}  // namespace

std::optional<TzuColor> ParseHexColor(std::u16string_view text) {
    while (!text.empty() && (text.front() == u' ' || text.front() == u'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == u' ' || text.back() == u'\t')) text.remove_suffix(1);
    if (text.empty() || text.front() != u'#') return std::nullopt;
    text.remove_prefix(1);
    if (text.size() != 6 && text.size() != 8) return std::nullopt;
    TzuColor value = 0;
    for (char16_t c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        value = value << 4 | TzuColor(digit);
    }
    return text.size() == 6 ? value | 0xFF000000u : value;
}

const TzuClass& TzuColorPanel::StaticClass() {
    static const TzuClass cls = ZuClass<TzuColorPanel, TzuMessagePopup>("TzuColorPanel");
    return cls;
}

TzuColorPanel::TzuColorPanel(TzuComponent* owner) : TzuMessagePopup(owner) {
    SetBounds(0, 0, 312, 210);
    m_picker = Part<TzuColorPicker>(this, 12, 12, 20, 160);
    m_quad = Part<TzuColorQuad>(this, 44, 12, 160, 160);
    m_box = Part<TzuColorBox>(this, 216, 12, 84, 40);
    m_hex = Part<TzuTextBox>(this, 216, 62, 84, 22);
    m_hex->SetMaxLength(12);
    m_alpha = Part<TzuTrack>(this, 44, 180, 160, 20);
    m_alpha->SetMax(255);
    m_alpha->SetFrequency(1);
    m_ok = Part<TzuButton>(this, 216, 148, 84, 24);
    m_ok->SetText(u"OK");
    m_ok->SetModalResult(mrOk);
    m_ok->SetDefault(true);
    m_cancel = Part<TzuButton>(this, 216, 178, 84, 24);
    m_cancel->SetText(u"Cancel");
    m_cancel->SetModalResult(mrCancel);
    m_cancel->SetCancel(true);
    m_picker->SetColorQuad(m_quad);
    m_quad->SetColorBox(m_box);
    m_quad->OnChange().Set([this](TzuPersistent*) { QuadChanged(); });
    m_alpha->OnChange().Set([this](TzuPersistent*) { AlphaChanged(); });
    m_hex->OnChange().Set([this](TzuPersistent*) { SetHexText(m_hex->Text()); });
    SetColor(0xFF000000);
}

void TzuColorPanel::SetColor(TzuColor color) {
    m_color = color;
    m_updating = true;
    m_picker->SetColor(color);
    m_alpha->SetValue(ColorAlpha(color));
    // The square's colour may differ from the one asked for by rounding: the box shows
    // the colour that will be answered.
    m_box->SetColor(color);
    ShowText();
    m_updating = false;
}

bool TzuColorPanel::SetHexText(std::u16string_view text) {
    const std::optional<TzuColor> parsed = ParseHexColor(text);
    if (!parsed) {
        ShowText();
        return false;
    }
    if (*parsed != m_color) SetColor(*parsed);
    ShowText();
    return true;
}

void TzuColorPanel::ShowText() {
    const std::u16string text = Utf8ToUtf16(ColorToText(m_color));
    if (m_hex->Text() != text) m_hex->SetText(text);
}

void TzuColorPanel::QuadChanged() {
    if (m_updating) return;
    m_color = m_quad->Color();
    ShowText();
}

void TzuColorPanel::AlphaChanged() {
    if (m_updating) return;
    const auto alpha = static_cast<uint8_t>(std::lround(std::clamp(m_alpha->Value(), 0.0f, 255.0f)));
    m_color = (m_color & 0x00FFFFFFu) | TzuColor(alpha) << 24;
    m_updating = true;
    m_quad->SetAlpha(alpha / 255.0f);
    m_box->SetColor(m_color);
    m_updating = false;
    ShowText();
}

std::optional<TzuColor> TzuColorPanel::Execute(TzuVisualObject* near) {
    IzuScene* scene = near ? near->Scene() : nullptr;
    auto* root = scene ? As<TzuVisualObject>(scene->Root()) : nullptr;
    if (root && !Parent()) SetParent(root);
    SetPlacementTarget(near);
    if (!near) SetPlacement(zuPlacementMouse);
    TzuObjectGuard guard(this);
    const int result = PopupModal();
    if (!guard.Alive() || result != mrOk) return std::nullopt;
    return m_color;
}

std::optional<TzuColor> ExecuteColorPanel(TzuColor initial, TzuVisualObject* near) {
    // On the heap and owned by near: near or its scene may be freed while the panel is
    // open, and take the panel with them.
    auto* panel = new TzuColorPanel(near);
    panel->SetStored(false);
    TzuObjectGuard guard(panel);
    panel->SetColor(initial);
    const std::optional<TzuColor> chosen = panel->Execute(near);
    if (guard.Alive()) delete panel;
    return chosen;
}

}  // namespace zu
