#include "scene/zu_objects/line.h"

#include "scene/zu_objects/shape_props.h"

namespace zu {

namespace {
const char* const kLineTypeNames[] = {"zuLineNormal", "zuLineHorizontal", "zuLineVertical"};
}
const TzuEnumInfo kLineTypeEnum{"TzuLineType", kLineTypeNames, 3};

const TzuClass& TzuLine::StaticClass() {
    using S = ShapeProps<TzuLine>;
    using P = ZuProps<TzuLine>;
    static const TzuPropInfo props[] = {
        S::Stroke(),
        S::StrokeCap(),
        S::StrokeDash(),
        S::StrokeJoin(),
        S::StrokeThickness(),
        P::Enum<&TzuLine::LineType, &TzuLine::SetLineType>("LineType", kLineTypeEnum).AlwaysStored(),
    };
    static const TzuClass cls = ZuClass<TzuLine, TzuShape>("TzuLine", props);
    return cls;
}

void TzuLine::SetLineType(TzuLineType value) {
    if (value == m_lineType) return;
    m_lineType = value;
    Repaint();
}

void TzuLine::Paint() {
    TzuCanvas* cv = Canvas();
    if (!cv) return;
    TzuRect r = GetShapeRect();
    TzuPoint end{r.Right, r.Bottom};
    if (m_lineType == zuLineHorizontal) end = {r.Right, r.Top};
    if (m_lineType == zuLineVertical) end = {r.Left, r.Bottom};
    cv->DrawLine({r.Left, r.Top}, end, AbsoluteOpacity());
}

}  // namespace zu
