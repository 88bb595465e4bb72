#pragma once
// TzuBrushResource names a shared brush held by a TzuBrushObject. The link to the object
// is weak: it is made lazily from ResourceName on first use and cleared when the object
// goes, while the name stays so that a later use can find a new holder.

#include <string>

#include "platform/core/event.h"
#include "platform/core/persistent.h"

namespace zu {

class TzuBrush;
class TzuComponent;

class TzuBrushResource : public TzuPersistent {
    ZU_CLASS(TzuBrushResource)
public:
    TzuBrushResource() = default;
    ~TzuBrushResource() override;

    TzuComponent* Resource() const { return m_resource; }
    // Links value and takes over its ResourceName. Neither setter notifies: a link made
    // while painting must not ask for another paint.
    void SetResource(TzuComponent* value);
    const std::string& ResourceName() const { return m_resourceName; }
    // Only stores: the name is looked up on the next use of Brush.
    void SetResourceName(const std::string& value);
    // The shared brush, looking ResourceName up among all scene objects on first use;
    // null when no brush object serves that name.
    TzuBrush* Brush();

    void Assign(const TzuPersistent& source) override;
    void FreeNotify(TzuPersistent* dying) override;
    TzuNotifyEvent& OnChange() { return m_onChange; }

private:
    TzuComponent* m_resource = nullptr;
    std::string m_resourceName;
    TzuNotifyEvent m_onChange;
};

}  // namespace zu
