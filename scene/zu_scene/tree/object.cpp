#include "scene/zu_scene/tree/object.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iterator>
#include <thread>
#include <unordered_map>

#include "platform/core/class_registry.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/shared_resource.h"
#include "scene/zu_scene/tree/access_notify.h"
#include "scene/zu_scene/tree/animation.h"
#include "scene/zu_scene/tree/bitmap_object.h"
#include "scene/zu_scene/tree/brush_object.h"
#include "scene/zu_scene/tree/child_range.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/effect.h"
#include "scene/zu_scene/tree/path_object.h"

namespace zu {

namespace {
// The process-wide object list is intrusive (prev/next in each object), so creating and
// freeing large trees stays linear; lookups walk it newest first.
TzuObject* g_first = nullptr;
TzuObject* g_last = nullptr;
size_t g_count = 0;
uint32_t g_nextSerial = 0;
void (*g_pump)() = nullptr;

std::vector<std::pair<std::string, const TzuClass*>>& Registry() {
    static std::vector<std::pair<std::string, const TzuClass*>> registry;
    return registry;
}

// Objects that carry a resource name, by lower-case name, oldest first, so a lookup by
// name stays newest first without walking every live object. Never freed: objects may
// go during static destruction.
using ResourceIndexMap = std::unordered_map<std::string, std::vector<TzuObject*>>;
ResourceIndexMap& ResourceIndex() {
    static auto* index = new ResourceIndexMap;
    return *index;
}

std::string LowerKey(std::string_view name) {
    std::string key(name);
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return key;
}

void IndexAdd(TzuObject* o) {
    if (o->ResourceName().empty()) return;
    auto& list = ResourceIndex()[LowerKey(o->ResourceName())];
    auto at = std::upper_bound(list.begin(), list.end(), o->Serial(),
                               [](uint32_t serial, TzuObject* x) { return serial < x->Serial(); });
    list.insert(at, o);
}

void IndexRemove(TzuObject* o) {
    if (o->ResourceName().empty()) return;
    auto it = ResourceIndex().find(LowerKey(o->ResourceName()));
    if (it == ResourceIndex().end()) return;
    std::erase(it->second, o);
    if (it->second.empty()) ResourceIndex().erase(it);
}
}  // namespace

const TzuClass& TzuObject::StaticClass() {
    using P = ZuProps<TzuObject>;
    static const TzuPropInfo props[] = {
        P::Reference<&TzuObject::Parent>("Parent").NotStored(),
        P::Int<&TzuObject::Index>("Index").NotStored(),
        P::String<&TzuObject::BindingName, &TzuObject::SetBindingName>("BindingName"),
        P::String<&TzuObject::ResourceName, &TzuObject::SetResourceName>("ResourceName"),
    };
    static const TzuClass cls = ZuClass<TzuObject, TzuComponent>("TzuObject", props);
    return cls;
}

TzuObject::TzuObject(TzuComponent* owner) : TzuComponent(owner) { ObjectListAdd(); }

TzuObject::~TzuObject() {
    if (m_scene) m_scene->Notification(this, TzuOperation::opRemove);
    if (m_freeNotify) {
        // Entries may unregister themselves while being told; work on a copy.
        auto items = std::move(*m_freeNotify);
        m_freeNotify.reset();
        for (TzuPersistent* item : items) {
            if (auto* obj = As<TzuObject>(item))
                obj->Notification(this, TzuOperation::opRemove);
            else
                item->FreeNotify(this);
        }
    }
    IndexRemove(this);
    DropNameIndex();
    ObjectListRemove();
    DetachFromTree();
    DeleteChildren();
}

void TzuObject::DetachFromTree() {
    if (m_parent) {
        m_parent->RemoveObject(this);
    } else if (m_scene) {
        m_scene->RemoveObject(this);
    }
    m_parent = nullptr;
    m_scene = nullptr;
}

void TzuObject::ObjectListAdd() {
    m_serial = ++g_nextSerial;
    m_prev = g_last;
    if (g_last)
        g_last->m_next = this;
    else
        g_first = this;
    g_last = this;
    ++g_count;
}

void TzuObject::ObjectListRemove() {
    if (m_prev)
        m_prev->m_next = m_next;
    else if (g_first == this)
        g_first = m_next;
    if (m_next)
        m_next->m_prev = m_prev;
    else if (g_last == this)
        g_last = m_prev;
    m_prev = m_next = nullptr;
    --g_count;
}

TzuObject* TzuObject::FirstObject() { return g_first; }
size_t TzuObject::ObjectCount() { return g_count; }

TzuObject* TzuObject::FindBySerial(uint32_t serial) {
    for (TzuObject* o = g_last; o; o = o->m_prev) {
        if (o->m_serial == serial) return o;
    }
    return nullptr;
}

void TzuObject::SetMessagePump(void (*pump)()) { g_pump = pump; }

void TzuObject::ProcessMessages() {
    if (g_pump)
        g_pump();
    else
        std::this_thread::yield();
}

// ---- Tree ----

void TzuObject::AddObject(TzuObject* child) {
    if (!child || child == this) return;
    if (!m_children) {
        m_children = std::make_unique<std::vector<TzuObject*>>();
        m_children->reserve(10);
    }
    m_children->push_back(child);
    TriggerTargetsChanged();
    NamesChanged();
    child->m_parent = this;
    child->m_scene = m_scene;
    if (m_scene) {
        // Objects below the child that were never in a scene join this one.
        std::vector<TzuObject*> stack{child};
        while (!stack.empty()) {
            TzuObject* o = stack.back();
            stack.pop_back();
            for (int i = o->ChildrenCount() - 1; i >= 0; --i) {
                TzuObject* c = o->Children(i);
                if (!c->m_scene) c->m_scene = o->m_scene;
                stack.push_back(c);
            }
        }
    }
    child->ParentChanged();
    if (child->m_styleDue) MarkStyleDue();
    // Only an effect changes the answer of HasEffect; other children keep it valid, so
    // adding many children does not rescan them all each time.
    if (As<TzuEffect>(child)) m_effectsStale = true;
    AfterAddObject(child);
    if (child->m_isVisual && !IsLoading() && !m_isVisual) child->InvalidateAbsoluteOpacityTree();
    NotifyAccess(this, TzuAccessChange::Children);
}

void TzuObject::RemoveObject(TzuObject* child) {
    if (!child || !m_children) return;
    // Searched from the end: children freed by their owner go last first.
    auto found = [this, child] { return std::find(m_children->rbegin(), m_children->rend(), child); };
    if (found() == m_children->rend()) return;
    if (m_scene) m_scene->ObjectLeaving(child);
    BeforeRemoveObject(child);
    child->m_parent = nullptr;
    child->m_scene = nullptr;
    // BeforeRemoveObject may run code that changes the list; look the child up again.
    if (auto it = found(); it != m_children->rend()) m_children->erase(std::next(it).base());
    TriggerTargetsChanged();
    NamesChanged();
    if (As<TzuEffect>(child)) m_effectsStale = true;
    NotifyAccess(this, TzuAccessChange::Children);
}

void TzuObject::SetParent(TzuObject* parent) {
    if (parent == m_parent) return;
    if (parent) {
        // Refuse cycles: an object can't hang below itself.
        for (TzuObject* p = parent; p; p = p->m_parent) {
            if (p == this) return;
        }
    }
    if (m_parent) {
        m_parent->RemoveObject(this);
    } else if (m_scene) {
        m_scene->RemoveObject(this);
    }
    m_parent = parent;
    if (parent) parent->AddObject(this);
}

void TzuObject::SetScene(IzuScene* scene) {
    m_scene = scene;
    for (int i = 0; i < ChildrenCount(); ++i) Children(i)->SetScene(scene);
}

void TzuObject::DeleteChildren() {
    if (!m_children) return;
    // First child first; reversed once so that each is taken from the end of the list.
    std::reverse(m_children->begin(), m_children->end());
    while (!m_children->empty()) {
        TzuObject* child = m_children->back();
        m_children->pop_back();
        TriggerTargetsChanged();
        NamesChanged();
        if (m_scene) m_scene->ObjectLeaving(child);
        child->m_parent = nullptr;
        child->m_scene = nullptr;
        delete child;
    }
    m_children.reset();
}

int TzuObject::Index() const {
    if (!m_parent || !m_parent->m_children) return -1;
    auto& list = *m_parent->m_children;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TzuObject::SetIndex(int index) {
    if (!m_parent || !m_parent->m_children) return;
    auto& list = *m_parent->m_children;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) return;
    if (index < 0 || index >= static_cast<int>(list.size())) {
        throw EzuError("List index out of bounds (" + std::to_string(index) + ")");
    }
    list.erase(it);
    list.insert(list.begin() + index, this);
    TriggerTargetsChanged();
    m_parent->NamesChanged();
}

void TzuObject::BringToFront() {
    if (!m_parent) return;
    SetIndex(m_parent->ChildrenCount() - 1);
    Repaint();
}

void TzuObject::SendToBack() {
    if (!m_parent) return;
    SetIndex(0);
    if (m_parent->m_isVisual) m_parent->Realign();
}

void TzuObject::SortChildren(const std::function<bool(TzuObject*, TzuObject*)>& less) {
    if (m_children) std::stable_sort(m_children->begin(), m_children->end(), less);
    TriggerTargetsChanged();
    NamesChanged();
}

void TzuObject::CollectObjects(std::vector<TzuObject*>& list) {
    list.push_back(this);
    for (int i = 0; i < ChildrenCount(); ++i) Children(i)->CollectObjects(list);
}

void TzuObject::CollectControls(std::vector<TzuControl*>& list) {
    if (IsControl()) list.push_back(static_cast<TzuControl*>(this));
    for (int i = 0; i < ChildrenCount(); ++i) Children(i)->CollectControls(list);
}

void TzuObject::SetStored(bool stored) {
    if (m_stored == stored) return;
    m_stored = stored;
    for (int i = 0; i < ChildrenCount(); ++i) Children(i)->SetStored(stored);
}

// ---- Free notification ----

void TzuObject::AddFreeNotify(TzuPersistent* item) {
    if (!item) return;
    if (!m_freeNotify) m_freeNotify = std::make_unique<std::vector<TzuPersistent*>>();
    if (std::find(m_freeNotify->begin(), m_freeNotify->end(), item) == m_freeNotify->end()) {
        m_freeNotify->push_back(item);
    }
}

void TzuObject::RemoveFreeNotify(TzuPersistent* item) {
    if (!m_freeNotify) return;
    m_freeNotify->erase(std::remove(m_freeNotify->begin(), m_freeNotify->end(), item), m_freeNotify->end());
}

// ---- Lookups ----

TzuObject* TzuObject::FindBinding(std::string_view name) {
    // Every object's binding name starts empty: an empty name would find the caller.
    if (name.empty()) return nullptr;
    if (SameText(m_bindingName, name)) return this;
    for (int i = 0; i < ChildrenCount(); ++i) {
        TzuObject* child = Children(i);
        if (SameText(child->m_bindingName, name)) return child;
        if (TzuObject* found = child->FindBinding(name)) return found;
    }
    return nullptr;
}

TzuObject* TzuObject::FindResourceObject(std::string_view name) {
    if (name.empty()) return nullptr;
    auto it = ResourceIndex().find(LowerKey(name));
    if (it == ResourceIndex().end()) return nullptr;
    for (auto o = it->second.rbegin(); o != it->second.rend(); ++o) {
        if ((*o)->m_stored) return *o;
    }
    return nullptr;
}

void TzuObject::SetResourceName(const std::string& name) {
    if (name == m_resourceName) return;
    IndexRemove(this);
    m_resourceName = name;
    IndexAdd(this);
    if (m_parent) m_parent->NamesChanged();
}

void TzuObject::UpdateStyle() {
    for (int i = 0; i < ChildrenCount(); ++i) Children(i)->UpdateStyle();
}

void TzuObject::ApplyStyleLookup() {
    if (!m_styleDue) return;
    // Cleared before the walk: a child whose style stays due marks the way up again.
    m_styleDue = false;
    for (int i = 0; i < ChildrenCount(); ++i) {
        TzuObject* c = Children(i);
        if (c->IsVisual() && c->m_styleDue && !DefersChildStyle(c)) c->ApplyStyleLookup();
    }
}

void TzuObject::MarkStyleDue() {
    for (TzuObject* o = this; o; o = o->m_parent) o->m_styleDue = true;
}

// ---- Data values ----

TzuVariant TzuObject::GetBinding(std::string_view name) {
    if (TzuObject* o = FindBinding(name)) return o->GetData();
    return std::string();
}

void TzuObject::SetBinding(std::string_view name, const TzuVariant& value) {
    TzuObject* o = FindBinding(name);
    if (!o) return;
    try {
        o->SetData(value);
    } catch (const std::exception&) {
        // A binding never fails its caller: a value the target refuses is dropped.
    }
}

TzuVariant TzuObject::GetData() { return Name(); }
void TzuObject::SetData(const TzuVariant&) {}

std::string ObjectToDataText(const TzuObject* obj) {
    return "zuobj" + std::to_string(obj ? obj->Serial() : 0);
}

TzuObject* DataTextToObject(std::string_view text) {
    if (text.size() <= 5 || text.substr(0, 5) != "zuobj") return nullptr;
    std::string_view digits = text.substr(5, 10);
    uint32_t serial = 0;
    auto res = std::from_chars(digits.data(), digits.data() + digits.size(), serial);
    if (res.ec != std::errc() || serial == 0) return nullptr;
    return TzuObject::FindBySerial(serial);
}

std::string MethodToDataText(const TzuEventBase& event) {
    auto* target = As<TzuObject>(event.Data());
    if (!target || !event.Method()) return {};
    // The code part is the method's position in the target's published method tables.
    uint32_t index = 0;
    bool found = false;
    for (const TzuClass* c = &target->ClassType(); c && !found; c = c->parent) {
        for (int i = 0; i < c->methodCount; ++i, ++index) {
            if (&c->methods[i] == event.Method()) {
                found = true;
                break;
            }
        }
    }
    if (!found) return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "zumet%08X%08X", target->Serial(), index);
    return buf;
}

