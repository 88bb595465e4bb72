#include "scene/zu_lists/combo_box.h"

#include <algorithm>

#include "platform/core/class_registry.h"
#include "platform/core/clock.h"
#include "platform/core/property.h"
#include "platform/core/variant.h"
#include "platform/core/window.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/tree/object_guard.h"

namespace zu {

namespace {
// A press on the box just after an outside press closed the list must not open it again.
constexpr int64_t kReopenGuardMs = 250;
}  // namespace

// ---- TzuComboListBox ----

const TzuClass& TzuComboListBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuComboListBox, TzuListBox>("TzuComboListBox");
    return cls;
}

TzuComboListBox::TzuComboListBox(TzuComponent* owner) : TzuListBox(owner) {
    SetCanFocus(false);
    SetShowCheckboxes(false);
}

void TzuComboListBox::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuListBox::MouseUp(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || !m_combo) return;
    TzuListBoxItem* item = ItemAtPoint(x, y);
    if (item) m_combo->ChooseFromList(IndexOf(item));
}

// ---- TzuComboBox ----

const TzuClass& TzuComboBox::StaticClass() {
    using P = ZuProps<TzuComboBox>;
    using C = TzuComboBox;
    static const TzuPropInfo props[] = {
        P::Int<&C::ItemIndex, &C::SetItemIndex>("ItemIndex").Default(-1),
        P::Int<&C::DropDownCount, &C::SetDropDownCount>("DropDownCount").Default(8),
        P::Enum<&C::Placement, &C::SetPlacement>("Placement", kPlacementEnum).Default(zuPlacementBottom),
        P::Event<&C::OnChange>("OnChange"),
        P::Event<&C::OnDropDown>("OnDropDown"),
        P::Event<&C::OnCloseUp>("OnCloseUp"),
        P::Bool<&C::CanFocused, &C::SetCanFocused>("CanFocused").Default(1),
        P::Bool<&C::IsOpen>("IsOpen").NotStored(),
    };
    static const TzuClass cls = ZuClass<TzuComboBox, TzuControl>("TzuComboBox", props);
    return cls;
}

TzuComboBox::TzuComboBox(TzuComponent* owner) : TzuControl(owner) {
    SetBounds(0, 0, 100, 23);
    SetCanFocus(true);
    // A press that opens the list keeps the pointer, so the release can choose in it.
    SetAutoCapture(true);
    m_popup = new TzuPopup(this);
    m_popup->SetStored(false);
    m_popup->SetLocked(true);
    m_popup->SetDesignHide(true);
    m_popup->SetVisible(false);
    m_popup->SetStaysOpen(false);
    m_popup->SetPlacementTarget(this);
    m_popup->SetBounds(0, 0, 100, 100);
    TzuObject::AddObject(m_popup);
    m_popup->FreeNotification(this);
    m_popup->OnOpenChange().Set([this](TzuPersistent*) { PopupStateChanged(); });
    m_list = new TzuComboListBox(this);
    m_list->SetStored(false);
    m_list->SetLocked(true);
    m_list->SetAlign(vaClient);
    m_list->SetComboBox(this);
    m_popup->AddObject(m_list);
    m_list->FreeNotification(this);
}

TzuComboBox::~TzuComboBox() {
    if (m_popup) {
        m_popup->OnOpenChange().Clear();
        m_popup->RemoveFreeNotification(this);
    }
    if (m_list) {
        m_list->SetComboBox(nullptr);
        m_list->RemoveFreeNotification(this);
    }
    if (m_contentPart) m_contentPart->SetPainter(nullptr);
    m_contentPart = nullptr;
}

void TzuComboBox::Notification(TzuComponent* component, TzuOperation operation) {
    TzuControl::Notification(component, operation);
    if (operation != TzuOperation::opRemove) return;
    if (component == m_popup) m_popup = nullptr;
    if (component == m_list) m_list = nullptr;
    if (component == m_contentPart) m_contentPart = nullptr;
}

int TzuComboBox::ItemIndex() const {
    if (!m_list) return -1;
    const int i = m_list->ItemIndex();
    return i >= 0 && i < m_list->Count() ? i : -1;
}

void TzuComboBox::SetItemIndex(int value) {
    if (IsLoading()) {
        if (m_list) m_list->SetItemIndex(value);
        return;
    }
    Choose(value);
}

bool TzuComboBox::IsOpen() const { return m_popup && m_popup->IsOpen(); }

