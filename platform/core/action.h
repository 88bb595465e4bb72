#pragma once
// TzuAction is a non-visual command shared by several controls and menu items: one caption,
// enabled, visible and checked state, hint and image index, and the handler that runs the
// command. Its owner frees it. Clients attach through a TzuActionLink, which the action
// tells about every change; the link decides what reaches its client.
//
// Usage:
//   auto* save = new zu::TzuAction(form);
//   save->SetCaption(u"Save");
//   save->OnExecute().Set([](zu::TzuPersistent*) { ... });
//   button->SetAction(save);          // the button shows "Save" and runs it when clicked
//   save->SetEnabled(false);          // every linked control follows

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "platform/core/event.h"

namespace zu {

class TzuActionLink;
class TzuCustomImageList;

class TzuAction : public TzuComponent {
    ZU_CLASS(TzuAction)
public:
    explicit TzuAction(TzuComponent* owner);
    ~TzuAction() override;

    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(const std::u16string& value);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    bool Checked() const { return m_checked; }
    void SetChecked(bool value);
    const std::u16string& Hint() const { return m_hint; }
    void SetHint(const std::u16string& value);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    // The list ImageIndex picks from; the action lets go of it when the list is freed.
    TzuCustomImageList* ImageList() const { return m_imageList; }
    void SetImageList(TzuCustomImageList* value);

    TzuNotifyEvent& OnExecute() { return m_onExecute; }
    const TzuNotifyEvent& OnExecute() const { return m_onExecute; }
    TzuNotifyEvent& OnUpdate() { return m_onUpdate; }
    // Fired after every change, once per setter that changed something.
    TzuNotifyEvent& OnChange() { return m_onChange; }

    // Updates the state first; runs OnExecute when the action is then enabled and has a
    // handler. True when the handler ran.
    bool Execute();
    // Lets OnUpdate refresh the state (enabled, checked, caption); true when it is assigned.
    bool Update();

    int LinkCount() const { return static_cast<int>(m_links.size()); }
    void Loaded() override;

protected:
    void Notification(TzuComponent* component, TzuOperation operation) override;

private:
    friend class TzuActionLink;
    // Tells every link (and OnChange) that the action changed.
    void Change();
    template <class F>
    void ForEachLink(F&& fn);

    std::u16string m_caption;
    std::u16string m_hint;
    std::vector<TzuActionLink*> m_links;
    TzuCustomImageList* m_imageList = nullptr;
    TzuNotifyEvent m_onExecute;
    TzuNotifyEvent m_onUpdate;
    TzuNotifyEvent m_onChange;
    int m_imageIndex = -1;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_checked = false;
};

// TzuActionLink ties one client (a control, a menu item) to an action. The link is owned
// by its client; the action only keeps a list of its links. A property change reaches the
// client through the Set... hooks only while that property is linked, i.e. while the
// client still shows the action's old value, and every change ends with OnChange.
class TzuActionLink {
public:
    TzuActionLink() = default;
    virtual ~TzuActionLink();
    TzuActionLink(const TzuActionLink&) = delete;
    TzuActionLink& operator=(const TzuActionLink&) = delete;

    TzuAction* Action() const { return m_action; }
    void SetAction(TzuAction* action);
    // Runs the action; false without one or when it did not run.
    bool Execute();
    bool Update();
    // Called after every change of the linked action.
    std::function<void(TzuAction*)> OnChange;

    // Whether the client's value still equals the action's (it follows the action).
    virtual bool IsCaptionLinked() const { return m_action != nullptr; }
    virtual bool IsEnabledLinked() const { return m_action != nullptr; }
    virtual bool IsVisibleLinked() const { return m_action != nullptr; }
    virtual bool IsCheckedLinked() const { return m_action != nullptr; }
    virtual bool IsHintLinked() const { return m_action != nullptr; }
    virtual bool IsImageIndexLinked() const { return m_action != nullptr; }
    virtual bool IsOnExecuteLinked() const { return m_action != nullptr; }

    // Hand a new value to the client; each runs only while its property is linked.
    virtual void SetCaption(const std::u16string& /*value*/) {}
    virtual void SetEnabled(bool /*value*/) {}
    virtual void SetVisible(bool /*value*/) {}
    virtual void SetChecked(bool /*value*/) {}
    virtual void SetHint(const std::u16string& /*value*/) {}
    virtual void SetImageIndex(int /*value*/) {}

private:
    friend class TzuAction;
    TzuAction* m_action = nullptr;
};

}  // namespace zu