bool DataTextToMethod(std::string_view text, TzuEventBase& event) {
    if (text.size() < 21 || text.substr(0, 5) != "zumet") return false;
    uint32_t serial = 0, index = 0;
    auto hex = [](std::string_view s, uint32_t& out) {
        auto res = std::from_chars(s.data(), s.data() + s.size(), out, 16);
        return res.ec == std::errc() && res.ptr == s.data() + s.size();
    };
    if (!hex(text.substr(5, 8), serial) || !hex(text.substr(13, 8), index)) return false;
    TzuObject* target = TzuObject::FindBySerial(serial);
    if (!target) return false;
    for (const TzuClass* c = &target->ClassType(); c; c = c->parent) {
        if (index < static_cast<uint32_t>(c->methodCount)) return event.Bind(target, &c->methods[index]);
        index -= static_cast<uint32_t>(c->methodCount);
    }
    return false;
}

// ---- Animations and effects ----

void TzuObject::StartAnimation(std::u16string_view name) {
    std::string narrow(name.begin(), name.end());
    for (int i = 0; i < ChildrenCount(); ++i) {
        if (auto* a = As<TzuAnimation>(Children(i)); a && SameText(a->Name(), narrow)) a->Start();
    }
}

void TzuObject::StopAnimation(std::u16string_view name) {
    std::string narrow(name.begin(), name.end());
    for (int i = ChildrenCount() - 1; i >= 0; --i) {
        if (auto* a = As<TzuAnimation>(Children(i)); a && SameText(a->Name(), narrow)) a->Stop();
    }
}

