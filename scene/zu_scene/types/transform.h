#pragma once
// TzuTransform turns a position, a scale and a rotation angle into a matrix for the
// object that holds it. It owns and frees its four positions; each change of one of them
// rebuilds the matrix and notifies the holder through OnChange.

#include <memory>

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "scene/zu_scene/types/geometry.h"
#include "scene/zu_scene/types/position.h"

namespace zu {

class TzuTransform : public TzuPersistent {
    ZU_CLASS(TzuTransform)
public:
    TzuTransform();
    ~TzuTransform() override;

    TzuPosition* Position() const { return m_position.get(); }
    TzuPosition* Scale() const { return m_scale.get(); }
    TzuPosition* RotateCenter() const { return m_rotateCenter.get(); }
    void SetPosition(const TzuPosition& value) { m_position->Assign(value); }
    void SetScale(const TzuPosition& value) { m_scale->Assign(value); }
    void SetRotateCenter(const TzuPosition& value) { m_rotateCenter->Assign(value); }

    float RotateAngle() const { return m_rotateAngle; }
    // Only stores: the matrix follows at the next MatrixUpdate.
    void SetRotateAngle(float value);

    const TzuMatrix& Matrix() const { return m_matrix; }
    // Rebuilds the matrix (rotate about the origin, then scale, then translate) and
    // notifies. RotateCenter is left to the users of the transform.
    void MatrixUpdate();

    void Assign(const TzuPersistent& source) override;
    TzuNotifyEvent& OnChange() { return m_onChange; }

private:
    TzuMatrix m_matrix = IdentityMatrix;
    float m_rotateAngle = 0;
    std::unique_ptr<TzuPosition> m_position;
    std::unique_ptr<TzuPosition> m_scale;
    // Never published and always (0,0); it feeds the matrix's m13/m23 column.
    std::unique_ptr<TzuPosition> m_skew;
    std::unique_ptr<TzuPosition> m_rotateCenter;
    TzuNotifyEvent m_onChange;
};

}  // namespace zu
