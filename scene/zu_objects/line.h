#pragma once
// TzuLine draws a line along the diagonal, the top edge or the left edge of its box.

#include "scene/zu_objects/shape.h"

namespace zu {

enum TzuLineType : int { zuLineNormal, zuLineHorizontal, zuLineVertical };
extern const TzuEnumInfo kLineTypeEnum;

class TzuLine : public TzuShape {
    ZU_CLASS(TzuLine)
public:
    using TzuShape::TzuShape;
    TzuLineType LineType() const { return m_lineType; }
    void SetLineType(TzuLineType value);

protected:
    void Paint() override;

private:
    TzuLineType m_lineType = zuLineNormal;
};

}  // namespace zu
