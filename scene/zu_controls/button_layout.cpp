#include "scene/zu_controls/button_layout.h"

#include <algorithm>
#include <cmath>

#include "scene/zu_objects/text.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {
const char* const kButtonLayoutNames[] = {"zuGlyphLeft", "zuGlyphRight", "zuGlyphTop", "zuGlyphBottom",
                                          "zuGlyphCenter"};
}  // namespace

const TzuEnumInfo kButtonLayoutEnum{"TzuButtonLayout", kButtonLayoutNames, 5};

float GlyphHeightBesideCaption(const TzuGlyphPlacement& p, float buttonHeight, float fontSize) {
    // The caption's line is its font size with the usual leading, inside the text padding;
    // the glyph keeps its own padding on the far side and the spacing towards the caption.
    const float line = std::ceil(fontSize * 1.25f) + 2 * p.padding;
    const float room = buttonHeight - line - p.padding - p.spacing;
    return std::clamp(room, 0.0f, p.size);
}

void PlaceGlyph(TzuVisualObject* glyph, TzuVisualObject* text, bool glyphEmpty, const TzuGlyphPlacement& p,
                float buttonHeight) {
    const float pad = p.padding;
    // Above or below a caption the glyph shares the height with it.
    float stackedHeight = p.size;
    auto* caption = As<TzuText>(text);
    if (caption && !caption->Text().empty())
        stackedHeight = GlyphHeightBesideCaption(p, buttonHeight, caption->Font()->Size());
    if (glyph) {
        TzuBounds* padding = glyph->Padding();
        padding->SetRect(TzuRect{pad, pad, pad, pad});
        if (glyphEmpty) {
            glyph->SetAlign(vaNone);
        } else {
            switch (p.layout) {
                case zuGlyphLeft:
                    glyph->SetAlign(vaLeft);
                    glyph->SetWidth(p.size);
                    padding->SetRight(p.spacing);
                    break;
                case zuGlyphRight:
                    glyph->SetAlign(vaRight);
                    glyph->SetWidth(p.size);
                    padding->SetLeft(p.spacing);
                    break;
                case zuGlyphTop:
                    glyph->SetAlign(vaTop);
                    glyph->SetHeight(stackedHeight);
                    padding->SetBottom(p.spacing);
                    break;
                case zuGlyphBottom:
                    glyph->SetAlign(vaBottom);
                    glyph->SetHeight(stackedHeight);
                    padding->SetTop(p.spacing);
                    break;
                case zuGlyphCenter:
                    glyph->SetAlign(vaCenter);
                    glyph->SetWidth(p.size);
                    glyph->SetHeight(p.size);
                    padding->SetRect(TzuRect{p.spacing, p.spacing, p.spacing, p.spacing});
                    break;
            }
        }
    }
    if (text) text->Padding()->SetRect(TzuRect{pad, pad, pad, pad});
}

}  // namespace zu
