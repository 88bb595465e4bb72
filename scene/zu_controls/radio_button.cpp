#include "scene/zu_controls/radio_button.h"

#include <vector>

#include "platform/core/property.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

const TzuClass& TzuRadioButton::StaticClass() {
    using P = ZuProps<TzuRadioButton>;
    static const TzuPropInfo props[] = {
        P::String<&TzuRadioButton::GroupName, &TzuRadioButton::SetGroupName>("GroupName"),
    };
    static const TzuClass cls = ZuClass<TzuRadioButton, TzuToggleControl>("TzuRadioButton", props);
    return cls;
}

const TzuClass& TzuHudRadioButton::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudRadioButton, TzuRadioButton>("TzuHudRadioButton");
    return cls;
}

TzuRadioButton::TzuRadioButton(TzuComponent* owner) : TzuToggleControl(owner) {}

void TzuRadioButton::SetIsChecked(bool value) {
    if (value == IsChecked()) return;
    // While loading there are no complete sibling groups to keep exclusive yet.
    if (IsLoading()) {
        StoreChecked(value);
        return;
    }
    std::vector<TzuRadioButton*> group;
    if (TzuObject* parent = Parent()) {
        for (int i = 0; i < parent->ChildrenCount(); ++i) {
            auto* other = As<TzuRadioButton>(parent->Children(i));
            if (other && other != this && SameText(other->m_groupName, m_groupName)) group.push_back(other);
        }
    }
    if (!value) {
        // Unchecking only makes sense when another button of the group holds the check.
        bool otherChecked = false;
        for (TzuRadioButton* other : group) otherChecked = otherChecked || other->IsChecked();
        if (!otherChecked) return;
        StoreChecked(false);
        return;
    }
    TzuObjectGuard guard(this);
    SetCheckedField(true);
    for (TzuRadioButton* other : group) {
        // A handler of an earlier sibling may have freed later ones.
        TzuObjectGuard otherGuard(other);
        bool stillSibling = false;
        if (TzuObject* parent = Parent()) {
            for (int i = 0; i < parent->ChildrenCount() && !stillSibling; ++i)
                stillSibling = parent->Children(i) == other;
        }
        if (stillSibling) other->SetIsChecked(false);
        if (!guard.Alive()) return;
    }
    SetCheckedField(false);
    StoreChecked(true);
}

}  // namespace zu
