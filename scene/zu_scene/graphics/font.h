#pragma once
// TzuFont describes the text of a shape or control: family, size in pixels, style and
// whether glyphs are drawn with subpixel smoothing. Owned by whoever publishes it.

#include <string>

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "platform/core/property.h"

namespace zu {

enum TzuFontStyle : int {
    zuFontRegular,
    zuFontBold,
    zuFontItalic,
    zuFontBoldItalic,
    zuFontUnderline,
    zuFontStrikeout,
};

extern const TzuEnumInfo kFontStyleEnum;

inline constexpr float kDefaultFontSize = 11;
inline constexpr const char* kDefaultFontFamily = "Tahoma";

class TzuFont : public TzuPersistent {
    ZU_CLASS(TzuFont)
public:
    TzuFont() = default;

    float Size() const { return m_size; }
    void SetSize(float value);
    const std::string& Family() const { return m_family; }
    void SetFamily(const std::string& value);
    TzuFontStyle Style() const { return m_style; }
    void SetStyle(TzuFontStyle value);
    bool ClearType() const { return m_clearType; }
    void SetClearType(bool value);

    // Copies all four and notifies once.
    void Assign(const TzuPersistent& source) override;
    TzuNotifyEvent& OnChange() { return m_onChange; }

    bool FamilyStored() const { return m_family != kDefaultFontFamily; }

private:
    float m_size = kDefaultFontSize;
    std::string m_family = kDefaultFontFamily;
    TzuFontStyle m_style = zuFontRegular;
    bool m_clearType = true;
    TzuNotifyEvent m_onChange;
};

}  // namespace zu