uint64_t TzuObject::s_triggerGeneration = 1;

namespace {
// Collects the animations and effects of object and of its passive style parts: every one
// is offered the state change (a kind may react without a Trigger text of its own).
void CollectTriggerTargets(TzuObject* object, std::vector<TzuAnimation*>& animations,
                           std::vector<TzuEffect*>& effects) {
    // Animations and effects are never visual, passive style parts always are.
    for (int i = 0; i < object->ChildrenCount(); ++i) {
        TzuObject* child = object->Children(i);
        if (child->IsVisual()) {
            if (child->IsPassiveStylePart()) CollectTriggerTargets(child, animations, effects);
        } else if (auto* a = As<TzuAnimation>(child)) {
            animations.push_back(a);
        } else if (auto* e = As<TzuEffect>(child)) {
            effects.push_back(e);
        }
    }
}
}  // namespace

const TzuObject::TriggerTargets& TzuObject::RebuildTriggerTargets() {
    if (!m_triggerTargets) m_triggerTargets = std::make_unique<TriggerTargets>();
    m_triggerTargets->animations.clear();
    m_triggerTargets->effects.clear();
    CollectTriggerTargets(this, m_triggerTargets->animations, m_triggerTargets->effects);
    m_triggerTargets->generation = s_triggerGeneration;
    return *m_triggerTargets;
}

