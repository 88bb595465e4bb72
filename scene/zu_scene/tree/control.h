#pragma once
// TzuControl is a visual object whose look comes from a style resource, found by name
// (Resource, else the class's own style name). Controls also take part in tab order
// among their visual siblings.

#include <string>

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuControl : public TzuVisualObject {
    ZU_CLASS(TzuControl)
public:
    using TzuVisualObject::TzuVisualObject;

    const std::string& Resource() const { return m_resource; }
    void SetResource(const std::string& value);
    // Position among the parent's tab-ordered children; -1 without a parent.
    int TabOrder() const;
    void SetTabOrder(int value);
    bool IsControl() const override { return true; }
    // Controls keep their style parts to themselves.
    void SetData(const TzuVariant&) override {}
    void Loaded() override;

private:
    std::string m_resource;
    int m_storedTabOrder = -1;  // applied once the parent's tab list is complete
};

}  // namespace zu
