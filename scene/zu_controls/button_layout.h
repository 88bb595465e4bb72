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

// Places glyph (when there is one) and text (when there is one) as placement says. An
// empty glyph is left out of the layout so the text has the whole button.
void PlaceGlyph(TzuVisualObject* glyph, TzuVisualObject* text, bool glyphEmpty,
                const TzuGlyphPlacement& placement);

}  // namespace zu