// The walks below take the list afresh for every item: an animation's or effect's events
// may change the tree, and then the list is rebuilt instead of used stale.

void TzuObject::StartTriggerAnimation(TzuObject* instance, std::string_view trigger) {
    // One stop of the whole subtree first: a style part's animations are never stopped
    // again level by level.
    StopTriggerAnimation(instance);
    for (size_t i = 0; i < CurrentTriggerTargets().animations.size(); ++i)
        CurrentTriggerTargets().animations[i]->ApplyTrigger(instance, trigger);
}

void TzuObject::StartTriggerAnimationWait(TzuObject* instance, std::string_view trigger) {
    StopTriggerAnimation(instance);
    // Messages handled while waiting may free this object: it is looked up again after
    // every wait.
    const uint32_t self = m_serial;
    for (int i = 0; i < ChildrenCount(); ++i) {
        TzuObject* child = Children(i);
        if (auto* a = As<TzuAnimation>(child)) {
            a->ApplyTrigger(instance, trigger);
            TzuAnimation::WaitWhileRunning(a);
        } else if (child->IsPassiveStylePart()) {
            child->StartTriggerAnimationWait(instance, trigger);
        }
        if (FindBySerial(self) != this) return;
    }
}

void TzuObject::StopTriggerAnimation(TzuObject* /*instance*/) {
    for (size_t i = 0; i < CurrentTriggerTargets().animations.size(); ++i) {
        TzuAnimation* a = CurrentTriggerTargets().animations[i];
        if (!a->Trigger().empty()) a->Stop();
    }
}

