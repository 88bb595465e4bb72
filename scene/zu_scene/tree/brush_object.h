#pragma once
// TzuBrushObject is a scene object that owns one brush shared by name: brushes elsewhere
// refer to it through their resource's ResourceName.

#include <memory>

#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/tree/object.h"

namespace zu {

class TzuBrushObject : public TzuObject {
    ZU_CLASS(TzuBrushObject)
public:
    explicit TzuBrushObject(TzuComponent* owner);
    ~TzuBrushObject() override;

    TzuBrush* Brush() const { return m_brush.get(); }
    void SetBrush(const TzuBrush& value) { m_brush->Assign(value); }

    // A holder without a resource name of its own serves under its component name.
    void SetName(const std::string& name) override;

private:
    std::unique_ptr<TzuBrush> m_brush;
};

}  // namespace zu
