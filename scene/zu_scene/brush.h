#pragma once
// TzuBrush says how an area or a stroke is painted: not at all, with a solid colour, a
// gradient, a bitmap, a shared brush named by resource, or the live rendering of another
// object. It owns its gradient, visual, resource and bitmap parts and reports every
// effective change of itself or of them through OnChange. Its holder decides its defaults
// (style and colour), which are also what it is not streamed at.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "platform/core/property.h"
#include "scene/zu_scene/brush_bitmap.h"
#include "scene/zu_scene/brush_resource.h"
#include "scene/zu_scene/colour.h"
#include "scene/zu_scene/gradient.h"
#include "scene/zu_scene/visual.h"

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
    TzuBrushStyle Style() const { return m_style; }
    void SetStyle(TzuBrushStyle value);

    TzuGradient* Gradient() const { return m_gradient.get(); }
    TzuVisual* Visual() const { return m_visual.get(); }
    TzuBrushResource* Resource() const { return m_resource.get(); }
    TzuBrushBitmap* Bitmap() const { return m_bitmap.get(); }
    void SetGradient(const TzuGradient& value) { m_gradient->Assign(value); }
    void SetVisual(const TzuVisual& value) { m_visual->Assign(value); }
    void SetResource(const TzuBrushResource& value) { m_resource->Assign(value); }
    void SetBitmap(const TzuBrushBitmap& value) { m_bitmap->Assign(value); }

    TzuBrushStyle DefaultStyle() const { return m_defaultStyle; }
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
    bool ColorStored() const { return m_style == zuBrushSolid && m_color != m_defaultColor; }
    bool StyleStored() const { return m_style != m_defaultStyle; }
    bool GradientStored() const { return m_style == zuBrushGradient; }
    bool BitmapStored() const { return m_style == zuBrushBitmap; }
    bool ResourceStored() const { return m_style == zuBrushResource; }
    bool VisualStored() const { return m_style == zuBrushVisual; }

private:
    void Changed();

    TzuColor m_color;
    TzuBrushStyle m_style;
    TzuNotifyEvent m_onChange;
    std::unique_ptr<TzuGradient> m_gradient;
    std::unique_ptr<TzuVisual> m_visual;
    TzuBrushStyle m_defaultStyle;
    TzuColor m_defaultColor;
    std::unique_ptr<TzuBrushResource> m_resource;
    std::unique_ptr<TzuBrushBitmap> m_bitmap;
    int m_updating = 0;  // Assign batches its changes into one notification
};

}  // namespace zu
