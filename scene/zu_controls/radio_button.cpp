#include "scene/zu_controls/radio_button.h"

#include <functional>
#include <unordered_map>

#include "platform/core/property.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
// A group: the parent and the group name in lower case (names match in any letter case).
struct GroupKey {
    const TzuObject* parent;
    std::string group;
    bool operator==(const GroupKey&) const = default;
};

struct GroupKeyHash {
    size_t operator()(const GroupKey& k) const {
        return std::hash<const void*>()(k.parent) ^ (std::hash<std::string>()(k.group) * 31);
    }
};

// The checked member of every group that has one. A button leaves it when it is unchecked,
// moves to another group or is freed, so every entry is a live, checked member.
std::unordered_map<GroupKey, TzuRadioButton*, GroupKeyHash>& CheckedMembers() {
    static auto* table = new std::unordered_map<GroupKey, TzuRadioButton*, GroupKeyHash>();
    return *table;
}

std::string LowerAscii(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return s;
}
}  // namespace

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

TzuRadioButton::~TzuRadioButton() { Unrecord(); }

void TzuRadioButton::SetGroupName(const std::string& value) {
    if (value == m_groupName) return;
    Unrecord();
    m_groupName = value;
    // A checked button joining a group takes the check, as the last one read does.
    if (IsChecked() && !IsLoading() && Parent()) TakeCheck();
}

void TzuRadioButton::ParentChanged() {
    TzuToggleControl::ParentChanged();
    Unrecord();
    if (IsChecked() && !IsLoading() && Parent() && !IsDestroying()) TakeCheck();
}

void TzuRadioButton::Loaded() {
    TzuToggleControl::Loaded();
    // Buttons finish loading in the order they were read: the last checked one keeps it.
    if (IsChecked() && Parent()) TakeCheck();
}

TzuRadioButton* TzuRadioButton::RecordedChecked() const {
    TzuObject* parent = Parent();
    if (!parent) return nullptr;
    const auto& table = CheckedMembers();
    const auto it = table.find(GroupKey{parent, LowerAscii(m_groupName)});
    if (it == table.end()) return nullptr;
    TzuRadioButton* r = it->second;
    const bool member = r->Parent() == parent && SameText(r->m_groupName, m_groupName) && r->IsChecked();
    return member ? r : nullptr;
}

void TzuRadioButton::Unrecord() {
    if (!m_recordedParent) return;
    auto& table = CheckedMembers();
    const auto it = table.find(GroupKey{m_recordedParent, m_recordedGroup});
    if (it != table.end() && it->second == this) table.erase(it);
    m_recordedParent = nullptr;
    m_recordedGroup.clear();
}

void TzuRadioButton::TakeCheck() {
    TzuObject* parent = Parent();
    if (!parent) return;
    TzuRadioButton* previous = RecordedChecked();
    if (previous == this) return;
    Unrecord();
    GroupKey key{parent, LowerAscii(m_groupName)};
    m_recordedParent = parent;
    m_recordedGroup = key.group;
    CheckedMembers()[std::move(key)] = this;
    if (previous) {
        previous->Unrecord();
        previous->StoreChecked(false);
    }
}

void TzuRadioButton::SetIsChecked(bool value) {
    if (value == IsChecked()) return;
    // While loading there are no complete sibling groups to keep exclusive yet; Loaded
    // settles them.
    if (IsLoading()) {
        StoreChecked(value);
        return;
    }
    if (!value) {
        // Unchecking only makes sense when another button of the group holds the check.
        TzuRadioButton* holder = RecordedChecked();
        if (!holder || holder == this) return;
        StoreChecked(false);
        return;
    }
    TzuObjectGuard guard(this);
    // Checked before the one it replaces is unchecked, so that one's handlers already see
    // the group's new member.
    SetCheckedField(true);
    TakeCheck();
    if (!guard.Alive()) return;
    SetCheckedField(false);
    StoreChecked(true);
}

}  // namespace zu