void TzuObject::ApplyTriggerEffect(TzuObject* instance, std::string_view trigger) {
    for (size_t i = 0; i < CurrentTriggerTargets().effects.size(); ++i)
        CurrentTriggerTargets().effects[i]->ApplyTrigger(instance, trigger);
}

bool TzuObject::HasEffect() {
    if (m_effectsStale) {
        m_effectsStale = false;
        m_hasEffect = false;
        for (TzuEffect* e : ChildrenOf<TzuEffect>(*this)) {
            if (e->Enabled() || !e->Trigger().empty()) {
                m_hasEffect = true;
                break;
            }
        }
    }
    return m_hasEffect;
}

bool TzuObject::HasDisablePaintEffect() const {
    for (TzuEffect* e : ChildrenOf<TzuEffect>(*this)) {
        if (e->Enabled() && e->DisablePaint()) return true;
    }
    return false;
}

bool TzuObject::HasPaintAfterEffect() const {
    for (TzuEffect* e : ChildrenOf<TzuEffect>(*this)) {
        if (e->Enabled() && e->PaintAfter()) return true;
    }
    return false;
}

// ---- Stream hooks ----

void TzuObject::GetChildren(const std::function<void(TzuComponent*)>& proc, TzuComponent* /*root*/) {
    if (IsContent()) return;  // its children are written by its parent
    for (int i = 0; i < ChildrenCount(); ++i) {
        TzuObject* child = Children(i);
        if (child->IsContent()) {
            for (int k = 0; k < child->ChildrenCount(); ++k) {
                if (child->Children(k)->Stored()) proc(child->Children(k));
            }
        }
        if (child->Stored()) proc(child);
    }
}

