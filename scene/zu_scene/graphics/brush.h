#pragma once
// TzuBrush says how an area or a stroke is painted: not at all, with a solid colour, a
// gradient, a bitmap, a shared brush named by resource, or the live rendering of another
// object. It owns its gradient, visual, resource and bitmap parts and reports every
// effective change of itself or of them through OnChange. Its holder decides its defaults
// (style and colour), which are also what it is not streamed at.
//
// Most brushes of a scene stay solid or empty for their whole life, so the parts are made
// on first use of their getter: a part nobody asked for is in its default state, which is
// exactly what a new part would hold, so making it later cannot be observed.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "platform/core/property.h"
#include "scene/zu_scene/graphics/brush_bitmap.h"
#include "scene/zu_scene/graphics/brush_resource.h"
#include "scene/zu_scene/graphics/gradient.h"
#include "scene/zu_scene/graphics/visual.h"
#include "scene/zu_scene/types/colour.h"

namespace zu {

enum TzuBrushStyle : int {
    zuBrushNone,
    zuBrushSolid,
    zuBrushGradient,
    zuBrushBitmap,
    zuBrushResource,
    zuBrushVisual,
};

// A set of brush styles: bit n stands for style n (editors restrict the offered styles).
using TzuBrushStyles = uint32_t;
constexpr TzuBrushStyles BrushStyleBit(TzuBrushStyle s) { return TzuBrushStyles(1) << s; }
inline constexpr TzuBrushStyles kAllBrushStyles = 0x3F;

extern const TzuEnumInfo kBrushStyleEnum;

class TzuBrush : public TzuPersistent {
    ZU_CLASS(TzuBrush)
public:
    explicit TzuBrush(TzuBrushStyle defaultStyle = zuBrushSolid, TzuColor defaultColor = 0xFF000000);
    ~TzuBrush() override;

    TzuColor Color() const { return m_color; }
    // Also recolours the first gradient point while the style is gradient.
    void SetColor(TzuColor value);
    // The published "Color": colour text.
    std::string ColorText() const { return ColorToText(m_color); }
    void SetColorText(const std::string& text) { SetColor(TextToColor(text)); }
    TzuBrushStyle Style() const { return static_cast<TzuBrushStyle>(m_style); }
    void SetStyle(TzuBrushStyle value);

    // Each getter makes its part on first use; never null.
    TzuGradient* Gradient() const;
    TzuVisual* Visual() const;
    TzuBrushResource* Resource() const;
    TzuBrushBitmap* Bitmap() const;
    void SetGradient(const TzuGradient& value) { Gradient()->Assign(value); }
    void SetVisual(const TzuVisual& value) { Visual()->Assign(value); }
    void SetResource(const TzuBrushResource& value) { Resource()->Assign(value); }
    void SetBitmap(const TzuBrushBitmap& value) { Bitmap()->Assign(value); }
    // Whether a part has been made yet; asking does not make it.
    bool HasGradient() const { return m_gradient != nullptr; }
    bool HasVisual() const { return m_visual != nullptr; }
    bool HasResource() const { return m_resource != nullptr; }
    bool HasBitmap() const { return m_bitmap != nullptr; }

    TzuBrushStyle DefaultStyle() const { return static_cast<TzuBrushStyle>(m_defaultStyle); }
    TzuColor DefaultColor() const { return m_defaultColor; }

    // The colour the brush stands for: a resource brush's shared brush's, else its own.
    TzuColor SolidColor() const;
    // The shared brush a resource brush stands for; null for other styles or when the
    // name resolves to nothing.
    TzuBrush* ResourceBrush() const;

    // Copies defaults, colour (the source's SolidColor), style and the part the source's
    // style uses; notifies once.
    void Assign(const TzuPersistent& source) override;
    TzuNotifyEvent& OnChange() { return m_onChange; }

    // Stored rules of the published properties.
    // They look at the style only, so checking them makes no part.
    bool ColorStored() const { return m_style == zuBrushSolid && m_color != m_defaultColor; }
    bool StyleStored() const { return m_style != m_defaultStyle; }
    bool GradientStored() const { return m_style == zuBrushGradient; }
    bool BitmapStored() const { return m_style == zuBrushBitmap; }
    bool ResourceStored() const { return m_style == zuBrushResource; }
    bool VisualStored() const { return m_style == zuBrushVisual; }

private:
    void Changed();
    template <class T>
    T* Part(std::unique_ptr<T>& part) const;
    template <class T>
    void AssignPart(std::unique_ptr<T>& part, const std::unique_ptr<T>& source);

    TzuNotifyEvent m_onChange;
    // Made by the getters, which may be called on a const brush.
    mutable std::unique_ptr<TzuGradient> m_gradient;
    mutable std::unique_ptr<TzuVisual> m_visual;
    mutable std::unique_ptr<TzuBrushResource> m_resource;
    mutable std::unique_ptr<TzuBrushBitmap> m_bitmap;
    TzuColor m_color;
    TzuColor m_defaultColor;
    // Styles are held in a byte each so that a brush packs into fewer words; every
    // TzuBrushStyle value fits.
    uint8_t m_style;
    uint8_t m_defaultStyle;
    uint16_t m_updating = 0;  // Assign batches its changes into one notification
};

}  // namespace zu
