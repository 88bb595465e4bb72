#include "scene/zu_scene/host/popup.h"

#include <cmath>

#include "platform/core/application.h"
#include "platform/core/property.h"
#include "platform/core/timer.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/host/popup_form.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/design_outline.h"
#include "scene/zu_scene/tree/object_guard.h"
#include "scene/zu_scene/tree/resources.h"

namespace zu {

namespace {
const char* const kPlacementNames[] = {"zuPlacementBottom", "zuPlacementTop",    "zuPlacementLeft",
                                       "zuPlacementRight",  "zuPlacementCenter", "zuPlacementAbsolute",
                                       "zuPlacementMouse"};
constexpr unsigned kFollowInterval = 10;

bool Within(const TzuObject* object, const TzuObject* ancestor) {
    for (const TzuObject* o = object; o; o = o->Parent()) {
        if (o == ancestor) return true;
    }
    return false;
}
}  // namespace

const TzuEnumInfo kPlacementEnum{"TzuPlacement", kPlacementNames, 7};

const TzuClass& TzuPopup::StaticClass() {
    using P = ZuProps<TzuPopup>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuPopup::IsOpen, &TzuPopup::SetIsOpen>("IsOpen").Default(0),
        P::Float<&TzuPopup::HorizontalOffset, &TzuPopup::SetHorizontalOffset>("HorizontalOffset"),
        P::Float<&TzuPopup::VerticalOffset, &TzuPopup::SetVerticalOffset>("VerticalOffset"),
        P::Enum<&TzuPopup::Placement, &TzuPopup::SetPlacement>("Placement", kPlacementEnum)
            .Default(zuPlacementBottom),
        P::Reference<&TzuPopup::PlacementTarget, &TzuPopup::SetPlacementTarget>("PlacementTarget"),
        P::Object<&TzuPopup::PlacementRectangle>("PlacementRectangle"),
        P::Bool<&TzuPopup::StaysOpen, &TzuPopup::SetStaysOpen>("StaysOpen").Default(0),
        P::Reference<&TzuPopup::Style, &TzuPopup::SetStyle>("Style"),
        P::Bool<&TzuPopup::DragWithParent, &TzuPopup::SetDragWithParent>("DragWithParent").Default(0),
        // Closed popups are invisible in their tree.
        P::Bool<&TzuPopup::Visible, &TzuPopup::SetVisible>("Visible").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuPopup, TzuControl>("TzuPopup", props);
    return cls;
}

TzuPopup::TzuPopup(TzuComponent* owner) : TzuControl(owner) { SetVisible(false); }

TzuPopup::~TzuPopup() {
    // Closing here neither announces the state nor goes back to the tree: the popup goes.
    m_closing = false;
    if (m_form) {
        StopFollowTimer();
        m_isOpen = false;
        if (m_popupScene) m_popupScene->RemoveObject(this);
        ForgetForm();
    }
    CancelFocusCheck();
    SetSavedParent(nullptr);
    SetSavedScene(nullptr);
    SetPlacementTarget(nullptr);
    SetStyle(nullptr);
}

// ---- Properties ----

void TzuPopup::SetIsOpen(bool value) {
    if (value == m_isOpen) return;
    if (IsLoading()) {
        // Opening waits until the tree it opens from is whole.
        m_openAfterLoad = value;
        return;
    }
    if (value && Scene() && Scene()->IsDesigning()) return;
    if (value)
        Open();
    else
        Close();
}

void TzuPopup::Loaded() {
    TzuControl::Loaded();
    if (m_openAfterLoad) {
        m_openAfterLoad = false;
        SetIsOpen(true);
    }
}

void TzuPopup::SetPlacementTarget(TzuVisualObject* value) {
    if (value == m_placementTarget) return;
    if (m_placementTarget) RemoveFreeNotification(m_placementTarget);
    m_placementTarget = value;
    if (m_placementTarget) FreeNotification(m_placementTarget);
}

void TzuPopup::SetStyle(TzuResources* value) {
    if (value == m_style) return;
    if (m_style) RemoveFreeNotification(m_style);
    m_style = value;
    if (m_style) FreeNotification(m_style);
}

void TzuPopup::SetSavedParent(TzuObject* parent) {
    if (parent == m_savedParent) return;
    if (m_savedParent) RemoveFreeNotification(m_savedParent);
    m_savedParent = parent;
    if (m_savedParent) FreeNotification(m_savedParent);
}

void TzuPopup::SetSavedScene(IzuScene* scene) {
    TzuComponent* control = scene ? scene->SceneControl() : nullptr;
    if (m_savedSceneControl && m_savedSceneControl != control) RemoveFreeNotification(m_savedSceneControl);
    m_savedScene = scene;
    m_savedSceneControl = control;
    if (m_savedSceneControl) FreeNotification(m_savedSceneControl);
}

void TzuPopup::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation != TzuOperation::opRemove || !component) return;
    if (component == m_placementTarget) m_placementTarget = nullptr;
    if (component == m_style) m_style = nullptr;
    const bool parentGone = component == m_savedParent;
    const bool sceneGone = component == m_savedSceneControl;
    if (!parentGone && !sceneGone) return;
    if (parentGone) m_savedParent = nullptr;
    // The tree the popup came from is gone (its scene frees its objects first, so the
    // parent goes before the scene); the popup would have gone with it, and so it does
    // now, closing its window first.
    const bool hadParent = m_savedParent != nullptr || parentGone;
    if (sceneGone) {
        m_savedScene = nullptr;
        m_savedSceneControl = nullptr;
    }
    if (parentGone || (sceneGone && !hadParent)) {
        m_savedParent = nullptr;
        m_savedScene = nullptr;
        if (m_savedSceneControl) RemoveFreeNotification(m_savedSceneControl);
        m_savedSceneControl = nullptr;
        if (m_form) {
            Close();
            delete this;
        }
    }
}