TzuComponent* TzuObject::GetParentComponent() const {
    TzuObject* p = m_parent;
    if (p && p->SkippedAsStreamParent()) p = p->m_parent;
    if (p) return p;
    return m_scene ? m_scene->SceneControl() : nullptr;
}

void TzuObject::SetParentComponent(TzuComponent* parent) {
    if (m_parent) m_parent->RemoveObject(this);
    m_parent = nullptr;
    if (auto* obj = As<TzuObject>(parent)) {
        SetParent(obj);
    } else if (auto* scene = dynamic_cast<IzuScene*>(parent)) {
        scene->AddObject(this);
    }
}

// ---- Registration ----

void RegisterObjects(const std::string& category, std::initializer_list<const TzuClass*> classes) {
    auto& reg = Registry();
    for (const TzuClass* cls : classes) {
        reg.emplace_back(category, cls);
        RegisterClass(*cls);
    }
    std::stable_sort(reg.begin(), reg.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
}

const std::vector<std::pair<std::string, const TzuClass*>>& ClassRegistry() { return Registry(); }

// ---- Shared graphics resources ----
// Brushes, bitmaps and paths link to the scene objects that share them through hooks the
// graphics layer declares; they are installed as soon as this unit is part of a program.

namespace {

TzuPersistent* SharedValueOf(TzuComponent* holder, const TzuClass& valueClass) {
    if (&valueClass == &TzuBitmap::StaticClass()) {
        if (auto* h = As<TzuBitmapObject>(holder)) return h->Bitmap();
    } else if (&valueClass == &TzuBrush::StaticClass()) {
        if (auto* h = As<TzuBrushObject>(holder)) return h->Brush();
    } else if (&valueClass == &TzuPathData::StaticClass()) {
        if (auto* h = As<TzuPathObject>(holder)) return h->Path();
    }
    return nullptr;
}

bool WatchHolder(TzuComponent* holder, TzuPersistent* watcher, bool add) {
    auto* object = As<TzuObject>(holder);
    if (!object) return false;
    if (add) {
        object->AddFreeNotify(watcher);
    } else {
        object->RemoveFreeNotify(watcher);
    }
    return true;
}

const bool g_sharedHooksInstalled = [] {
    TzuSharedResourceHooks hooks;
    hooks.find = [](const std::string& name) -> TzuComponent* { return TzuObject::FindResourceObject(name); };
    hooks.shared = &SharedValueOf;
    hooks.name = [](TzuComponent* holder) {
        auto* object = As<TzuObject>(holder);
        return object ? object->ResourceName() : std::string();
    };
    hooks.watch = &WatchHolder;
    SetSharedResourceHooks(hooks);
    return true;
}();

}  // namespace

}  // namespace zu