void TzuComboBox::Choose(int index) {
    if (!m_list) return;
    if (Count() == 0) return;
    index = std::clamp(index, -1, Count() - 1);
    const int before = ItemIndex();
    TzuObjectGuard guard(this);
    if (index < 0) {
        m_list->ClearSelection();
        if (!guard.Alive()) return;
    }
    m_list->SetItemIndex(index);
    if (!guard.Alive()) return;
    m_chosen = ItemIndex();
    if (m_chosen != before) {
        PushBindingValue();
        if (!guard.Alive()) return;
        if (m_onChange) m_onChange(this);
        if (!guard.Alive()) return;
    }
    Repaint();
}

void TzuComboBox::ChooseFromList(int index) {
    TzuObjectGuard guard(this);
    if (m_list && index >= 0) {
        m_list->SetItemIndex(index);
        if (!guard.Alive()) return;
        if (ItemIndex() != m_chosen) {
            m_chosen = ItemIndex();
            PushBindingValue();
            if (!guard.Alive()) return;
            if (m_onChange) m_onChange(this);
            if (!guard.Alive()) return;
        }
    }
    CloseUp();
    if (guard.Alive()) Repaint();
}

void TzuComboBox::DropDown() {
    if (!m_popup || !m_list) return;
    if (m_popup->IsOpen()) {
        CloseUp();
        return;
    }
    if (Count() == 0 || IsSceneDesigning()) return;
    m_chosen = ItemIndex();
    m_popup->SetPlacement(m_placement);
    m_popup->SetWidth(Width());
    // DropDownCount rows; when the items are fewer, as tall as they are with the list's
    // frame, so that no scroll bar shows for a list that fits.
    const float rowHeight = m_list->ItemHeight() > 0 ? m_list->ItemHeight() : Height() - 4;
    float height = float(m_dropDownCount) * rowHeight;
    if (Count() < m_dropDownCount) {
        m_list->ApplyStyleLookup();
        TzuVisualObject* vp = m_list->Viewport();
        const float frame = vp ? std::max(0.0f, m_list->Height() - vp->Height()) : 0;
        height = float(Count()) * rowHeight + frame;
    }
    m_popup->SetHeight(std::max(1.0f, height));
    TzuObjectGuard guard(this);
    m_popup->Open();
    if (!guard.Alive() || !m_list) return;
    m_list->Realign();
    if (TzuListBoxItem* item = m_list->Selected()) m_list->ScrollToItem(item);
}

void TzuComboBox::CloseUp() {
    if (!m_popup || !m_popup->IsOpen()) return;
    m_closingSelf = true;
    TzuObjectGuard guard(this);
    m_popup->Close();
    if (guard.Alive()) m_closingSelf = false;
}

void TzuComboBox::PopupStateChanged() {
    const bool open = IsOpen();
    if (!open) {
        // Dismissed by a press outside: that press may be the one on the box itself.
        if (!m_closingSelf) m_closedAt = TickCount();
        // A press in the list that was not released over an item chose nothing.
        if (m_list && m_chosen >= 0 && m_list->ItemIndex() != m_chosen) m_list->SetItemIndex(m_chosen);
    }
    TzuObjectGuard guard(this);
    AnnounceState("IsOpen");
    if (!guard.Alive()) return;
    Repaint();
    TzuNotifyEvent& event = open ? m_onDropDown : m_onCloseUp;
    if (event) event(this);
}

// ---- Items ----

void TzuComboBox::AddObject(TzuObject* child) {
    if (m_list && As<TzuListBoxItem>(child)) {
        m_list->AddObject(child);
        return;
    }
    TzuControl::AddObject(child);
}

void TzuComboBox::GetChildren(const std::function<void(TzuComponent*)>& proc, TzuComponent* root) {
    // The items are written as the combo box's own: the popup and list are made again.
    if (m_list)
        for (int i = 0; i < m_list->Count(); ++i)
            if (TzuListBoxItem* item = m_list->ItemByIndex(i); item && item->Stored()) proc(item);
    TzuControl::GetChildren(proc, root);
}

void TzuComboBox::Loaded() {
    TzuControl::Loaded();
    m_chosen = ItemIndex();
}

void TzuComboBox::SetWidth(float value) {
    TzuControl::SetWidth(value);
    if (m_popup) m_popup->SetWidth(value);
}

// ---- Style and painting ----

void TzuComboBox::ApplyStyle() {
    TzuControl::ApplyStyle();
    if (m_contentPart) {
        m_contentPart->SetPainter(nullptr);
        m_contentPart->RemoveFreeNotification(this);
    }
    m_contentPart = nullptr;
    // Found by name without regard to case, as style names are.
    if (auto* content = As<TzuContent>(FindResource("content"))) {
        m_contentPart = content;
        // The pointer belongs to the box, not to the picture of its item.
        content->SetHitTest(false);
        content->FreeNotification(this);
        content->SetPainter(this);
    }
    AnnounceState("IsOpen");
}

