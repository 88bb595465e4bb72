#include "platform/core/color_dialog.h"

#include "platform/core/application.h"
#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuColorDialog::StaticClass() {
    using P = ZuProps<TzuColorDialog>;
    static const TzuPropInfo props[] = {
        P::Int<&TzuColorDialog::Color, &TzuColorDialog::SetColor>("Color").Default(double(0xFF000000)),
        P::String<&TzuColorDialog::Title, &TzuColorDialog::SetTitle>("Title"),
    };
    static const TzuClass cls = ZuClass<TzuColorDialog, TzuComponent>("TzuColorDialog", props);
    return cls;
}

TzuColorDialog::TzuColorDialog(TzuComponent* owner) : TzuComponent(owner) {}

bool TzuColorDialog::Execute(IzuWindow* near) {
    TzuApplication* app = Application();
    if (!app) return false;
    const std::optional<uint32_t> chosen = app->ChooseColor(near, m_color, m_title);
    if (!chosen) return false;
    m_color = *chosen | 0xFF000000u;
    return true;
}

}  // namespace zu
