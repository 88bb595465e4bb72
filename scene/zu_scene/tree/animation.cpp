#include "scene/zu_scene/tree/animation.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <unordered_map>

#include "platform/core/application.h"
#include "platform/core/class_registry.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimmedView(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string Trimmed(std::string_view s) { return std::string(TrimmedView(s)); }

// ExtractToken on a view: the token up to delim, trimmed; source keeps the trimmed rest.
std::string_view TakeToken(std::string_view& source, char delim) {
    const size_t i = source.find(delim);
    const std::string_view token = TrimmedView(source.substr(0, i));
    source = i == std::string_view::npos ? std::string_view() : TrimmedView(source.substr(i + 1));
    return token;
}

}  // namespace

const TzuClass& TzuAnimation::StaticClass() {
    using P = ZuProps<TzuAnimation>;
    static const TzuPropInfo props[] = {
        P::Float<&TzuAnimation::Duration, &TzuAnimation::SetDuration>("Duration").AlwaysStored(),
        P::Float<&TzuAnimation::Delay, &TzuAnimation::SetDelay>("Delay").Default(0),
        P::Bool<&TzuAnimation::Inverse, &TzuAnimation::SetInverse>("Inverse").Default(0),
        P::String<&TzuAnimation::Trigger, &TzuAnimation::SetTrigger>("Trigger"),
        P::Bool<&TzuAnimation::Loop, &TzuAnimation::SetLoop>("Loop").Default(0),
        P::Event<&TzuAnimation::OnFinish>("OnFinish"),
        P::Event<&TzuAnimation::OnProcess>("OnProcess"),
        P::Bool<&TzuAnimation::HideOnFinish, &TzuAnimation::SetHideOnFinish>("HideOnFinish").AlwaysStored(),
        P::Enum<&TzuAnimation::Interpolation, &TzuAnimation::SetInterpolation>("Interpolation",
                                                                               kInterpolationTypeEnum)
            .Default(zuInterpolationLinear),
        P::Enum<&TzuAnimation::AnimationType, &TzuAnimation::SetAnimationType>("AnimationType",
                                                                               kAnimationTypeEnum)
            .Default(zuAnimationIn),
        P::Bool<&TzuAnimation::Enabled, &TzuAnimation::SetEnabled>("Enabled").Default(0),
        P::Bool<&TzuAnimation::AutoReverse, &TzuAnimation::SetAutoReverse>("AutoReverse").Default(0),
    };
    static const TzuClass cls = ZuClass<TzuAnimation, TzuObject>("TzuAnimation", props);
    return cls;
}

TzuAnimation::TzuAnimation(TzuComponent* owner) : TzuObject(owner) {}

TzuAnimation::~TzuAnimation() {
    for (Watch* w = m_watch; w; w = w->prev) {
        w->dead = true;
        // The outermost frame outlives every handler running from the slots.
        if (!w->prev) w->keep = std::move(m_events);
    }
    if (TzuAniThread* clock = TzuAniThread::Instance()) clock->Remove(this);
    if (m_resolvedVia) m_resolvedVia->RemoveFreeNotify(this);
}

// ---- State ----

void TzuAnimation::SetEnabled(bool value) {
    if (value == m_enabled) return;
    m_enabled = value;
    if (IsDesignTime() || IsLoading()) return;
    if (value)
        Start();
    else
        Stop();
}

void TzuAnimation::Loaded() {
    TzuObject::Loaded();
    if (!m_enabled || IsDesignTime()) return;
    TzuApplication* app = Application();
    if (Scene() || !app) {
        Start();
        return;
    }
    // A tree read from a stream usually joins its scene only after loading: the start
    // waits for the message loop, so the animation runs in that scene instead of jumping
    // to its end value at once.
    const uint32_t serial = Serial();
    app->PostMessage([serial] {
        auto* a = As<TzuAnimation>(TzuObject::FindBySerial(serial));
        if (a && a->m_enabled && !a->m_running && !a->IsDesignTime()) a->Start();
    });
}

bool TzuAnimation::IsDesignTime() const { return IsDesigning() || (Scene() && Scene()->IsDesigning()); }

bool TzuAnimation::ParentHidden() const {
    TzuObject* p = Parent();
    return p && p->IsVisual() && !static_cast<TzuVisualObject*>(p)->Visible();
}

