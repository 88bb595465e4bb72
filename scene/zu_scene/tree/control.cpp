#include "scene/zu_scene/tree/control.h"

#include <algorithm>
#include <cstdlib>

#include "platform/core/action.h"
#include "platform/core/load_limits.h"
#include "platform/core/property.h"
#include "scene/zu_scene/tree/control_action_link.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/resources.h"
#include "scene/zu_scene/types/translate.h"

namespace zu {

namespace {
TzuDefaultStyleLoader g_defaultStyleLoader = nullptr;
TzuObject* g_defaultStyle = nullptr;
bool g_loadingDefaultStyle = false;

// Applying one style may apply others (controls inside the style); each level must be a
// different name, so the depth stays small in any sane style.
constexpr int kMaxStyleDepth = 32;
int g_styleDepth = 0;

// Objects that applied styles hold, process-wide. Styles may use styles, each doubling
// what the one above it creates, so a few dozen bytes of style text could ask for
// millions of objects: a clone that would take the count past the limit is refused.
constexpr int64_t kMaxStyleObjects = int64_t(1) << 18;
int64_t g_styleObjects = 0;

// The objects of a style clone that the control wearing it accounts for: the clone's
// tree without the styles of controls inside it, which those controls account for.
int64_t OwnStyleObjects(TzuObject* o) {
    int64_t n = 1;
    auto* c = As<TzuControl>(o);
    for (int i = 0; i < o->ChildrenCount(); ++i) {
        TzuObject* child = o->Children(i);
        if (!c || child != c->StyleObject()) n += OwnStyleObjects(child);
    }
    return n;
}

// Takes a style clone about to be freed out of the count. A clone that gained objects
// since it was counted would take the count below zero; it stops at zero.
void ReleaseStyleObjects(TzuObject* style) {
    g_styleObjects = std::max<int64_t>(0, g_styleObjects - OwnStyleObjects(style));
}

// Every visual part of an applied style is locked: editing picks the control, not its look.
void LockParts(TzuObject* o) {
    if (o->IsVisual()) static_cast<TzuVisualObject*>(o)->SetLocked(true);
    for (int i = 0; i < o->ChildrenCount(); ++i) LockParts(o->Children(i));
}
}  // namespace

void SetDefaultStyleLoader(TzuDefaultStyleLoader loader) { g_defaultStyleLoader = loader; }

TzuObject* DefaultStyle() { return g_defaultStyle; }

TzuObject* LoadDefaultStyle() {
    if (g_defaultStyle || !g_defaultStyleLoader || g_loadingDefaultStyle) return g_defaultStyle;
    g_loadingDefaultStyle = true;
    TzuObject* root = nullptr;
    try {
        root = g_defaultStyleLoader();
    } catch (...) {
        root = nullptr;
    }
    g_loadingDefaultStyle = false;
    if (!root) return nullptr;  // the next lookup tries again
    g_defaultStyle = root;
    static const bool registered = [] { return std::atexit(&FreeDefaultStyle) == 0; }();
    (void)registered;
    return g_defaultStyle;
}

void FreeDefaultStyle() {
    TzuObject* root = g_defaultStyle;
    g_defaultStyle = nullptr;
    delete root;
}

const TzuClass& TzuControl::StaticClass() {
    using P = ZuProps<TzuControl>;
    static const TzuPropInfo props[] = {
        P::String<&TzuControl::Resource, &TzuControl::SetResource>("Resource"),
        P::Int<&TzuControl::TabOrder, &TzuControl::SetTabOrder>("TabOrder").Default(-1),
        P::Reference<&TzuControl::Action, &TzuControl::SetAction>("Action"),
    };
    static const TzuClass cls = ZuClass<TzuControl, TzuVisualObject>("TzuControl", props);
    return cls;
}

TzuControl::TzuControl(TzuComponent* owner) : TzuVisualObject(owner) { MarkStyleDue(); }

TzuControl::~TzuControl() {
    SetAction(nullptr);
    SetBindingSource(nullptr);
    if (m_clients) {
        auto clients = std::move(*m_clients);
        m_clients.reset();
        for (TzuControl* c : clients) {
            c->RemoveFreeNotification(this);
            c->m_bindingSource = nullptr;
        }
    }
    // The style object goes with the children; nothing may reach it through this field.
    if (m_styleObject) ReleaseStyleObjects(m_styleObject);
    m_styleObject = nullptr;
}

// ---- Style cycle ----

void TzuControl::SetResource(const std::string& value) {
    m_resource = value;
    m_styleLookup = true;
    MarkStyleDue();
    if (!IsLoading()) ApplyStyleLookup();
}

void TzuControl::SetResourceWhenShown(const std::string& value) {
    m_resource = value;
    RestyleWhenShown();
}

void TzuControl::RestyleWhenShown() {
    m_styleLookup = true;
    MarkStyleDue();
}

void TzuControl::UpdateStyle() {
    if (IsLoading() || IsDestroying()) return;
    TzuVisualObject::UpdateStyle();
    m_styleLookup = true;
    MarkStyleDue();
    ApplyStyleLookup();
}

void TzuControl::BeforePaint() {
    TzuVisualObject::BeforePaint();
    ApplyStyleLookup();
}

void TzuControl::EnterFocus() {
    ApplyStyleLookup();
    TzuVisualObject::EnterFocus();
}

std::string TzuControl::ClassStyleName(const TzuClass& cls) {
    const std::string_view name = cls.name ? cls.name : "";
    return std::string(name.size() > 3 ? name.substr(3) : std::string_view()) + "style";
}

void TzuControl::ApplyStyleLookup() {
    TzuVisualObject::ApplyStyleLookup();
    if (!m_styleLookup || IsDestroying()) return;
    if (m_inLookup) {
        // Asked again while its style is being applied: it stays due for the next walk.
        MarkStyleDue();
        return;
    }
    m_styleLookup = false;
    if (g_styleDepth >= kMaxStyleDepth) return;
    m_inLookup = true;
    ++g_styleDepth;
    IzuScene* scene = Scene();
    bool updatingSet = false;
    bool wasUpdating = false;
    TzuVisualObject* s = nullptr;
    auto finish = [&] {
        if (s) ReleaseStyleObjects(s);
        delete s;
        if (updatingSet) scene->SetUpdating(wasUpdating);
        --g_styleDepth;
        m_inLookup = false;
    };
    try {
        s = LoadStyle();
        if (s) {
            // Freeing the old style below clears the name the new one was found under.
            const std::string styleName = m_styleName;
            if (s->IsLoading()) {
                std::vector<TzuObject*> all{s};
                s->CollectObjects(all);
                for (TzuObject* o : all) {
                    if (o->IsLoading()) o->Loaded();
                }
            }
            if (IsLoading() && scene) {
                wasUpdating = scene->IsUpdating();
                scene->SetUpdating(true);
                updatingSet = true;
            }
            if (m_styleObject) {
                FreeStyle();
                TzuVisualObject* old = m_styleObject;
                m_styleObject = nullptr;
                m_styleName.clear();
                ReleaseStyleObjects(old);
                delete old;
            }
            m_styleName = styleName;
            s->SetAlign(vaContents);
            s->SetDesignHide(false);
            m_styleObject = s;
            AddObject(s);
            s = nullptr;  // now a child: freed with the control
            m_styleObject->SetIndex(0);
            m_styleObject->SetStored(false);
            LockParts(m_styleObject);
            ApplyStyle();
        }
    } catch (const EzuLimitError&) {
        // Too many objects is an error of the input, reported where it was asked for.
        finish();
        throw;
    } catch (...) {
        // A style that cannot be cloned or bound leaves the control as far as it got.
    }
    finish();
    InvalidateEffects();
}

void TzuControl::ApplyStyle() {
    if (IsFocused() && CanFocus()) {
        InvalidateUpdateRect();
        Repaint();
        StartTriggerAnimation(this, "IsFocused");
        ApplyTriggerEffect(this, "IsFocused");
    }
    if (m_autoTranslate && ShowHint() && !Hint().empty()) {
        std::u16string translated = Translate(Hint());
        if (!IsSceneDesigning()) SetHint(translated);
    }
}

TzuObject* TzuControl::FindResource(std::string_view name) {
    if (!m_styleObject) return TzuVisualObject::FindResource(name);
    if (TzuObject* found = m_styleObject->FindResource(name)) return found;
    return FindResourceOutside(name, m_styleObject);
}

bool TzuControl::StyleWouldRecurse(TzuObject* found, const std::string& name) const {
    // A style that is this control or holds it would clone itself into itself.
    for (const TzuObject* o = this; o; o = o->Parent()) {
        if (o == found) return true;
    }
    // A control inside a style asking for that same style again would nest without end.
    const TzuObject* below = this;
    for (const TzuObject* o = Parent(); o; below = o, o = o->Parent()) {
        auto* c = As<TzuControl>(const_cast<TzuObject*>(o));
        if (c && c->m_styleObject == below && SameText(c->m_styleName, name)) return true;
    }
    return false;
}

TzuVisualObject* TzuControl::CloneStyle(TzuObject* found, const std::string& name) {
    if (!found || !found->IsVisual() || StyleWouldRecurse(found, name)) return nullptr;
    const int64_t count = OwnStyleObjects(found);
    if (count > kMaxStyleObjects - g_styleObjects) {
        throw EzuLimitError("style " + name + " would take the objects of applied styles past " +
                            std::to_string(kMaxStyleObjects));
    }
    TzuObject* copy = CloneObject(found, this);
    auto* v = As<TzuVisualObject>(copy);
    if (!v) {
        delete copy;
        return nullptr;
    }
    // Counted until the control frees it; a clone not taken in the end is freed through
    // ReleaseStyleObjects by ApplyStyleLookup as well.
    g_styleObjects += OwnStyleObjects(v);
    v->SetResourceName(std::string());
    m_styleName = name;
    return v;
}

TzuVisualObject* TzuControl::LoadStyle() {
    IzuScene* scene = Scene();
    TzuResources* resources = scene ? scene->Style() : nullptr;
    TzuObject* sceneRoot = resources ? resources->StyleRoot() : nullptr;

    // The control's own Resource: the scene's style, the default style, any stored object.
    if (!m_resource.empty()) {
        TzuObject* found = sceneRoot ? sceneRoot->FindResource(m_resource) : nullptr;
        if (!found && DefaultStyle()) found = DefaultStyle()->FindResource(m_resource);
        if (!found) found = FindResourceObject(m_resource);
        if (found && found->IsVisual()) {
            if (StyleWouldRecurse(found, m_resource)) return nullptr;
            if (TzuVisualObject* v = CloneStyle(found, m_resource)) return v;
        }
    }
    const std::string classStyle = ClassStyleName(ClassType());
    if (sceneRoot) {
        TzuObject* found = nullptr;
        std::string name;
        if (!m_resource.empty()) found = sceneRoot->FindResource(name = m_resource);
        if (!found) found = sceneRoot->FindResource(name = classStyle);
        if (found) return CloneStyle(found, name);
    }
    TzuObject* def = LoadDefaultStyle();
    if (def) {
        TzuObject* found = nullptr;
        std::string name;
        if (!m_resource.empty()) found = def->FindResource(name = m_resource);
        if (!found) found = def->FindResource(name = classStyle);
        if (!found && ClassType().parent)
            found = def->FindResource(name = ClassStyleName(*ClassType().parent));
        if (found) return CloneStyle(found, name);
    }
    return nullptr;
}

// ---- Tab order ----

int TzuControl::TabOrder() const {
    auto* parent = As<TzuVisualObject>(Parent());
    const auto* list = parent ? parent->TabList() : nullptr;
    if (!list) return -1;
    auto it = std::find(list->begin(), list->end(), this);
    return it == list->end() ? -1 : static_cast<int>(it - list->begin());
}

void TzuControl::SetTabOrder(int value) {
    if (IsLoading()) {
        SetStoredTabOrder(value);
        return;
    }
    if (auto* parent = As<TzuVisualObject>(Parent())) parent->MoveInTabList(this, value);
}

void TzuControl::Loaded() {
    TzuVisualObject::Loaded();
    IzuScene* scene = Scene();
    // The scene's focus change runs EnterFocus; a scene that only records the focus
    // leaves it to the control.
    if (scene && scene->ActiveControl() == this && CanFocus()) {
        scene->SetFocused(this);
        if (!IsFocused()) EnterFocus();
    }
}

// ---- Data binding ----

void TzuControl::SetBindingSource(TzuControl* source) {
    if (source == m_bindingSource || source == this) return;
    if (m_bindingSource) m_bindingSource->RemoveClient(this);
    m_bindingSource = source;
    if (m_bindingSource) m_bindingSource->AddClient(this);
}

void TzuControl::AddClient(TzuControl* client) {
    if (!m_clients) m_clients = std::make_unique<std::vector<TzuControl*>>();
    if (std::find(m_clients->begin(), m_clients->end(), client) == m_clients->end()) {
        m_clients->push_back(client);
        client->FreeNotification(this);
    }
    PushBindingValue();
}

void TzuControl::RemoveClient(TzuControl* client) {
    if (!m_clients) return;
    std::erase(*m_clients, client);
    client->RemoveFreeNotification(this);
}

void TzuControl::PushBindingValue() {
    if (!m_clients || m_clients->empty()) return;
    const TzuVariant value = GetData();
    // A client may unbind itself while it takes the value; work on a copy.
    const std::vector<TzuControl*> clients = *m_clients;
    for (TzuControl* c : clients) c->SetData(value);
}

void TzuControl::Notification(TzuComponent* component, TzuOperation operation) {
    TzuVisualObject::Notification(component, operation);
    if (operation != TzuOperation::opRemove || !component) return;
    if (component == static_cast<TzuComponent*>(m_bindingSource)) m_bindingSource = nullptr;
    // A freed action has already emptied its links.
    if (m_actionLink && (!Action() || component == static_cast<TzuComponent*>(Action()))) SetAction(nullptr);
    if (m_clients) {
        std::erase_if(*m_clients,
                      [component](TzuControl* c) { return static_cast<TzuComponent*>(c) == component; });
    }
}

}  // namespace zu
