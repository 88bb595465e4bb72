#include "platform/core/form.h"

#include "platform/core/application.h"
#include "platform/core/utf.h"

namespace zu {

namespace {
const char* const kBorderNames[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                    "bsDialog", "bsToolWindow", "bsSizeToolWin"};
}

const TzuEnumInfo kFormBorderStyleEnum{"TFormBorderStyle", kBorderNames, 6};

const TzuClass& TzuForm::StaticClass() {
    using P = ZuProps<TzuForm>;
    static const TzuPropInfo props[] = {
        P::Enum<&TzuForm::BorderStyle, &TzuForm::SetBorderStyle>("BorderStyle", kFormBorderStyleEnum)
            .Default(bsSizeable),
        P::WString<&TzuForm::Caption, &TzuForm::SetCaption>("Caption"),
        P::Int<&TzuForm::ClientWidth, &TzuForm::SetClientWidth>("ClientWidth").NotStored(),
        P::Int<&TzuForm::ClientHeight, &TzuForm::SetClientHeight>("ClientHeight").NotStored(),
        P::Event<&TzuForm::OnCreate>("OnCreate"),
    };
    static const TzuClass cls = ZuClass<TzuForm, TzuWinControl>("TzuForm", props);
    return cls;
}

TzuForm::TzuForm(TzuComponent* owner) : TzuWinControl(owner) {
    // A form stays hidden until shown.
    SetVisible(false);
}

TzuForm::~TzuForm() {
    if (Application() && Application()->MainForm() == this) Application()->SetMainForm(nullptr);
}

void TzuForm::SetCaption(const std::u16string& value) {
    if (value == m_caption) return;
    m_caption = value;
    if (Window()) Window()->SetCaption(Utf16ToUtf8(m_caption));
}

void TzuForm::SetBorderStyle(TzuFormBorderStyle value) {
    if (value == m_borderStyle) return;
    m_borderStyle = value;
    if (Window()) Window()->SetBorderless(m_borderStyle == bsNone);
}

void TzuForm::SetColor(uint32_t value) {
    value &= 0xFFFFFF;
    if (value == m_color) return;
    m_color = value;
    if (Window()) Window()->SetBackgroundColor(0xFF000000u | m_color);
}

std::unique_ptr<IzuWindow> TzuForm::MakeWindow() {
    TzuApplication* app = Application();
    if (!app) return nullptr;
    auto window = app->CreateFormWindow(*this);
    window->SetCaption(Utf16ToUtf8(m_caption));
    window->SetBorderless(m_borderStyle == bsNone);
    window->SetBackgroundColor(0xFF000000u | m_color);
    return window;
}

void TzuForm::Show() {
    HandleNeeded();
    SetVisible(true);
}

void TzuForm::Close() {
    if (m_modal) {
        // A modal form only ends its loop; ShowModal hides it.
        if (m_modalResult == mrNone) m_modalResult = mrCancel;
        return;
    }
    Hide();
    TzuApplication* app = Application();
    if (app && app->MainForm() == this) app->Terminate();
}

int TzuForm::ShowModal() {
    TzuApplication* app = Application();
    if (m_modal) throw EzuError("Cannot make a visible window modal");
    m_modalResult = mrNone;
    m_modal = true;
    struct Reset {
        TzuForm* form;
        ~Reset() {
            form->m_modal = false;
            form->Hide();
        }
    } reset{this};
    Show();
    while (m_modalResult == mrNone && app && !app->Terminated()) {
        if (!app->WaitMessage()) break;
    }
    return m_modalResult;
}

void TzuForm::DoCreate() {
    try {
        if (m_onCreate) m_onCreate(this);
    } catch (...) {
        HandleCurrentException();
    }
}

void TzuForm::Loaded() {
    TzuWinControl::Loaded();
    DoCreate();
}

}  // namespace zu
