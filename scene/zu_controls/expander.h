#pragma once
// TzuExpander is a captioned panel that folds its content away: its style's "button"
// part (a TzuExpanderButton) toggles IsExpanded, and an optional "checkbox" part switches
// the content's Enabled state. Children given to the expander go into its content, a
// TzuContent it owns; the content's height streams as "ContentSize". It keeps weak
// references to the button and check box parts of its style.
// TzuExpanderButton is the unfocusable button the style uses as its header.

#include "scene/zu_controls/custom_button.h"
#include "scene/zu_controls/text_control.h"

namespace zu {

class TzuCheckBox;
class TzuContent;

class TzuExpanderButton : public TzuCustomButton {
    ZU_CLASS(TzuExpanderButton)
public:
    explicit TzuExpanderButton(TzuComponent* owner);
};

class TzuExpander : public TzuTextControl {
    ZU_CLASS(TzuExpander)
public:
    explicit TzuExpander(TzuComponent* owner);
    ~TzuExpander() override;

    bool IsExpanded() const { return m_isExpanded; }
    void SetIsExpanded(bool value);
    bool IsChecked() const { return m_isChecked; }
    void SetIsChecked(bool value);
    bool ShowCheck() const { return m_showCheck; }
    void SetShowCheck(bool value);
    TzuNotifyEvent& OnCheckChange() { return m_onCheckChange; }
    TzuContent* Content() const { return m_content; }
    TzuCustomButton* ButtonPart() const { return m_button; }
    TzuCheckBox* CheckBoxPart() const { return m_checkBox; }

    // Visual children other than the content and the style go into the content.
    void AddObject(TzuObject* child) override;
    void Realign() override;
    void DblClick() override;
    void Loaded() override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

    // The "ContentSize" stream property: the content's height as value text.
    void ReadContentSize(const TzuStreamValue& v);
    TzuStreamValue WriteContentSize() const;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;

private:
    // Where the content starts: below the button part, else at the content's top padding.
    float HeaderHeight() const;
    void AnnounceExpanded();
    void CheckBoxChanged();

    TzuContent* m_content = nullptr;
    TzuCustomButton* m_button = nullptr;
    TzuCheckBox* m_checkBox = nullptr;
    bool m_isExpanded = true;
    bool m_isChecked = true;
    bool m_showCheck = false;
    bool m_inRealign = false;
    TzuNotifyEvent m_onCheckChange;
};

}  // namespace zu
