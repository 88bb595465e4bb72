#pragma once
// The check box kinds: the plain and HUD check boxes, and the path check box that
// brings its own mark.

#include "scene/zu_controls/toggle_control.h"
#include "scene/zu_scene/graphics/path_data.h"

namespace zu {

// A check box: a Boolean shown by the "checkmark" part of "checkboxstyle".
class TzuCheckBox : public TzuToggleControl {
    ZU_CLASS(TzuCheckBox)
public:
    explicit TzuCheckBox(TzuComponent* owner);
};

class TzuHudCheckBox : public TzuCheckBox {
    ZU_CLASS(TzuHudCheckBox)
public:
    using TzuCheckBox::TzuCheckBox;
};

// A check box whose mark is a path of its own (owned), copied into the style's
// "checkmark" path whenever the style is applied; changing the path restyles.
class TzuPathCheckBox : public TzuCheckBox {
    ZU_CLASS(TzuPathCheckBox)
public:
    explicit TzuPathCheckBox(TzuComponent* owner);
    TzuPathData* Path() const { return const_cast<TzuPathData*>(&m_path); }
    void SetPath(const TzuPathData& value) { m_path.Assign(value); }

protected:
    void ApplyStyle() override;

private:
    TzuPathData m_path;
};

}  // namespace zu