float TzuAnimation::NormalizedTime() const {
    const double d = m_immediate ? 1.0 : m_duration;
    if (d <= 0 || m_delayLeft > 0) return 0;
    const double t = m_currentTime;
    if (m_interpolation == zuInterpolationLinear) return static_cast<float>(m_currentTime / d);
    const TzuAnimationType k = m_animationType;
    double v = 0;
    switch (m_interpolation) {
        case zuInterpolationLinear: v = InterpolateLinear(t, 0, 1, d); break;
        case zuInterpolationQuadratic: v = InterpolateQuadratic(t, 0, 1, d, k); break;
        case zuInterpolationCubic: v = InterpolateCubic(t, 0, 1, d, k); break;
        case zuInterpolationQuartic: v = InterpolateQuartic(t, 0, 1, d, k); break;
        case zuInterpolationQuintic: v = InterpolateQuintic(t, 0, 1, d, k); break;
        case zuInterpolationSinusoidal: v = InterpolateSinusoidal(t, 0, 1, d, k); break;
        case zuInterpolationExponential: v = InterpolateExponential(t, 0, 1, d, k); break;
        case zuInterpolationCircular: v = InterpolateCircular(t, 0, 1, d, k); break;
        case zuInterpolationElastic: v = InterpolateElastic(t, 0, 1, d, 0, 0, k); break;
        case zuInterpolationBack: v = InterpolateBack(t, 0, 1, d, 0, k); break;
        case zuInterpolationBounce: v = InterpolateBounce(t, 0, 1, d, k); break;
        default: v = 0; break;
    }
    return static_cast<float>(v);
}

// ---- Start and stop ----

TzuAnimation::EventSlots& TzuAnimation::Events() {
    if (!m_events) m_events = std::make_unique<EventSlots>();
    return *m_events;
}

bool TzuAnimation::Finish() {
    if (m_freeOnFinish) ScheduleFree();
    if (!m_events || !m_events->onFinish) return true;
    Watch w(this);
    m_events->onFinish(this);
    return !w.dead;
}

void TzuAnimation::ScheduleFree() {
    // Never inside the animation's own handlers or the clock's walk: a posted message
    // frees it later, if it still lives then.
    TzuApplication* app = Application();
    if (!app) return;
    const uint32_t serial = Serial();
    app->PostMessage([serial] { delete As<TzuAnimation>(TzuObject::FindBySerial(serial)); });
}

void TzuAnimation::Start() {
    if (ParentHidden()) return;
    Watch w(this);
    if (std::fabs(m_duration) < 0.001f || !Scene() || IsDesignTime()) {
        // Applied at once: the property takes its end value. Time runs over one second
        // for this single step, so the stored Duration stays as it is.
        if (TzuAniThread* clock = TzuAniThread::Instance()) clock->Remove(this);
        m_delayLeft = 0;
        m_immediate = true;
        m_currentTime = m_inverse ? 0 : 1;
        m_running = true;
        ProcessAnimation();
        if (w.dead) return;
        m_immediate = false;
        m_running = false;
        m_currentTime = 0;
        m_enabled = false;
        Finish();
        return;
    }
    m_delayLeft = m_delay;
    m_running = true;
    m_currentTime = m_inverse ? m_duration : 0;
    ProcessAnimation();
    if (w.dead) return;
    // A handler of the first step may have stopped it again.
    if (!m_running) return;
    if (Scene()) TzuAniThread::Ensure()->Add(this);
    m_enabled = true;
}

void TzuAnimation::Stop() {
    if (!m_running) return;
    if (TzuAniThread* clock = TzuAniThread::Instance()) clock->Remove(this);
    m_currentTime = m_inverse ? 0 : m_duration;
    Watch w(this);
    ProcessAnimation();
    if (w.dead) return;
    m_running = false;
    m_enabled = false;
    Finish();
}

void TzuAnimation::StopAtCurrent() {
    if (!m_running) return;
    if (TzuAniThread* clock = TzuAniThread::Instance()) clock->Remove(this);
    m_currentTime = m_inverse ? 0 : m_duration;
    m_running = false;
    m_enabled = false;
    Finish();
}

