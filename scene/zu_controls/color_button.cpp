#include "scene/zu_controls/color_button.h"

#include "platform/core/color_dialog.h"
#include "platform/core/win_control.h"
#include "scene/zu_objects/shape.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/scene_intf.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

namespace {
TzuColorEditor g_colorEditor = nullptr;
}  // namespace

void SetColorButtonEditor(TzuColorEditor editor) { g_colorEditor = editor; }
TzuColorEditor ColorButtonEditor() { return g_colorEditor; }

const TzuClass& TzuColorButton::StaticClass() {
    using P = ZuProps<TzuColorButton>;
    using B = TzuColorButton;
    static const TzuPropInfo props[] = {
        P::Bool<&B::AutoTranslate, &B::SetAutoTranslate>("AutoTranslate").Default(0),
        P::String<&B::Color, &B::SetColor>("Color"),
        P::Bool<&B::UseStandardDialog, &B::SetUseStandardDialog>("UseStandardDialog").Default(1),
        P::Event<&B::OnChange>("OnChange"),
    };
    static const TzuClass cls = ZuClass<TzuColorButton, TzuCustomButton>("TzuColorButton", props);
    return cls;
}

TzuColorButton::TzuColorButton(TzuComponent* owner) : TzuCustomButton(owner) { SetAutoTranslate(false); }

TzuColorButton::~TzuColorButton() { m_fillPart = nullptr; }

void TzuColorButton::SetColor(const std::string& value) {
    if (value == m_color) return;
    m_color = value;
    ShowColor();
    if (!IsLoading() && m_onChange) m_onChange(this);
}

void TzuColorButton::ShowColor() {
    if (m_fillPart) m_fillPart->Fill()->SetColor(TextToColor(m_color));
}

void TzuColorButton::Click() {
    TzuObjectGuard guard(this);
    TzuCustomButton::Click();
    if (!guard.Alive() || IsSceneDesigning()) return;
    if (!m_useStandardDialog) {
        // The library's own editor, when its unit is linked in; without it nothing opens.
        if (!g_colorEditor) return;
        const std::optional<uint32_t> chosen = g_colorEditor(*this, TextToColor(m_color));
        if (chosen && guard.Alive()) SetColor(ColorToText(*chosen));
        return;
    }
    TzuColorDialog dialog(nullptr);
    dialog.SetColor(TextToColor(m_color));
    auto* host = Scene() ? As<TzuWinControl>(Scene()->SceneControl()) : nullptr;
    if (!dialog.Execute(host ? host->Window() : nullptr) || !guard.Alive()) return;
    SetColor(ColorToText(dialog.Color() | 0xFF000000u));
}

void TzuColorButton::ApplyStyle() {
    TzuCustomButton::ApplyStyle();
    m_fillPart = As<TzuShape>(FindResource("fill"));
    if (m_fillPart) m_fillPart->FreeNotification(this);
    ShowColor();
}

void TzuColorButton::FreeStyle() {
    if (m_fillPart) m_fillPart->RemoveFreeNotification(this);
    m_fillPart = nullptr;
    TzuCustomButton::FreeStyle();
}

void TzuColorButton::Notification(TzuComponent* component, TzuOperation operation) {
    TzuCustomButton::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == static_cast<TzuComponent*>(m_fillPart))
        m_fillPart = nullptr;
}

}  // namespace zu
