#pragma once
// TzuGridLayout flows its visual children into cells of one fixed size, row by row
// (horizontal) or column by column (vertical), inside its margins; each child keeps its
// padding within its cell.

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

enum TzuOrientation : uint8_t { zuHorizontal, zuVertical };
extern const TzuEnumInfo kOrientationEnum;

class TzuGridLayout : public TzuVisualObject {
    ZU_CLASS(TzuGridLayout)
public:
    explicit TzuGridLayout(TzuComponent* owner);

    float ItemWidth() const { return m_itemWidth; }
    void SetItemWidth(float value);
    float ItemHeight() const { return m_itemHeight; }
    void SetItemHeight(float value);
    TzuOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TzuOrientation value);
    void Realign() override;

private:
    float m_itemWidth = 64;
    float m_itemHeight = 64;
    TzuOrientation m_orientation = zuHorizontal;
    bool m_flowing = false;
};

}  // namespace zu
