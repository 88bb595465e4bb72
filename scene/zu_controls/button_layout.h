#pragma once
// Where a button's glyph (bitmap or path) sits beside its text, and the one placement step
// the bitmap and path buttons share: the glyph part is aligned to a side of the button at
// its size, the text part takes the rest.

#include "platform/core/property.h"

namespace zu {

class TzuVisualObject;

enum TzuButtonLayout : int { zuGlyphLeft, zuGlyphRight, zuGlyphTop, zuGlyphBottom, zuGlyphCenter };
extern const TzuEnumInfo kButtonLayoutEnum;

struct TzuGlyphPlacement {
    TzuButtonLayout layout = zuGlyphLeft;
    float size = 32;    // width beside the text, height above or below it
    float spacing = 0;  // between the glyph and the text
    float padding = 2;  // around the glyph and around the text
};

// Places glyph (when there is one) and text (when there is one) as placement says, in a
// button of the given height. An empty glyph is left out of the layout so the text has the
// whole button. A glyph above or below a caption is made smaller than its size when the
// button is too low for both, so the caption keeps its line (a tool bar's buttons are).
void PlaceGlyph(TzuVisualObject* glyph, TzuVisualObject* text, bool glyphEmpty,
                const TzuGlyphPlacement& placement, float buttonHeight);

// The glyph height that leaves a caption of that font size its line in the button.
float GlyphHeightBesideCaption(const TzuGlyphPlacement& placement, float buttonHeight, float fontSize);

}  // namespace zu
