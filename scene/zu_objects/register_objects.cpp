#include "scene/zu_objects/register_objects.h"

#include "scene/zu_objects/arc.h"
#include "scene/zu_objects/blur_rectangle.h"
#include "scene/zu_objects/blur_round_rect.h"
#include "scene/zu_objects/circle.h"
#include "scene/zu_objects/design_frame.h"
#include "scene/zu_objects/ellipse.h"
#include "scene/zu_objects/image.h"
#include "scene/zu_objects/line.h"
#include "scene/zu_objects/paint_box.h"
#include "scene/zu_objects/path.h"
#include "scene/zu_objects/pie.h"
#include "scene/zu_objects/rectangle.h"
#include "scene/zu_objects/round_rect.h"
#include "scene/zu_objects/selection.h"
#include "scene/zu_objects/selection_point.h"
#include "scene/zu_objects/sides_rectangle.h"
#include "scene/zu_objects/text.h"
#include "scene/zu_scene/tree/object.h"

namespace zu {

void RegisterObjectClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    RegisterObjects("Shapes",
                    {&TzuLine::StaticClass(), &TzuRectangle::StaticClass(), &TzuSidesRectangle::StaticClass(),
                     &TzuBlurRectangle::StaticClass(), &TzuRoundRect::StaticClass(),
                     &TzuBlurRoundRect::StaticClass(), &TzuEllipse::StaticClass(), &TzuCircle::StaticClass(),
                     &TzuArc::StaticClass(), &TzuPie::StaticClass(), &TzuText::StaticClass(),
                     &TzuPath::StaticClass(), &TzuImage::StaticClass(), &TzuPaintBox::StaticClass()});
    RegisterObjects("Design", {&TzuSelection::StaticClass(), &TzuSelectionPoint::StaticClass(),
                               &TzuDesignFrame::StaticClass()});
}

}  // namespace zu
