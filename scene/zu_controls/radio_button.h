#pragma once
// Radio buttons: Booleans that are exclusive among the siblings sharing a group name.

#include <string>

#include "scene/zu_controls/toggle_control.h"

namespace zu {

// A radio button: checking it unchecks the siblings of its GroupName; it refuses to be
// unchecked unless another button of its group is checked. The checked member of each
// group (parent and group name) is kept in a process-wide table, so checking one of many
// siblings costs the same as checking one of two. Buttons read checked from a stream
// leave only the last one read checked.
class TzuRadioButton : public TzuToggleControl {
    ZU_CLASS(TzuRadioButton)
public:
    explicit TzuRadioButton(TzuComponent* owner);
    ~TzuRadioButton() override;
    const std::string& GroupName() const { return m_groupName; }
    void SetGroupName(const std::string& value);
    void SetIsChecked(bool value) override;
    void Loaded() override;
    void ParentChanged() override;

private:
    // The group's checked member as kept in the table, when it still is one; else null.
    TzuRadioButton* RecordedChecked() const;
    // Becomes the group's checked member, unchecking the one before it.
    void TakeCheck();
    // Leaves the table when it is the member kept there.
    void Unrecord();

    std::string m_groupName;
    TzuObject* m_recordedParent = nullptr;  // the group it is kept in the table for
    std::string m_recordedGroup;
};

class TzuHudRadioButton : public TzuRadioButton {
    ZU_CLASS(TzuHudRadioButton)
public:
    using TzuRadioButton::TzuRadioButton;
};

}  // namespace zu
