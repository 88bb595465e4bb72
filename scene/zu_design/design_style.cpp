// The style commands of the design menu: the default style is handed to the designer's
// style editor as it is; a custom style is copied into the scene's own resources first.

#include <memory>

#include "scene/zu_design/design_menu.h"
#include "scene/zu_scene/host/design_hook.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/resources.h"

namespace zu {

namespace {

// The stored controls at and below object that wear a style, outside any style part.
void StyledControls(TzuObject* object, std::vector<TzuControl*>& list) {
    if (!object->Stored()) return;
    auto* control = As<TzuControl>(object);
    if (control && control->StyleObject()) list.push_back(control);
    for (int i = 0; i < object->ChildrenCount(); ++i) {
        TzuObject* child = object->Children(i);
        if (!control || child != control->StyleObject()) StyledControls(child, list);
    }
}

// base + "Style", with a number when the root already has a style of that name.
std::string FreeStyleName(TzuObject* root, const std::string& base) {
    std::string name = base + "Style";
    for (int n = 1; root->FindResource(name); ++n) name = base + "Style" + std::to_string(n);
    return name;
}

}  // namespace

bool TzuDesignMenu::EditDefaultStyle() {
    auto* control = As<TzuControl>(m_scene.DesignSelection());
    IzuDesignHook* hook = DesignHook();
    if (!control || !hook) return false;
    const std::string name =
        control->Resource().empty() ? TzuControl::ClassStyleName(control->ClassType()) : control->Resource();
    hook->EditStyle(m_scene, m_scene.Style(), name);
    return true;
}

bool TzuDesignMenu::EditCustomStyle() {
    auto* control = As<TzuControl>(m_scene.DesignSelection());
    if (!control) return false;
    TzuResources* resources = m_scene.Style();
    if (!resources) {
        resources = new TzuResources(m_scene.Owner() ? m_scene.Owner() : &m_scene);
        const std::string name = NewName(TzuResources::StaticClass().name);
        if (!name.empty()) resources->SetName(name);
        resources->SetResourceText("object TzuBackground\nend\n");
        m_scene.SetStyle(resources);
    }
    // The styles go into a copy of the style root that becomes the resources' new text, so
    // the scenes wearing it restyle once, from what a saved file will hold.
    std::unique_ptr<TzuObject> root;
    if (resources->StyleRoot()) root.reset(CloneObject(resources->StyleRoot(), nullptr));
    if (!root) root = std::make_unique<TzuBackground>(nullptr);
    std::vector<TzuControl*> controls;
    StyledControls(control, controls);
    std::vector<std::pair<TzuControl*, std::string>> named;
    for (TzuControl* c : controls) {
        TzuObject* copy = CloneObject(c->StyleObject(), nullptr);
        if (!copy) continue;
        const std::string base = c->Name().empty() ? DesignClassName(c->ClassName()) : c->Name();
        const std::string name = FreeStyleName(root.get(), base);
        copy->SetStored(true);
        copy->SetResourceName(name);
        copy->SetParent(root.get());
        named.emplace_back(c, name);
    }
    std::string text;
    SaveObjectToText(root.get(), text);
    resources->SetResourceText(text);
    for (auto& [c, name] : named) c->SetResource(name);
    const std::string styleName = named.empty() ? std::string() : named.front().second;
    if (IzuDesignHook* hook = DesignHook()) hook->EditStyle(m_scene, resources, styleName);
    RepaintAll();
    StepDone();
    return true;
}

}  // namespace zu
