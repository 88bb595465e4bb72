#include "scene/zu_controls/group_box.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuGroupBox::StaticClass() {
    using P = ZuProps<TzuGroupBox>;
    using C = TzuGroupBox;
    static const TzuPropInfo props[] = {
        P::Object<&C::Font>("Font"),
        P::Enum<&C::TextAlign, &C::SetTextAlign>("TextAlign", kTextAlignEnum).Default(zuTextAlignCenter),
        P::WString<&C::Text, &C::SetText>("Text"),
        P::Bool<&C::AutoTranslate, &C::SetAutoTranslate>("AutoTranslate").Default(1),
    };
    static const TzuClass cls = ZuClass<TzuGroupBox, TzuTextControl>("TzuGroupBox", props);
    return cls;
}

const TzuClass& TzuHudGroupBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudGroupBox, TzuGroupBox>("TzuHudGroupBox");
    return cls;
}

TzuGroupBox::TzuGroupBox(TzuComponent* owner) : TzuTextControl(owner) {
    SetBounds(0, 0, 120, 100);
    SetAutoTranslate(true);
    SetCanFocus(false);
}

}  // namespace zu
