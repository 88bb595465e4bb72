#include "scene/zu_controls/custom_button.h"

#include "platform/core/form.h"
#include "platform/core/property.h"
#include "platform/core/timer.h"
#include "platform/core/window.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/scene_intf.h"

namespace zu {

const TzuClass& TzuCustomButton::StaticClass() {
    using P = ZuProps<TzuCustomButton>;
    using B = TzuCustomButton;
    static const TzuPropInfo props[] = {
        P::Bool<&B::AutoTranslate, &B::SetAutoTranslate>("AutoTranslate").Default(1),
        P::Bool<&B::StaysPressed, &B::SetStaysPressed>("StaysPressed").Default(0),
        P::Bool<&B::IsPressed, &B::SetIsPressed>("IsPressed").Default(0),
        P::Bool<&B::CanFocus, &B::SetCanFocus>("CanFocused").Default(1),
        P::Bool<&B::DisableFocusEffect, &B::SetDisableFocusEffect>("DisableFocusEffect").Default(0),
        P::Object<&B::Font>("Font"),
        P::Int<&B::ModalResult, &B::SetModalResult>("ModalResult").Default(0),
        P::Enum<&B::TextAlign, &B::SetTextAlign>("TextAlign", kTextAlignEnum).Default(zuTextAlignCenter),
        P::WString<&B::Text, &B::SetText>("Text"),
        P::Bool<&B::RepeatClick, &B::SetRepeatClick>("RepeatClick").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuCustomButton, TzuTextControl>("TzuCustomButton", props);
    return cls;
}

TzuCustomButton::TzuCustomButton(TzuComponent* owner) : TzuTextControl(owner) {
    SetBounds(0, 0, 80, 22);
    SetAutoTranslate(true);
    SetCanFocus(true);
    SetAutoCapture(true);
}

TzuCustomButton::~TzuCustomButton() = default;

void TzuCustomButton::SetIsPressed(bool value) {
    if (!m_staysPressed) return;
    SetPressedState(value);
}

void TzuCustomButton::SetPressedState(bool value) {
    if (value == m_isPressed) return;
    m_isPressed = value;
    TzuObjectGuard guard(this);
    AnnounceState("IsPressed");
    if (guard.Alive()) PressedChanged();
}

void TzuCustomButton::SetRepeatClick(bool value) {
    if (value == m_repeatClick) return;
    m_repeatClick = value;
    if (!value) StopRepeat();
}

void TzuCustomButton::SetData(const TzuVariant& value) {
    if (const auto* text = std::get_if<std::string>(&value); text && DataTextToMethod(*text, OnClick()))
        return;
    TzuTextControl::SetData(value);
}

void TzuCustomButton::ApplyStyle() {
    TzuTextControl::ApplyStyle();
    // A fresh style starts at rest; this shows it the state the button is in.
    AnnounceState("IsPressed");
}

// ---- Press and release ----

void TzuCustomButton::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuTextControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft) return;
    m_tracking = true;
    if (m_staysPressed) {
        SetPressedState(!m_isPressed);
        return;
    }
    if (m_repeatClick && !IsSceneDesigning()) {
        if (!m_repeatTimer) {
            m_repeatTimer = std::make_unique<TzuTimer>(nullptr);
            m_repeatTimer->SetEnabled(false);
            m_repeatTimer->OnTimer().Set([this](TzuPersistent*) { RepeatTick(); });
        }
        m_repeating = false;
        m_repeatTimer->SetInterval(kRepeatDelay);
        m_repeatTimer->SetEnabled(true);
    }
    SetPressedState(true);
}

void TzuCustomButton::MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) {
    TzuObjectGuard guard(this);
    TzuTextControl::MouseMove(shift, x, y, dx, dy);
    if (!guard.Alive() || !m_tracking || !(shift & ssLeft) || m_staysPressed) return;
    // Outside the button it pops up, so the user sees that letting go there does nothing.
    SetPressedState(RectContainsPoint(TzuPoint{x, y}, LocalRect()));
}

void TzuCustomButton::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    if (m_tracking) {
        StopRepeat();
        m_tracking = false;
        if (!m_staysPressed) SetPressedState(false);
        if (!guard.Alive()) return;
    }
    TzuTextControl::MouseUp(button, shift, x, y);
}

void TzuCustomButton::StopRepeat() {
    m_repeating = false;
    if (m_repeatTimer) m_repeatTimer->SetEnabled(false);
}

void TzuCustomButton::RepeatTick() {
    // A button that lost the pointer without a release (taken out of its scene, the
    // capture taken by another) stops, rather than clicking on for ever.
    if (!Scene() || Scene()->Captured() != this) {
        StopRepeat();
        m_tracking = false;
        SetPressedState(false);
        return;
    }
    if (!m_repeating) {
        // The delay is over: from now on every tick is a click.
        m_repeating = true;
        m_repeatTimer->SetInterval(kRepeatInterval);
        return;
    }
    // Clicks repeat only while the pointer holds the button down over it.
    if (m_isPressed) Click();
}

// ---- Keys and clicks ----

void TzuCustomButton::KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    TzuObjectGuard guard(this);
    TzuTextControl::KeyDown(key, keyChar, shift);
    if (!guard.Alive()) return;
    if (key == keys::Enter || key == keys::Space) {
        key = 0;
        keyChar = 0;
        Click();
    }
}

void TzuCustomButton::DblClick() {
    TzuObjectGuard guard(this);
    TzuTextControl::DblClick();
    if (guard.Alive()) Click();
}

void TzuCustomButton::Click() {
    if (m_modalResult != 0 && Scene()) {
        TzuComponent* start = Scene()->Owner();
        if (!start) start = Scene()->SceneControl();
        for (TzuComponent* c = start; c; c = c->Owner()) {
            if (auto* form = As<TzuForm>(c)) {
                form->SetModalResult(m_modalResult);
                break;
            }
        }
    }
    TzuTextControl::Click();
}

}  // namespace zu
