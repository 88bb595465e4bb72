#pragma once
// TzuControl is a visual object whose look comes from a style: a tree of shapes, texts,
// effects and animations found by name (its Resource, else the class's own style name) in
// the scene's style resource or the default style, cloned and put under the control as
// its first, unstored, locked child. The control owns that clone and frees it on restyle.
// Controls also take part in tab order among their visual siblings and can mirror the
// data value of another control (binding source and clients), and follow an action
// through the action link they own.

#include <memory>
#include <string>
#include <vector>

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuAction;
class TzuControlActionLink;

class TzuControl : public TzuVisualObject {
    ZU_CLASS(TzuControl)
public:
    explicit TzuControl(TzuComponent* owner);
    ~TzuControl() override;

    const std::string& Resource() const { return m_resource; }
    // Restyles even when the name is unchanged, so a control can ask for its style again.
    void SetResource(const std::string& value);
    // Names the style without applying it: it is applied when the control is first painted
    // or focused. Many controls of which few show (the rows of a long list) stay cheap.
    void SetResourceWhenShown(const std::string& value);
    // Asks for the style again at the next paint or focus, not now.
    void RestyleWhenShown();
    // Position among the parent's tab-ordered children; -1 without a parent.
    int TabOrder() const;
    void SetTabOrder(int value);
    bool IsControl() const override { return true; }
    // Controls keep their style parts to themselves.
    void SetData(const TzuVariant&) override {}
    void Loaded() override;

    // ---- Style cycle ----
    // The applied style clone (also the first child), or null.
    TzuVisualObject* StyleObject() const { return m_styleObject; }
    bool StyleLookupNeeded() const { return m_styleLookup; }
    void ApplyStyleLookup() override;
    void UpdateStyle() override;
    // Parts of the style first, then the control's own children.
    TzuObject* FindResource(std::string_view name) override;
    void BeforePaint() override;
    void EnterFocus() override;
    // The style name derived from a class name: "TzuButton" gives "Buttonstyle".
    static std::string ClassStyleName(const TzuClass& cls);
    bool AutoTranslate() const { return m_autoTranslate; }
    void SetAutoTranslate(bool value) { m_autoTranslate = value; }

    // ---- Data binding ----
    TzuControl* BindingSource() const { return m_bindingSource; }
    void SetBindingSource(TzuControl* source);
    int BindingClientCount() const { return m_clients ? static_cast<int>(m_clients->size()) : 0; }
    // Pushes this control's data value to every control bound to it.
    void PushBindingValue();
    void Notification(TzuComponent* component, TzuOperation operation) override;

    // ---- Action link ----
    // The linked action (streamed by name), or null. Linking takes over the action's
    // caption, enabled and visible state, hint and execute handler.
    TzuAction* Action() const;
    void SetAction(TzuAction* action);
    virtual TzuAction* GetAction() const { return Action(); }
    TzuControlActionLink* ActionLink() const { return m_actionLink.get(); }
    // Takes the action's state. With checkDefaults (an action still being loaded), values
    // the control already has on its own are kept.
    virtual void ActionChange(TzuAction* action, bool checkDefaults);
    // Lets the linked action update its state (its OnUpdate); the periodic action update
    // calls it on every linked control in a scene.
    virtual void InitiateAction();
    // The text an action's caption reaches. Controls that show a caption (text controls)
    // override all three; the others have none.
    virtual bool ShowsCaption() const { return false; }
    virtual std::u16string CaptionText() const { return {}; }
    virtual void SetCaptionText(const std::u16string& /*value*/) {}
    // OnClick when it is the control's own handler, else the linked action.
    void Click() override;

protected:
    // Run after a style has been applied; styled controls bind their parts here.
    virtual void ApplyStyle();
    // Run before the style object is freed; controls drop references to its parts.
    virtual void FreeStyle() {}
    // A clone of the style this control should wear, owned by the control, or null.
    virtual TzuVisualObject* LoadStyle();

private:
    TzuVisualObject* CloneStyle(TzuObject* found, const std::string& name);
    bool StyleWouldRecurse(TzuObject* found, const std::string& name) const;
    void AddClient(TzuControl* client);
    void RemoveClient(TzuControl* client);

    std::string m_resource;
    std::string m_styleName;  // the name the applied style was found under
    TzuVisualObject* m_styleObject = nullptr;
    std::unique_ptr<std::vector<TzuControl*>> m_clients;
    std::unique_ptr<TzuControlActionLink> m_actionLink;
    TzuControl* m_bindingSource = nullptr;
    bool m_styleLookup = true;
    bool m_autoTranslate = false;
    bool m_inLookup = false;
};

// The default style root, shared by the whole library: read once on the first lookup
// that falls through to it, retried after a failed read, freed at shutdown. The loader is
// installed by the library target that carries the style stream; without one there is no
// default style.
using TzuDefaultStyleLoader = TzuObject* (*)();
void SetDefaultStyleLoader(TzuDefaultStyleLoader loader);
// The loaded default style root, or null when it has not been read (yet).
TzuObject* DefaultStyle();
// Reads the default style when it is not there yet; the root or null.
TzuObject* LoadDefaultStyle();
void FreeDefaultStyle();

// Runs InitiateAction on every control with an action that is in a scene; when a scene is
// given, only on those of that scene. While any control has an action, the application
// object runs it every kActionUpdateInterval milliseconds.
void UpdateActionLinks(const IzuScene* scene = nullptr);
inline constexpr unsigned kActionUpdateInterval = 100;

}  // namespace zu