// ---- Open and close ----

void TzuPopup::ComputeWindowSize(int& width, int& height) {
    const TzuPoint s = AbsoluteScale();
    width = static_cast<int>(std::lround(s.X * Width()));
    height = static_cast<int>(std::lround(s.Y * Height()));
}

void TzuPopup::Open() {
    if (m_closing) {
        m_isOpen = false;
        return;
    }
    if (m_form) {
        Close();
        return;
    }
    IzuScene* scene = Scene();
    // The form whose window the popup belongs to: the owner when it is a form, else the
    // form that holds the scene.
    TzuWinControl* ownerForm = nullptr;
    if (auto* f = As<TzuWinControl>(Owner()); f && f->IsForm()) ownerForm = f;
    if (!ownerForm && scene) {
        if (auto* control = As<TzuWinControl>(scene->SceneControl())) {
            if (auto* f = As<TzuWinControl>(control->Owner()); f && f->IsForm())
                ownerForm = f;
            else
                ownerForm = control->ParentForm();
        }
    }

    int width = 0, height = 0;
    ComputeWindowSize(width, height);
    const TzuPoint scale = AbsoluteScale();
    m_savedScale = ScalePoint();
    m_savedPosition = Position()->GetPoint();
    m_savedSize = {Width(), Height()};
    SetSavedParent(Parent());
    SetSavedScene(scene);

    auto* form = new TzuPopupForm(nullptr);
    form->SetOwnerForm(ownerForm);
    form->SetDismissOnOutsidePress(!m_staysOpen);
    form->SetBounds(0, 0, width, height);
    m_form = form;
    Scale()->SetPoint(scale);
    Place();
    form->SetPopup(this);
    form->SetClosingBySelf(false);

    auto* popupScene = new TzuScene(form);
    popupScene->SetTransparency(true);
    popupScene->SetParent(form);
    popupScene->SetAlign(alClient);
    popupScene->SetStyle(m_style ? m_style : scene ? scene->Style() : nullptr);
    m_popupScene = popupScene;

    SetVisible(true);
    popupScene->AddObject(this);
    UpdateStyle();
    form->Show();

    m_isOpen = true;
    if (!AnnounceOpenState() || !m_form) return;
    // The platform hands the keyboard to the popup window while it is up; in its scene the
    // popup, else the first object of its tab order that takes the focus, has it from the
    // start, so that typing, Enter and Escape reach the popup and not the scene below.
    TzuObjectGuard guard(this);
    if (CanFocus())
        SetFocus();
    else
        m_popupScene->TabNavigate(false);
    if (!guard.Alive() || !m_form) return;
    if (m_dragWithParent && m_staysOpen) {
        m_followTimer = new TzuTimer(this);
        m_followTimer->SetInterval(kFollowInterval);
        m_followTimer->OnTimer().Set([this](TzuPersistent*) { Place(); });
    }
}

