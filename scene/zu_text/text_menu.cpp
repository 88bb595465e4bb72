#include "scene/zu_text/text_menu.h"

#include <cmath>

#include "platform/core/application.h"
#include "platform/core/popup_menu.h"
#include "platform/core/win_control.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

TzuTextMenuState TextMenuState(bool hasSelection, bool readOnly, bool password, bool wholeTextSelected,
                               bool clipboardHasText) {
    TzuTextMenuState s;
    s.cut = hasSelection && !readOnly && !password;
    s.copy = hasSelection && !password;
    s.paste = clipboardHasText && !readOnly;
    s.del = hasSelection && !readOnly;
    s.selectAll = !wholeTextSelected;
    return s;
}

TzuTextMenuState TextMenuState(bool hasSelection, bool readOnly, bool password, bool wholeTextSelected) {
    // Only an editable control needs to ask the clipboard, which may mean a round trip to
    // another program.
    const bool clip = !readOnly && Application() && Application()->ClipboardHasText();
    return TextMenuState(hasSelection, readOnly, password, wholeTextSelected, clip);
}

TzuTextMenu::TzuTextMenu(Runner run)
    : m_menu(std::make_unique<TzuPopupMenu>(nullptr)), m_run(std::move(run)) {
    static constexpr struct {
        const char16_t* caption;
        TzuTextCommand command;
    } kItems[] = {{u"Cut", TzuTextCommand::Cut},
                  {u"Copy", TzuTextCommand::Copy},
                  {u"Paste", TzuTextCommand::Paste},
                  {u"Delete", TzuTextCommand::Delete},
                  {u"Select All", TzuTextCommand::SelectAll}};
    for (const auto& entry : kItems) {
        TzuMenuItem* item = m_menu->Items()->AddItem(entry.caption);
        const TzuTextCommand command = entry.command;
        item->OnClick().Set([this, command](TzuPersistent*) {
            if (m_run) m_run(command);
        });
    }
}

TzuTextMenu::~TzuTextMenu() = default;

void TzuTextMenu::Popup(TzuVisualObject* source, const TzuPoint& screen, const TzuTextMenuState& state) {
    TzuMenuItems* items = m_menu->Items();
    const bool enabled[] = {state.cut, state.copy, state.paste, state.del, state.selectAll};
    for (int i = 0; i < items->Count() && i < 5; ++i) items->Item(i)->SetEnabled(enabled[i]);
    IzuWindow* near = nullptr;
    if (source && source->Scene()) {
        if (auto* host = As<TzuWinControl>(source->Scene()->SceneControl())) near = host->Window();
    }
    m_menu->SetPopupComponent(source);
    m_menu->Popup(int(std::lround(screen.X)), int(std::lround(screen.Y)), near);
}

}  // namespace zu
