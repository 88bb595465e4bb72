// The action side of controls: the link to an action, ActionChange, the click that runs
// the action, and the periodic update of every linked control.

#include "scene/zu_scene/tree/control_action_link.h"

#include <algorithm>
#include <vector>

#include "platform/core/application.h"
#include "platform/core/utf.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {

// Every control with an action, in linking order, and the update timer they share.
std::vector<TzuControl*>& LinkedControls() {
    static std::vector<TzuControl*> list;
    return list;
}
uint64_t g_updateTimer = 0;
TzuApplication* g_updateTimerApp = nullptr;

void StartUpdates() {
    TzuApplication* app = Application();
    if (g_updateTimer && g_updateTimerApp == app) return;
    g_updateTimer = 0;
    g_updateTimerApp = app;
    if (app) g_updateTimer = app->StartTimer(kActionUpdateInterval, [] { UpdateActionLinks(); });
}

void StopUpdates() {
    if (g_updateTimer && g_updateTimerApp == Application() && g_updateTimerApp)
        g_updateTimerApp->StopTimer(g_updateTimer);
    g_updateTimer = 0;
    g_updateTimerApp = nullptr;
}

void AddLinked(TzuControl* c) {
    auto& list = LinkedControls();
    if (std::find(list.begin(), list.end(), c) == list.end()) list.push_back(c);
    StartUpdates();
}

void RemoveLinked(TzuControl* c) {
    auto& list = LinkedControls();
    std::erase(list, c);
    if (list.empty()) StopUpdates();
}

}  // namespace

void UpdateActionLinks(const IzuScene* scene) {
    // An update handler may unlink or free controls; each one is checked before its turn.
    const std::vector<TzuControl*> controls = LinkedControls();
    for (TzuControl* c : controls) {
        const auto& live = LinkedControls();
        if (std::find(live.begin(), live.end(), c) == live.end()) continue;
        if (!c->Scene() || (scene && c->Scene() != scene)) continue;
        c->InitiateAction();
    }
}

// ---- Link ----

bool TzuControlActionLink::IsCaptionLinked() const {
    return TzuActionLink::IsCaptionLinked() && m_client->ShowsCaption() &&
           m_client->CaptionText() == Action()->Caption();
}

bool TzuControlActionLink::IsEnabledLinked() const {
    return TzuActionLink::IsEnabledLinked() && m_client->Enabled() == Action()->Enabled();
}

bool TzuControlActionLink::IsVisibleLinked() const {
    return TzuActionLink::IsVisibleLinked() && m_client->Visible() == Action()->Visible();
}

bool TzuControlActionLink::IsHintLinked() const {
    return TzuActionLink::IsHintLinked() && m_client->Hint() == Action()->Hint();
}

bool TzuControlActionLink::IsOnExecuteLinked() const {
    return TzuActionLink::IsOnExecuteLinked() && m_client->HasExtra() &&
           m_client->OnClick().SameHandler(Action()->OnExecute());
}

void TzuControlActionLink::SetCaption(const std::u16string& value) { m_client->SetCaptionText(value); }

void TzuControlActionLink::SetEnabled(bool value) { m_client->SetEnabled(value); }

void TzuControlActionLink::SetVisible(bool value) { m_client->SetVisible(value); }

void TzuControlActionLink::SetHint(const std::u16string& value) { m_client->SetHint(value); }

// ---- Control ----

TzuAction* TzuControl::Action() const { return m_actionLink ? m_actionLink->Action() : nullptr; }

void TzuControl::SetAction(TzuAction* action) {
    if (action == Action() && (action || !m_actionLink)) return;
    if (!action) {
        if (TzuAction* old = Action()) old->RemoveFreeNotification(this);
        m_actionLink.reset();
        RemoveLinked(this);
        return;
    }
    if (TzuAction* old = Action()) old->RemoveFreeNotification(this);
    if (!m_actionLink) m_actionLink = std::make_unique<TzuControlActionLink>(this);
    m_actionLink->SetAction(action);
    m_actionLink->OnChange = [this](TzuAction* changed) {
        if (changed == Action()) ActionChange(changed, false);
    };
    action->FreeNotification(this);
    AddLinked(this);
    ActionChange(action, action->IsLoading());
}

void TzuControl::ActionChange(TzuAction* action, bool checkDefaults) {
    if (!action) return;
    TzuObjectGuard guard(this);
    if (ShowsCaption()) {
        const std::u16string text = CaptionText();
        // A caption of the control's own (not empty, not its name) survives a check.
        const bool own = !text.empty() && text != Utf8ToUtf16(Name());
        if (!checkDefaults || !own) SetCaptionText(action->Caption());
        if (!guard.Alive()) return;
    }
    if (!checkDefaults || Enabled()) SetEnabled(action->Enabled());
    if (!checkDefaults || Hint().empty()) SetHint(action->Hint());
    if (!checkDefaults || Visible()) SetVisible(action->Visible());
    if (!guard.Alive()) return;
    if (!checkDefaults || !HasExtra() || !OnClick().Assigned()) OnClick() = action->OnExecute();
}

void TzuControl::InitiateAction() {
    if (m_actionLink) m_actionLink->Update();
}

void TzuControl::Click() {
    TzuAction* action = Action();
    const bool ownHandler =
        HasExtra() && OnClick().Assigned() && (!action || !OnClick().SameHandler(action->OnExecute()));
    // The click runs one of the two: a handler of the control's own, or the action, so an
    // action's handler copied into OnClick does not run twice.
    if (ownHandler || !m_actionLink || IsSceneDesigning()) {
        TzuVisualObject::Click();
        return;
    }
    m_actionLink->Execute();
}

}  // namespace zu