void TzuPopup::Close() {
    if (!m_form || m_closing) return;
    StopFollowTimer();
    CancelFocusCheck();
    m_closing = true;
    m_isOpen = false;
    // A handler of the closed state may free the popup; its destructor has finished the
    // close then.
    if (!AnnounceOpenState()) return;
    if (!m_form) {
        m_closing = false;
        return;
    }
    SetVisible(false);
    if (m_popupScene) m_popupScene->RemoveObject(this);
    Scale()->SetPoint(m_savedScale);
    SetBounds(m_savedPosition.X, m_savedPosition.Y, m_savedSize.X, m_savedSize.Y);
    ForgetForm();
    TzuObject* parent = m_savedParent;
    IzuScene* scene = m_savedScene;
    SetSavedParent(nullptr);
    SetSavedScene(nullptr);
    if (parent)
        SetParent(parent);
    else if (scene)
        scene->AddObject(this);
    m_closing = false;
}

bool TzuPopup::AnnounceOpenState() {
    TzuObjectGuard guard(this);
    StartTriggerAnimation(this, "IsOpen");
    if (!guard.Alive()) return false;
    ApplyTriggerEffect(this, "IsOpen");
    if (guard.Alive() && m_onOpenChange) m_onOpenChange(this);
    return guard.Alive();
}

void TzuPopup::ForgetForm() {
    TzuPopupForm* form = m_form;
    m_form = nullptr;
    m_popupScene = nullptr;
    if (!form) return;
    form->SetPopup(nullptr);
    // A form closed by the window system frees itself once the popup has let go.
    if (!form->ClosingBySelf()) delete form;
}

void TzuPopup::StopFollowTimer() {
    TzuTimer* timer = m_followTimer;
    m_followTimer = nullptr;
    delete timer;
}

void TzuPopup::CancelFocusCheck() {
    if (m_focusCheck && Application()) Application()->CancelMessage(m_focusCheck);
    m_focusCheck = 0;
}

void TzuPopup::KillFocus() {
    TzuControl::KillFocus();
    if (!m_form || m_closing || m_staysOpen || !Application() || m_focusCheck) return;
    // The focus may only be moving to an object inside the popup; that is known once the
    // scene has given it to its new owner.
    m_focusCheck = Application()->PostMessage([this] {
        m_focusCheck = 0;
        IzuScene* scene = Scene();
        if (!m_form || !scene) return;
        if (!Within(scene->Focused(), this)) Close();
    });
}

// ---- Placement ----

TzuVisualObject* TzuPopup::EffectiveTarget() const {
    if (m_placementTarget) return m_placementTarget;
    return As<TzuVisualObject>(m_form ? m_savedParent : Parent());
}