void TzuComboBox::FreeStyle() {
    if (m_contentPart) {
        m_contentPart->SetPainter(nullptr);
        m_contentPart->RemoveFreeNotification(this);
    }
    m_contentPart = nullptr;
    TzuControl::FreeStyle();
}

void TzuComboBox::PaintContent(TzuContent& content) {
    if (!m_list) return;
    TzuListBoxItem* item = m_list->Selected();
    TzuCanvas* canvas = content.Canvas();
    if (!item || !canvas || ItemIndex() < 0) return;
    m_list->PaintItemInto(item, canvas, content);
}

// ---- Input ----

void TzuComboBox::MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseDown(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || IsSceneDesigning()) return;
    if (!IsOpen() && TickCount() - m_closedAt < kReopenGuardMs) return;
    DropDown();
}

void TzuComboBox::MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) {
    TzuObjectGuard guard(this);
    TzuControl::MouseUp(button, shift, x, y);
    if (!guard.Alive() || button != mbLeft || !IsOpen() || !m_list) return;
    // Pressed on the box, dragged into the open list and released there: the pointer
    // stayed with the box, so the point is carried over through the screen.
    IzuScene* own = Scene();
    IzuScene* listScene = m_list->Scene();
    if (!own || !listScene) return;
    const TzuPoint screen = own->LocalToScreen(LocalToAbsolute({x, y}));
    const TzuPoint origin = listScene->LocalToScreen(m_list->LocalToAbsolute({0, 0}));
    const TzuPoint at{screen.X - origin.X, screen.Y - origin.Y};
    if (at.X < 0 || at.Y < 0 || at.X >= m_list->Width() || at.Y >= m_list->Height()) return;
    TzuListBoxItem* item = m_list->ItemAtPoint(at.X, at.Y);
    if (item)
        ChooseFromList(m_list->IndexOf(item));
    else
        CloseUp();
}

void TzuComboBox::MouseWheel(TzuShiftState shift, int wheelDelta, bool& handled) {
    TzuObjectGuard guard(this);
    TzuControl::MouseWheel(shift, wheelDelta, handled);
    if (!guard.Alive() || handled || Count() == 0 || wheelDelta == 0) return;
    const int at = ItemIndex();
    Choose(wheelDelta < 0 ? std::min(Count() - 1, at + 1) : std::max(0, at - 1));
    handled = true;
}

void TzuComboBox::KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) {
    TzuObjectGuard guard(this);
    TzuControl::KeyDown(key, keyChar, shift);
    if (!guard.Alive() || Count() == 0) return;
    const int last = Count() - 1;
    const int at = ItemIndex();
    if ((key == keys::Down && (shift & ssAlt)) || key == keys::F1 + 3) {
        key = 0;
        DropDown();
        return;
    }
    if ((key == keys::Enter || key == keys::Escape) && IsOpen()) {
        key = 0;
        CloseUp();
        return;
    }
    int target = -2;
    switch (key) {
        case keys::Home: target = 0; break;
        case keys::End: target = last; break;
        case keys::Left:
        case keys::Up: target = std::max(0, at - 1); break;
        case keys::Right:
        case keys::Down: target = std::min(last, at + 1); break;
        default: break;
    }
    if (target != -2) {
        key = 0;
        Choose(target);
        return;
    }
    if (key == 0 && !IsOpen() && m_list->TakesTypeAhead(keyChar, shift)) {
        const int found = m_list->TypeAheadFrom(keyChar);
        keyChar = 0;
        if (found >= 0) Choose(found);
    }
}

TzuVariant TzuComboBox::GetData() { return int64_t(ItemIndex()); }

void TzuComboBox::SetData(const TzuVariant& value) {
    if (const auto* text = std::get_if<std::string>(&value); text && text->starts_with("zumet")) {
        DataTextToMethod(*text, m_onChange);
        return;
    }
    Choose(int(std::clamp<int64_t>(VariantToInt(value), -1, std::max(Count() - 1, -1))));
}

// ---- Kinds ----

const TzuClass& TzuHudComboBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudComboBox, TzuComboBox>("TzuHudComboBox");
    return cls;
}

TzuHudComboBox::TzuHudComboBox(TzuComponent* owner) : TzuComboBox(owner) {
    if (ListBox()) ListBox()->SetResourceWhenShown("hudcombolistboxstyle");
}

}  // namespace zu
