#pragma once
// Radio buttons: Booleans that are exclusive among the siblings sharing a group name.

#include <string>

#include "scene/zu_controls/toggle_control.h"

namespace zu {

// A radio button: checking it unchecks the siblings of its GroupName; it refuses to be
// unchecked unless another button of its group is checked.
class TzuRadioButton : public TzuToggleControl {
    ZU_CLASS(TzuRadioButton)
public:
    explicit TzuRadioButton(TzuComponent* owner);
    const std::string& GroupName() const { return m_groupName; }
    void SetGroupName(const std::string& value) { m_groupName = value; }
    void SetIsChecked(bool value) override;

private:
    std::string m_groupName;
};

class TzuHudRadioButton : public TzuRadioButton {
    ZU_CLASS(TzuHudRadioButton)
public:
    using TzuRadioButton::TzuRadioButton;
};

}  // namespace zu
