#pragma once
// TzuPosition wraps a point (a position, a scale, a rotation centre) so that it can be
// published, streamed (as one "Point" text) and observed. It owns nothing; its holder
// sets OnChange.

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "platform/core/variant.h"
#include "scene/zu_scene/types/geometry.h"

namespace zu {

class TzuTransform;

class TzuPosition : public TzuPersistent {
    ZU_CLASS(TzuPosition)
public:
    explicit TzuPosition(const TzuPoint& defaultValue = TzuPoint{});

    float X() const { return m_x; }
    float Y() const { return m_y; }
    void SetX(float value);
    void SetY(float value);

    TzuPoint GetPoint() const { return TzuPoint{m_x, m_y}; }
    // Stores and notifies even when the point is unchanged.
    void SetPoint(const TzuPoint& p);
    const TzuPoint& DefaultValue() const { return m_defaultValue; }

    void Assign(const TzuPersistent& source) override;
    TzuNotifyEvent& OnChange() { return m_onChange; }

    // The "Point" stream property.
    void ReadPoint(const TzuStreamValue& value);
    TzuStreamValue WritePoint() const;
    // Takes from's point when its text would read back as exactly that point.
    bool CopyPoint(const TzuPosition& from);
    bool PointStored() const { return GetPoint() != m_defaultValue; }

private:
    // The transform copies its positions without a notification per position.
    friend class TzuTransform;

    TzuNotifyEvent m_onChange;
    float m_y = 0;
    float m_x = 0;
    TzuPoint m_defaultValue;
};

}  // namespace zu
