#include "scene/zu_controls/button_layout.h"

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {
const char* const kButtonLayoutNames[] = {"zuGlyphLeft", "zuGlyphRight", "zuGlyphTop", "zuGlyphBottom",
                                          "zuGlyphCenter"};
}  // namespace

const TzuEnumInfo kButtonLayoutEnum{"TzuButtonLayout", kButtonLayoutNames, 5};

void PlaceGlyph(TzuVisualObject* glyph, TzuVisualObject* text, bool glyphEmpty, const TzuGlyphPlacement& p) {
    const float pad = p.padding;
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
                    glyph->SetHeight(p.size);
                    padding->SetBottom(p.spacing);
                    break;
                case zuGlyphBottom:
                    glyph->SetAlign(vaBottom);
                    glyph->SetHeight(p.size);
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
