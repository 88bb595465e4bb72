#pragma once
// TzuForm is a top-level window component: caption, border style, background colour,
// client size and the create event, run once after the form has been loaded. Closing the
// main form (Application()->MainForm()) ends the message loop. The form owns what its
// stream creates; its child controls are laid out by Align.
//
// Usage:
//   class TMyForm : public zu::TzuForm { ... };    // publish fields, handlers
//   form->Show();                                  // makes the window and its children's
//   form->Close();                                 // hides it; ends Run for the main form

#include <string>

#include "platform/core/win_control.h"

namespace zu {

// Modal results of forms.
enum : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7
};

enum TzuFormBorderStyle : int { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
extern const TzuEnumInfo kFormBorderStyleEnum;

class TzuForm : public TzuWinControl {
    ZU_CLASS(TzuForm)
public:
    explicit TzuForm(TzuComponent* owner);
    ~TzuForm() override;

    const std::u16string& Caption() const { return m_caption; }
    void SetCaption(const std::u16string& value);
    TzuFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TzuFormBorderStyle value);
    // 0x00RRGGBB, shown where no control paints.
    uint32_t Color() const { return m_color; }
    void SetColor(uint32_t value);
    // Forms have no frame of their own here: the window manager draws it outside, so the
    // client size is the size.
    void SetClientWidth(int value) { SetWidth(value); }
    void SetClientHeight(int value) { SetHeight(value); }
    TzuNotifyEvent& OnCreate() { return m_onCreate; }

    bool IsForm() const override { return true; }
    void Show();
    void Hide() { SetVisible(false); }
    void Close();
    // Shows the form and runs a nested message loop until ModalResult is set (Escape in a
    // scene sets mrCancel, buttons set theirs) or nothing more can arrive; hides the form
    // and answers the result. Closing a modal form answers mrCancel.
    int ShowModal();
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int value) { m_modalResult = value; }
    bool Modal() const { return m_modal; }
    // Runs OnCreate; failures are shown with the error box and the form goes on. Called
    // by Loaded; forms made in code call it themselves.
    void DoCreate();

    void Loaded() override;
    void WindowCloseRequest() override { Close(); }

protected:
    std::unique_ptr<IzuWindow> MakeWindow() override;

private:
    std::u16string m_caption;
    TzuFormBorderStyle m_borderStyle = bsSizeable;
    uint32_t m_color = 0xF0F0F0;
    TzuNotifyEvent m_onCreate;
    int m_modalResult = 0;
    bool m_modal = false;
};

}  // namespace zu
