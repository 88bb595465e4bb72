#pragma once
// Property-table entries shared by the figures that publish the shape's brushes and
// stroke settings.

#include "platform/core/property.h"
#include "scene/zu_objects/shape.h"

namespace zu {

template <class C>
struct ShapeProps {
    using P = ZuProps<C>;
    static TzuPropInfo Fill() { return P::template Object<&TzuShape::Fill>("Fill"); }
    static TzuPropInfo Stroke() { return P::template Object<&TzuShape::Stroke>("Stroke"); }
    static TzuPropInfo StrokeCap() {
        return P::template Enum<&TzuShape::StrokeCap, &TzuShape::SetStrokeCap>("StrokeCap", kStrokeCapEnum)
            .Default(zuCapFlat);
    }
    static TzuPropInfo StrokeDash() {
        return P::template Enum<&TzuShape::StrokeDash, &TzuShape::SetStrokeDash>("StrokeDash",
                                                                                 kStrokeDashEnum)
            .Default(zuDashSolid);
    }
    static TzuPropInfo StrokeJoin() {
        return P::template Enum<&TzuShape::StrokeJoin, &TzuShape::SetStrokeJoin>("StrokeJoin",
                                                                                 kStrokeJoinEnum)
            .Default(zuJoinMiter);
    }
    static TzuPropInfo StrokeThickness() {
        return P::template Float<&TzuShape::StrokeThickness, &TzuShape::SetStrokeThickness>("StrokeThickness")
            .Default(1);
    }
};

}  // namespace zu
