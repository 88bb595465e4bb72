#include "scene/zu_design/tab_order_editor.h"

#include "platform/core/form.h"
#include "scene/zu_controls/button.h"
#include "scene/zu_controls/label.h"
#include "scene/zu_design/design_menu.h"
#include "scene/zu_lists/list_box.h"
#include "scene/zu_lists/list_box_item.h"
#include "scene/zu_scene/tree/control.h"

namespace zu {

namespace {

// Parts are not stored: the editor makes them again whenever it is made.
template <class T>
T* Part(TzuTabOrderEditor* editor, float x, float y, float w, float h) {
    auto* part = new T(editor);
    part->SetStored(false);
    part->SetBounds(x, y, w, h);
    part->SetParent(editor);
    return part;
}

}  // namespace

const TzuClass& TzuTabOrderEditor::StaticClass() {
    static const TzuClass cls = ZuClass<TzuTabOrderEditor, TzuMessagePopup>("TzuTabOrderEditor");
    return cls;
}

TzuTabOrderEditor::TzuTabOrderEditor(TzuComponent* owner) : TzuMessagePopup(owner) {
    SetStored(false);
    SetBounds(0, 0, 260, 236);
    m_title = Part<TzuLabel>(this, 12, 8, 236, 20);
    m_title->SetText(u"TabOrder Editor");
    m_list = Part<TzuListBox>(this, 12, 32, 150, 192);
    m_up = Part<TzuButton>(this, 172, 32, 76, 24);
    m_up->SetText(u"Up");
    m_up->OnClick().Set([this](TzuPersistent*) { MoveUp(); });
    m_down = Part<TzuButton>(this, 172, 62, 76, 24);
    m_down->SetText(u"Down");
    m_down->OnClick().Set([this](TzuPersistent*) { MoveDown(); });
    m_close = Part<TzuButton>(this, 172, 200, 76, 24);
    m_close->SetText(u"Close");
    m_close->SetCancel(true);
    m_close->OnClick().Set([this](TzuPersistent*) { Close(); });
}

std::vector<TzuVisualObject*> TzuTabOrderEditor::Listed() const {
    auto* parent = m_parent ? As<TzuVisualObject>(m_parent->Get()) : nullptr;
    const auto* list = parent ? parent->TabList() : nullptr;
    return list ? *list : std::vector<TzuVisualObject*>{};
}

void TzuTabOrderEditor::Fill(int chosen) {
    m_list->BeginUpdate();
    for (int i = m_list->Count() - 1; i >= 0; --i) delete m_list->ItemByIndex(i);
    for (TzuVisualObject* control : Listed()) {
        auto* item = new TzuListBoxItem(nullptr);
        item->SetStored(false);
        item->SetText(
            Utf8ToUtf16(control->Name().empty() ? DesignClassName(control->ClassName()) : control->Name()));
        m_list->AddObject(item);
    }
    m_list->EndUpdate();
    m_list->SetItemIndex(chosen);
}

void TzuTabOrderEditor::Edit(TzuControl* control) {
    m_parent = std::make_unique<TzuObjectGuard>(control->Parent());
    IzuScene* scene = control->Scene();
    auto* root = scene ? As<TzuVisualObject>(scene->Root()) : nullptr;
    if (root && !Parent()) SetParent(root);
    Fill(control->TabOrder());
    if (!IsOpen()) Open();
}

bool TzuTabOrderEditor::Move(int step) {
    const std::vector<TzuVisualObject*> listed = Listed();
    const int from = m_list->ItemIndex();
    const int to = from + step;
    if (from < 0 || from >= int(listed.size()) || to < 0 || to >= int(listed.size())) return false;
    auto* control = As<TzuControl>(listed[size_t(from)]);
    if (!control) return false;
    control->SetTabOrder(to);
    Fill(control->TabOrder());
    if (m_onMoved) m_onMoved(this);
    return true;
}

}  // namespace zu
