#include "scene/zu_scene/graphics/font.h"

namespace zu {

namespace {
const char* const kFontStyleNames[] = {"zuFontRegular",    "zuFontBold",      "zuFontItalic",
                                       "zuFontBoldItalic", "zuFontUnderline", "zuFontStrikeout"};
}  // namespace

const TzuEnumInfo kFontStyleEnum{"TzuFontStyle", kFontStyleNames, 6};

const TzuClass& TzuFont::StaticClass() {
    using P = ZuProps<TzuFont>;
    static const TzuPropInfo props[] = {
        P::Bool<&TzuFont::ClearType, &TzuFont::SetClearType>("ClearType").Default(1),
        P::String<&TzuFont::Family, &TzuFont::SetFamily>("Family").StoredIf<&TzuFont::FamilyStored>(),
        P::Float<&TzuFont::Size, &TzuFont::SetSize>("Size").Default(kDefaultFontSize),
        P::Enum<&TzuFont::Style, &TzuFont::SetStyle>("Style", kFontStyleEnum).Default(zuFontRegular),
    };
    static const TzuClass cls = ZuClass<TzuFont, TzuPersistent>("TzuFont", props);
    return cls;
}

void TzuFont::SetSize(float value) {
    if (value == m_size) return;
    m_size = value;
    m_onChange(this);
}

void TzuFont::SetFamily(const std::string& value) {
    if (value == m_family) return;
    m_family = value;
    m_onChange(this);
}

void TzuFont::SetStyle(TzuFontStyle value) {
    if (value == m_style) return;
    m_style = value;
    m_onChange(this);
}

void TzuFont::SetClearType(bool value) {
    if (value == m_clearType) return;
    m_clearType = value;
    m_onChange(this);
}

void TzuFont::Assign(const TzuPersistent& source) {
    const auto* src = As<TzuFont>(&source);
    if (!src) {
        TzuPersistent::Assign(source);
        return;
    }
    m_family = src->m_family;
    m_size = src->m_size;
    m_style = src->m_style;
    m_clearType = src->m_clearType;
    m_onChange(this);
}

}  // namespace zu
