#pragma once
// TzuVisual is the source of a visual brush: the live rendering of another scene object.
// The reference is weak and cleared when the object goes.

#include "platform/core/event.h"
#include "platform/core/persistent.h"

namespace zu {

class TzuComponent;

class TzuVisual : public TzuPersistent {
    ZU_CLASS(TzuVisual)
public:
    TzuVisual() = default;
    ~TzuVisual() override;

    // Any scene object may be named; only visual objects paint anything through it.
    TzuComponent* VisualObject() const { return m_visualObject; }
    void SetVisualObject(TzuComponent* value);

    void Assign(const TzuPersistent& source) override;
    void FreeNotify(TzuPersistent* dying) override;
    TzuNotifyEvent& OnChange() { return m_onChange; }

private:
    TzuNotifyEvent m_onChange;
    TzuComponent* m_visualObject = nullptr;
};

}  // namespace zu