TzuWinPoint TzuPopup::PlacementPoint() {
    const TzuRect p = m_placementRectangle.GetRect();
    const bool pEmpty = p.Left == 0 && p.Top == 0 && p.Right == 0 && p.Bottom == 0;
    const float h = m_horizontalOffset, v = m_verticalOffset, w = Width(), ht = Height();
    if (m_placement == zuPlacementAbsolute)
        return {static_cast<int>(std::lround(p.Left)), static_cast<int>(std::lround(p.Top))};
    if (m_placement == zuPlacementMouse) return Application() ? Application()->CursorPos() : TzuWinPoint{};

    TzuVisualObject* target = EffectiveTarget();
    const bool table = target && pEmpty;
    const float tw = target ? target->Width() : 0, th = target ? target->Height() : 0;
    TzuPoint pt{};
    switch (m_placement) {
        case zuPlacementTop: pt = table ? TzuPoint{h, -ht - v} : TzuPoint{p.Left + h, p.Top - ht - v}; break;
        case zuPlacementLeft: pt = table ? TzuPoint{-h - w, v} : TzuPoint{p.Left - w - h, p.Top + v}; break;
        case zuPlacementRight: pt = table ? TzuPoint{tw + h, v} : TzuPoint{p.Right + h, p.Top + v}; break;
        case zuPlacementCenter:
            pt = table ? TzuPoint{(tw - w) / 2 + h, (th - ht) / 2 + v}
                       : TzuPoint{p.Left + (p.Right - p.Left - w) / 2 + h,
                                  p.Top + (p.Bottom - p.Top - ht) / 2 + v};
            break;
        default: pt = table ? TzuPoint{h, th + v} : TzuPoint{p.Left + h, p.Bottom + v}; break;
    }
    if (!target) return {static_cast<int>(pt.X), static_cast<int>(pt.Y)};
    TzuPoint abs = target->LocalToAbsolute(pt);
    abs = {std::trunc(abs.X), std::trunc(abs.Y)};
    // While open the popup's own scene is the popup window: the scene it came from counts.
    IzuScene* scene = target->Scene() ? target->Scene() : m_form ? m_savedScene : Scene();
    const TzuPoint screen = scene ? scene->LocalToScreen(abs) : abs;
    return {static_cast<int>(std::lround(screen.X)), static_cast<int>(std::lround(screen.Y))};
}

void TzuPopup::Place() {
    TzuWinPoint at = PlacementPoint();
    if (m_form) {
        // A popup window is kept on the monitor it opens on, as far as it fits.
        const int w = m_form->Width(), h = m_form->Height();
        if (TzuApplication* app = Application()) {
            const TzuWinRect area = app->ScreenWorkArea(at);
            if (at.X + w > area.Right) at.X = area.Right - w;
            if (at.Y + h > area.Bottom) at.Y = area.Bottom - h;
            if (at.X < area.Left) at.X = area.Left;
            if (at.Y < area.Top) at.Y = area.Top;
        }
        m_form->SetBounds(at.X, at.Y, w, h);
    }
    m_placedAt = at;
}

// ---- Modal ----

int TzuPopup::PopupModal() {
    if (m_closing) {
        m_isOpen = false;
        return mrNone;
    }
    if (m_form) {
        if (m_modalLoop)
            m_endLoop = true;
        else
            Close();
        return mrNone;
    }
    m_staysOpen = true;
    Open();
    if (!m_form) return mrNone;
    TzuApplication* app = Application();
    TzuObjectGuard guard(this);
    m_modalLoop = true;
    m_endLoop = false;
    m_form->SetModalResult(mrNone);
    int result = mrNone;
    while (app) {
        // Nothing could ever end the wait: the popup answers as cancelled, not forever.
        if (!app->WaitMessage()) result = mrCancel;
        if (!guard.Alive()) return mrCancel;
        if (app->Terminated()) {
            result = mrCancel;
            if (m_form) m_form->SetModalResult(mrCancel);
        }
        if (m_endLoop) result = mrCancel;
        if (!m_form || result != mrNone) break;
        Place();
        result = m_form->ModalResult();
        if (result != mrNone) break;
    }
    if (!app) result = mrCancel;
    m_modalLoop = false;
    m_endLoop = false;
    Close();
    return result;
}

// ---- Design ----

void TzuPopup::AfterPaint() {
    TzuControl::AfterPaint();
    TzuCanvas* cv = Canvas();
    if (!cv || !IsSceneDesigning()) return;
    DrawDesignOutline(*cv, LocalRect(), AbsoluteOpacity());
}

}  // namespace zu