void TzuAnimation::Advance(float delta) {
    if (IsDesignTime() || IsDestroying()) return;
    if (ParentHidden()) {
        Stop();
        return;
    }
    if (!m_running) return;
    if (m_delayLeft > 0) {
        m_delayLeft -= delta;
        return;
    }
    m_currentTime += m_inverse ? -delta : delta;
    if (m_currentTime >= m_duration) {
        m_currentTime = m_duration;
        if (m_loop && m_autoReverse)
            m_inverse = true;
        else if (m_loop)
            m_currentTime = 0;
        else
            m_running = false;
    } else if (m_currentTime <= 0) {
        m_currentTime = 0;
        if (m_loop && m_autoReverse)
            m_inverse = false;
        else if (m_loop)
            m_currentTime = m_duration;
        else
            m_running = false;
    }
    Watch w(this);
    ProcessAnimation();
    if (w.dead) return;
    if (m_events && m_events->onProcess) {
        m_events->onProcess(this);
        if (w.dead) return;
    }
    // A handler may have restarted it: only a run that is still over finishes here.
    if (m_running) return;
    if (TzuAniThread* clock = TzuAniThread::Instance()) clock->Remove(this);
    m_enabled = false;
    Finish();
}

// ---- Triggers ----

const std::string& TzuAnimation::Trigger() const {
    static const std::string none;
    return m_trigger ? m_trigger->text : none;
}

std::shared_ptr<TzuAnimation::TriggerSet> TzuAnimation::SharedTrigger(const std::string& text) {
    // Held weakly: a set lives as long as an animation uses it. Expired entries are swept
    // when the table has doubled since the last sweep, so it follows the live triggers.
    static std::unordered_map<std::string, std::weak_ptr<TriggerSet>> table;
    static size_t sweepAt = 64;
    static std::mutex lock;
    const std::lock_guard hold(lock);
    if (auto found = table.find(text); found != table.end()) {
        if (auto set = found->second.lock()) return set;
    }
    auto set = std::make_shared<TriggerSet>();
    set->text = text;
    std::string_view conditions = set->text;
    while (!conditions.empty()) {
        std::string_view condition = TakeToken(conditions, ';');
        const std::string_view name = TakeToken(condition, '=');
        set->conditions.push_back({std::string(name), std::string(condition)});
    }
    table[text] = set;
    if (table.size() >= sweepAt) {
        std::erase_if(table, [](const auto& entry) { return entry.second.expired(); });
        sweepAt = std::max<size_t>(64, table.size() * 2);
    }
    return set;
}

void TzuAnimation::SetTrigger(const std::string& trigger) {
    if (trigger == Trigger()) return;
    m_trigger = trigger.empty() ? nullptr : SharedTrigger(trigger);
}

void TzuAnimation::ApplyTrigger(TzuObject* instance, std::string_view trigger) {
    if (!m_trigger || !instance) return;
    if (!ContainsText(m_trigger->text, trigger)) return;
    bool matched = false;
    for (TriggerCondition& c : m_trigger->conditions) {
        const TzuClass& cls = instance->ClassType();
        if (c.cls != &cls) {
            c.cls = &cls;
            c.prop = cls.FindProperty(c.name);
            c.expectedOrd =
                c.prop && c.prop->kind == TzuPropKind::Enum ? c.prop->enumInfo->ValueOf(c.expected) : -1;
        }
        const TzuPropInfo* prop = c.prop;
        if (!prop || prop->kind != TzuPropKind::Enum || !prop->getOrd) continue;
        const int64_t ord = prop->getOrd(instance);
        const bool holds =
            c.expectedOrd >= 0 ? ord == c.expectedOrd : SameText(prop->enumInfo->NameOf(ord), c.expected);
        if (!holds) return;
        matched = true;
    }
    if (matched) Start();
}

std::string ExtractToken(std::string& source, std::string_view delimiters) {
    size_t i = 0;
    while (i < source.size() && delimiters.find(source[i]) == std::string_view::npos) ++i;
    std::string token = Trimmed(std::string_view(source).substr(0, i));
    source = Trimmed(i < source.size() ? std::string_view(source).substr(i + 1) : std::string_view());
    return token;
}

// ---- Property path ----

void TzuAnimation::SetPropertyName(const std::string& value) {
    if (value == m_propertyName) return;
    m_propertyName = value;
    ClearResolution();
}

void TzuAnimation::ParentChanged() {
    TzuObject::ParentChanged();
    ClearResolution();
}

