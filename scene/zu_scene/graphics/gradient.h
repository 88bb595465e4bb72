#pragma once
// TzuGradient describes the colour stops and geometry of a gradient brush. It owns its
// points collection, its two end positions and its radial transform; every change of one
// of them reaches the holder through OnChange.

#include <memory>
#include <string>
#include <vector>

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "platform/core/property.h"
#include "scene/zu_scene/types/colour.h"
#include "scene/zu_scene/types/position.h"
#include "scene/zu_scene/types/transform.h"

namespace zu {

enum TzuGradientStyle : int {
    zuLinearGradient,
    zuRadialGradient,
};

extern const TzuEnumInfo kGradientStyleEnum;

class TzuGradientPoints;

// One colour stop. Belongs to its TzuGradientPoints, which it tells about each change.
class TzuGradientPoint : public TzuPersistent {
    ZU_CLASS(TzuGradientPoint)
public:
    TzuGradientPoint() = default;
    explicit TzuGradientPoint(TzuGradientPoints* collection) : m_collection(collection) {}

    TzuColor Color() const { return m_color; }
    void SetColor(TzuColor value);
    // The published "Color": colour text.
    std::string ColorText() const { return ColorToText(m_color); }
    void SetColorText(const std::string& text) { SetColor(TextToColor(text)); }
    float Offset() const { return m_offset; }
    void SetOffset(float value);

    void Assign(const TzuPersistent& source) override;

private:
    // The collection fills new and copied points without a notification per field.
    friend class TzuGradientPoints;
    void Changed();

    TzuGradientPoints* m_collection = nullptr;
    TzuColor m_color = 0;
    float m_offset = 0;
};

// The colour stops of a gradient, in stored order (never sorted). Owns its points.
class TzuGradientPoints : public TzuPersistent, public TzuCollection {
    ZU_CLASS(TzuGradientPoints)
public:
    TzuGradientPoints() = default;
    ~TzuGradientPoints() override;

    int Count() const override { return static_cast<int>(m_items.size()); }
    // Null when index is out of range.
    TzuGradientPoint* Points(int index) const;
    TzuPersistent* Item(int index) const override { return Points(index); }
    void Clear() override;
    TzuPersistent* Add() override { return AddPoint(); }
    TzuGradientPoint* AddPoint();
    TzuGradientPoint* AddPoint(TzuColor color, float offset);
    // Inserts a stop so that it has index (clamped to 0..Count).
    TzuGradientPoint* InsertPoint(int index, TzuColor color, float offset);
    // Moves the stop at from to index to, the others keeping their order. Raises "list
    // index error" when either is out of range.
    void Move(int from, int to);
    // Raises "list index error" when index is out of range.
    void Delete(int index);

    void Assign(const TzuPersistent& source) override;
    // Fired after points were added, removed or changed.
    TzuNotifyEvent& OnChange() { return m_onChange; }

private:
    friend class TzuGradientPoint;
    void Changed() { m_onChange(this); }

    std::vector<std::unique_ptr<TzuGradientPoint>> m_items;
    TzuNotifyEvent m_onChange;
};

class TzuGradient : public TzuPersistent {
    ZU_CLASS(TzuGradient)
public:
    TzuGradient();
    ~TzuGradient() override;

    TzuGradientPoints* Points() const { return m_points.get(); }
    TzuPosition* StartPosition() const { return m_startPosition.get(); }
    TzuPosition* StopPosition() const { return m_stopPosition.get(); }
    // Made when first asked for: only radial gradients use it.
    TzuTransform* RadialTransform() const;
    void SetStartPosition(const TzuPosition& value) { m_startPosition->Assign(value); }
    void SetStopPosition(const TzuPosition& value) { m_stopPosition->Assign(value); }
    void SetRadialTransform(const TzuTransform& value) { RadialTransform()->Assign(value); }
    TzuGradientStyle Style() const { return m_style; }
    void SetStyle(TzuGradientStyle value);

    // The colour at offset in [0, 1] (clamped); a single point's colour everywhere, 0 with no
    // points.
    TzuColor ColorAt(float offset) const;

    void Assign(const TzuPersistent& source) override;
    TzuNotifyEvent& OnChange() { return m_onChange; }

    bool PositionsStored() const { return m_style == zuLinearGradient; }
    bool TransformStored() const { return m_style == zuRadialGradient; }

private:
    void Changed();

    std::unique_ptr<TzuGradientPoints> m_points;
    TzuNotifyEvent m_onChange;
    std::unique_ptr<TzuPosition> m_startPosition;
    std::unique_ptr<TzuPosition> m_stopPosition;
    TzuGradientStyle m_style = zuLinearGradient;
    mutable std::unique_ptr<TzuTransform> m_radialTransform;
    int m_updating = 0;  // Assign batches its changes into one notification
};

}  // namespace zu
