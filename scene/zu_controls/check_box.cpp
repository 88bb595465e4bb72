#include "scene/zu_controls/check_box.h"

#include "platform/core/property.h"
#include "scene/zu_objects/path.h"

namespace zu {

namespace {
// A check mark, drawn stretched into the style's mark box.
constexpr const char* kCheckMark =
    "M 341.236,311.738 L 309.372,342.676 L 291.667,325.488 L 291.667,304.863 L 309.372,321.997 L "
    "341.236,291.113 Z";
}  // namespace

const TzuClass& TzuCheckBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuCheckBox, TzuToggleControl>("TzuCheckBox");
    return cls;
}

const TzuClass& TzuHudCheckBox::StaticClass() {
    static const TzuClass cls = ZuClass<TzuHudCheckBox, TzuCheckBox>("TzuHudCheckBox");
    return cls;
}

const TzuClass& TzuPathCheckBox::StaticClass() {
    using P = ZuProps<TzuPathCheckBox>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuPathCheckBox::Path>("Path"),
    };
    static const TzuClass cls = ZuClass<TzuPathCheckBox, TzuCheckBox>("TzuPathCheckBox", props);
    return cls;
}

TzuCheckBox::TzuCheckBox(TzuComponent* owner) : TzuToggleControl(owner) {}

TzuPathCheckBox::TzuPathCheckBox(TzuComponent* owner) : TzuCheckBox(owner) {
    m_path.SetData(kCheckMark);
    m_path.OnChange().Set([this](TzuPersistent*) {
        if (!IsLoading() && !IsDestroying()) UpdateStyle();
    });
}

void TzuPathCheckBox::ApplyStyle() {
    TzuCheckBox::ApplyStyle();
    if (auto* mark = As<TzuPath>(FindResource("checkmark"))) mark->SetData(m_path);
}

}  // namespace zu
