#pragma once
// TzuTextControl is the base of the styled controls that show a text: it owns its font and
// foreground brush and hands them, with the text and its alignment, to the "text" part of
// its style (a TzuText); a "foreground" brush object in the style sets the foreground.
// Its data value is its text. Subclasses publish Text.

#include <string>

#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/graphics/font.h"
#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuText;

class TzuTextControl : public TzuControl {
    ZU_CLASS(TzuTextControl)
public:
    explicit TzuTextControl(TzuComponent* owner);
    ~TzuTextControl() override;

    const std::u16string& Text() const { return m_text; }
    virtual void SetText(const std::u16string& value);
    TzuFont* Font() const { return const_cast<TzuFont*>(&m_font); }
    void SetFont(const TzuFont& value) { m_font.Assign(value); }
    TzuTextAlign TextAlign() const { return m_textAlign; }
    void SetTextAlign(TzuTextAlign value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    TzuBrush* Foreground() const { return const_cast<TzuBrush*>(&m_foreground); }
    // The style's "text" part when it is a text shape, else the style itself when it is one.
    TzuText* TextPart() const { return m_textPart; }

    // An action's caption becomes the text.
    bool ShowsCaption() const override { return true; }
    std::u16string CaptionText() const override { return m_text; }
    void SetCaptionText(const std::u16string& value) override { SetText(value); }

    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

private:
    void FontChanged();
    void ForegroundChanged();

    std::u16string m_text;
    TzuFont m_font;
    TzuBrush m_foreground{zuBrushSolid, 0xFF000000};
    TzuText* m_textPart = nullptr;
    TzuTextAlign m_textAlign = zuTextAlignCenter;
    TzuTextAlign m_vertTextAlign = zuTextAlignCenter;
    bool m_wordWrap = false;
};

}  // namespace zu
