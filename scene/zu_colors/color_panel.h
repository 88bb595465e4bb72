#pragma once
// TzuColorPanel is the library's own colour dialog: a popup holding a hue strip, a
// saturation-luminance square, a swatch, an alpha track, a "#AARRGGBB" text box and OK
// and Cancel buttons. Unlike the platform's chooser it keeps the colour's alpha. The
// panel owns its controls; whoever creates it frees it.
//
// Usage:
//   if (auto chosen = zu::ExecuteColorPanel(0x80336699, button)) use(*chosen);

#include <optional>
#include <string>

#include "scene/zu_scene/host/message_popup.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

class TzuButton;
class TzuColorBox;
class TzuColorPicker;
class TzuColorQuad;
class TzuTextBox;
class TzuTrack;

// Parses "#AARRGGBB", or "#RRGGBB" as an opaque colour; blanks around it are allowed.
// Anything else (other lengths, names, stray characters) is refused.
std::optional<TzuColor> ParseHexColor(std::u16string_view text);

class TzuColorPanel : public TzuMessagePopup {
    ZU_CLASS(TzuColorPanel)
public:
    explicit TzuColorPanel(TzuComponent* owner);

    TzuColor Color() const { return m_color; }
    // Shows color in every part.
    void SetColor(TzuColor color);
    // Takes the text as the colour when it parses; refused text is put back to the
    // current colour and the answer is false.
    bool SetHexText(std::u16string_view text);

    // Shows the panel modally (under near when given) until OK, Cancel or Escape: the
    // chosen colour, or nothing when cancelled.
    std::optional<TzuColor> Execute(TzuVisualObject* near = nullptr);

    TzuColorPicker* Picker() const { return m_picker; }
    TzuColorQuad* Quad() const { return m_quad; }
    TzuColorBox* Box() const { return m_box; }
    TzuTrack* AlphaTrack() const { return m_alpha; }
    TzuTextBox* HexBox() const { return m_hex; }
    TzuButton* OkButton() const { return m_ok; }
    TzuButton* CancelButton() const { return m_cancel; }

private:
    // The parts answer each other; while one shows a colour set from outside they keep
    // still.
    void QuadChanged();
    void AlphaChanged();
    void ShowText();

    TzuColor m_color = 0xFF000000;
    bool m_updating = false;
    TzuColorPicker* m_picker = nullptr;
    TzuColorQuad* m_quad = nullptr;
    TzuColorBox* m_box = nullptr;
    TzuTrack* m_alpha = nullptr;
    TzuTextBox* m_hex = nullptr;
    TzuButton* m_ok = nullptr;
    TzuButton* m_cancel = nullptr;
};

// Asks for a colour with the library's own panel, placed under near (may be null): the
// choice with its alpha, or nothing when cancelled. The counterpart of TzuColorDialog,
// which uses the platform's chooser and gives opaque colours only.
std::optional<TzuColor> ExecuteColorPanel(TzuColor initial, TzuVisualObject* near = nullptr);

}  // namespace zu
