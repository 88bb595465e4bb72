#pragma once
// TzuBlurCache keeps the blurred picture of a blur shape between paints: built on the
// first paint, rebuilt when the shape's size or look changed, drawn as it is otherwise.
// It owns its bitmap.

#include <functional>
#include <memory>

#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/canvas.h"

namespace zu {

class TzuBlurCache {
public:
    void Invalidate() { m_stale = true; }
    bool Stale() const { return m_stale; }
    // Draws the picture of a width x height shape blurred with radius into cv. drawFigure
    // paints the sharp figure, inset by the radius, on the picture's own canvas.
    void Paint(TzuCanvas& cv, float width, float height, int radius, float opacity,
               const std::function<void(TzuCanvas&, const TzuRect&)>& drawFigure);
    TzuBitmap* Bitmap() const { return m_bitmap.get(); }

private:
    std::unique_ptr<TzuBitmap> m_bitmap;
    bool m_stale = true;
    int m_scale = 1;  // the device scale the picture was made for
};

// The blur radius of a softness value.
inline int BlurRadius(float softness) { return static_cast<int>(softness * 15); }

}  // namespace zu
