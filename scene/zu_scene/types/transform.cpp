#include "scene/zu_scene/types/transform.h"

#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuTransform::StaticClass() {
    using P = ZuProps<TzuTransform>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuTransform::Position>("Position"),
        P::Object<&TzuTransform::Scale>("Scale"),
        P::Float<&TzuTransform::RotateAngle, &TzuTransform::SetRotateAngle>("RotateAngle"),
        P::Object<&TzuTransform::RotateCenter>("RotateCenter"),
    };
    static const TzuClass cls = ZuClass<TzuTransform, TzuPersistent>("TzuTransform", props);
    return cls;
}

TzuTransform::TzuTransform()
    : m_position(std::make_unique<TzuPosition>(TzuPoint{0, 0})),
      m_scale(std::make_unique<TzuPosition>(TzuPoint{1, 1})),
      m_skew(std::make_unique<TzuPosition>(TzuPoint{0, 0})),
      m_rotateCenter(std::make_unique<TzuPosition>(TzuPoint{0.5f, 0.5f})) {
    for (TzuPosition* p : {m_position.get(), m_scale.get(), m_skew.get(), m_rotateCenter.get()}) {
        p->OnChange().Set([this](TzuPersistent*) { MatrixUpdate(); });
    }
}

TzuTransform::~TzuTransform() = default;

void TzuTransform::SetRotateAngle(float value) {
    if (value != m_rotateAngle) m_rotateAngle = value;
}

void TzuTransform::MatrixUpdate() {
    m_matrix = IdentityMatrix;
    m_matrix.m31 = m_position->X();
    m_matrix.m32 = m_position->Y();
    m_matrix.m11 = m_scale->X();
    m_matrix.m22 = m_scale->Y();
    m_matrix.m13 = m_skew->X();
    m_matrix.m23 = m_skew->Y();
    if (m_rotateAngle != 0) {
        m_matrix = MatrixMultiply(RotationMatrix(DegreesToRadians(m_rotateAngle)), m_matrix);
    }
    m_onChange(this);
}

void TzuTransform::Assign(const TzuPersistent& source) {
    const auto* t = As<TzuTransform>(&source);
    if (!t) {
        TzuPersistent::Assign(source);
        return;
    }
    m_rotateAngle = t->m_rotateAngle;
    auto copy = [](TzuPosition& to, const TzuPosition& from) {
        to.m_x = from.m_x;
        to.m_y = from.m_y;
    };
    copy(*m_position, *t->m_position);
    copy(*m_scale, *t->m_scale);
    copy(*m_skew, *t->m_skew);
    copy(*m_rotateCenter, *t->m_rotateCenter);
    MatrixUpdate();
}

}  // namespace zu
