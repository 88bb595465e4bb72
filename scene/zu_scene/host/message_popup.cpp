#include "scene/zu_scene/host/message_popup.h"

#include "platform/core/property.h"
#include "scene/zu_scene/host/popup_form.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

const TzuClass& TzuMessagePopup::StaticClass() {
    using P = ZuProps<TzuMessagePopup>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuMessagePopup::StaysOpen, &TzuMessagePopup::SetStaysOpen>("StaysOpen").Default(1),
        P::Bool<&TzuMessagePopup::DragWithParent, &TzuMessagePopup::SetDragWithParent>("DragWithParent")
            .Default(1),
        P::Bool<&TzuMessagePopup::DisableScene, &TzuMessagePopup::SetDisableScene>("DisableScene").Default(1),
    };
    static const TzuClass cls = ZuClass<TzuMessagePopup, TzuPopup>("TzuMessagePopup", props);
    return cls;
}

TzuMessagePopup::TzuMessagePopup(TzuComponent* owner) : TzuPopup(owner) {
    SetStaysOpen(true);
    SetDragWithParent(true);
}

TzuWinControl* TzuMessagePopup::HostForm() const {
    if (auto* f = As<TzuWinControl>(Owner()); f && f->IsForm()) return f;
    // While open the popup's scene is its own window's; the popup form knows the owner.
    if (PopupForm()) return PopupForm()->OwnerForm();
    IzuScene* scene = Scene();
    auto* control = scene ? As<TzuWinControl>(scene->SceneControl()) : nullptr;
    return control ? control->ParentForm() : nullptr;
}

void TzuMessagePopup::Place() {
    m_onForm = false;
    const float w = Width();
    if (TzuVisualObject* target = PlacementTarget()) {
        SetHorizontalOffset((target->Width() - w) / 2);
    } else {
        TzuWinControl* form = HostForm();
        if (form && form->Window()) {
            const TzuWinPoint o = form->Window()->ClientToScreen({0, 0});
            m_formRect = {float(o.X), float(o.Y), float(o.X) + w, float(o.Y)};
            SetHorizontalOffset((float(form->Width()) - w) / 2);
            m_onForm = true;
        }
    }
    TzuPopup::Place();
}

TzuWinPoint TzuMessagePopup::PlacementPoint() {
    // The rectangle taken from the form is in screen pixels: it is not measured against
    // the parent the popup sits in, which would count the form's origin twice. It is kept
    // apart from PlacementRectangle, which stays as the user set it.
    if (!m_onForm || Placement() == zuPlacementAbsolute || Placement() == zuPlacementMouse)
        return TzuPopup::PlacementPoint();
    const TzuRect p = m_formRect;
    const float h = HorizontalOffset(), v = VerticalOffset(), w = Width(), ht = Height();
    TzuPoint pt{};
    switch (Placement()) {
        case zuPlacementTop: pt = {p.Left + h, p.Top - ht - v}; break;
        case zuPlacementLeft: pt = {p.Left - w - h, p.Top + v}; break;
        case zuPlacementRight: pt = {p.Right + h, p.Top + v}; break;
        case zuPlacementCenter:
            pt = {p.Left + (p.Right - p.Left - w) / 2 + h, p.Top + (p.Bottom - p.Top - ht) / 2 + v};
            break;
        default: pt = {p.Left + h, p.Bottom + v}; break;
    }
    return {static_cast<int>(pt.X), static_cast<int>(pt.Y)};
}

int TzuMessagePopup::PopupModal() {
    IzuScene* scene = Scene();
    auto* root = scene && m_disableScene && !PopupForm() ? As<TzuVisualObject>(scene->Root()) : nullptr;
    if (!root || root == this) return TzuPopup::PopupModal();
    TzuObjectGuard guard(root);
    const bool wasEnabled = root->Enabled();
    root->SetEnabled(false);
    const int result = TzuPopup::PopupModal();
    if (guard.Alive()) root->SetEnabled(wasEnabled);
    return result;
}

}  // namespace zu
