#pragma once
// TzuText shows a UTF-16 text in its box with its Fill and Font: aligned, optionally
// wrapped, sizing itself to the text (AutoSize) or stretching the text to fill the box
// (Stretch). It owns its font.

#include <string>
#include <string_view>

#include "platform/core/utf.h"
#include "scene/zu_objects/shape.h"
#include "scene/zu_scene/graphics/font.h"

namespace zu {

class TzuText : public TzuShape {
    ZU_CLASS(TzuText)
public:
    explicit TzuText(TzuComponent* owner);

    const std::u16string& Text() const { return m_text; }
    void SetText(const std::u16string& value);
    // The same from UTF-8 (a string literal, a std::string); broken sequences show as U+FFFD.
    void SetText(std::string_view utf8) { SetText(Utf8ToUtf16(utf8)); }
    TzuFont* Font() const { return const_cast<TzuFont*>(&m_font); }
    void SetFont(const TzuFont& font);
    TzuTextAlign VertTextAlign() const { return m_vertTextAlign; }
    void SetVertTextAlign(TzuTextAlign value);
    TzuTextAlign HorzTextAlign() const { return m_horzTextAlign; }
    void SetHorzTextAlign(TzuTextAlign value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);

    // Resizes the object to its text (AutoSize).
    void AdjustSize();
    void Realign() override;
    TzuVariant GetData() override { return m_text; }
    void SetData(const TzuVariant& value) override { SetText(VariantToWide(value)); }

protected:
    virtual void FontChanged();
    void Paint() override;

private:
    std::u16string m_text;
    TzuFont m_font;
    TzuTextAlign m_vertTextAlign = zuTextAlignCenter;
    TzuTextAlign m_horzTextAlign = zuTextAlignCenter;
    bool m_wordWrap = true;
    bool m_autoSize = false;
    bool m_stretch = false;
    bool m_adjusting = false;
};

}  // namespace zu