void TzuAnimation::ClearResolution() {
    if (m_resolvedVia) m_resolvedVia->RemoveFreeNotify(this);
    m_resolvedVia = nullptr;
    m_resolved = {};
    m_resolvedParent = nullptr;
    m_resolvedOnce = false;
}

void TzuAnimation::Notification(TzuComponent* component, TzuOperation operation) {
    TzuObject::Notification(component, operation);
    if (operation == TzuOperation::opRemove && component == m_resolvedVia) {
        m_resolvedVia = nullptr;
        ClearResolution();
    }
}

const TzuPropRef& TzuAnimation::ResolvePropertyPath() {
    TzuObject* parent = Parent();
    if (m_resolvedOnce && m_resolvedParent == parent) return m_resolved;
    ClearResolution();
    if (!parent || m_propertyName.empty()) return m_resolved;
    m_resolvedOnce = true;
    m_resolvedParent = parent;
    TzuPersistent* target = parent;
    // Walked as views: copying the rest of the path at every segment made a long path
    // cost the square of its length.
    std::string_view path = m_propertyName;
    while (target && path.find('.') != std::string_view::npos) {
        const std::string_view segment = TakeToken(path, '.');
        const TzuPropInfo* prop = target->ClassType().FindProperty(segment);
        if (!prop || (prop->kind != TzuPropKind::Object && prop->kind != TzuPropKind::Reference)) continue;
        target = prop->getObj(target);
        // Another scene object on the way (a grandparent, a referenced object) may go
        // before this animation does: it tells us so, and the path is resolved anew.
        if (auto* obj = As<TzuObject>(target); obj && obj != parent && !m_resolvedVia) {
            m_resolvedVia = obj;
            obj->AddFreeNotify(this);
        }
    }
    m_resolved.object = target;
    if (target) m_resolved.prop = target->ClassType().FindProperty(path);
    return m_resolved;
}

// ---- Waiting ----

void TzuAnimation::WaitWhileRunning(TzuAnimation* animation) {
    if (!animation) return;
    Watch w(animation);
    while (!w.dead && animation->Running() && !animation->m_loop) {
        TzuAniThread* clock = TzuAniThread::Instance();
        if (!clock || !clock->Contains(animation)) break;
        TzuApplication* app = Application();
        if (!app || app->Terminated()) break;
        if (!app->WaitMessage()) break;
    }
}

}  // namespace zu

// ---- Float animations made on the fly ----

namespace zu {

namespace {
TzuAnimation* MakeFloatAnimation(TzuObject* owner, const std::string& propertyName, float value,
                                 float duration, TzuAnimationType type, TzuInterpolationType interpolation) {
    // The float animation lives in a unit above the tree: made by its registered name.
    auto* a = As<TzuAnimation>(CreateObject("TzuFloatAnimation", owner));
    if (!a) return nullptr;
    a->SetAnimationType(type);
    a->SetInterpolation(interpolation);
    a->SetDuration(duration);
    a->SetPropertyName(propertyName);
    SetPropValue(ResolveProperty(a, "StartFromCurrent"), TzuVariant(true));
    SetPropValue(ResolveProperty(a, "StopValue"), TzuVariant(static_cast<double>(value)));
    a->SetParent(owner);
    return a;
}
}  // namespace

TzuAnimation* TzuObject::AnimateFloat(const std::string& propertyName, float value, float duration,
                                      TzuAnimationType type, TzuInterpolationType interpolation) {
    TzuAnimation* a = MakeFloatAnimation(this, propertyName, value, duration, type, interpolation);
    if (!a) return nullptr;
    a->SetFreeOnFinish(true);
    const uint32_t serial = a->Serial();
    a->Start();
    // Without an application nothing could free it later; finished at once, it goes now.
    if (!Application() && FindBySerial(serial) == a && !a->Running()) {
        delete a;
        return nullptr;
    }
    return FindBySerial(serial) == a ? a : nullptr;
}

void TzuObject::AnimateFloatWait(const std::string& propertyName, float value, float duration,
                                 TzuAnimationType type, TzuInterpolationType interpolation) {
    TzuAnimation* a = MakeFloatAnimation(this, propertyName, value, duration, type, interpolation);
    if (!a) return;
    const uint32_t serial = a->Serial();
    a->Start();
    TzuAnimation::WaitWhileRunning(a);
    // The animation (or this object with it) may have gone while messages ran.
    if (FindBySerial(serial) == a) delete a;
}

}  // namespace zu
