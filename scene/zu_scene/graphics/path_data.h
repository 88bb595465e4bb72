#pragma once
// TzuPathData is a vector path kept as a flat list of typed points: moves, lines, cubic
// curves (always three consecutive curve entries) and closes. It owns its points; a shared
// path held by a TzuPathObject may stand in for it, reached by name through a weak link
// that the object clears when it goes. Its holder observes it through OnChange.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/event.h"
#include "platform/core/persistent.h"
#include "platform/core/variant.h"
#include "scene/zu_scene/types/geometry.h"

namespace zu {

class TzuComponent;

enum TzuPathPointKind : int32_t {
    zuPathPointMoveTo = 0,
    zuPathPointLineTo = 1,
    zuPathPointCurveTo = 2,
    zuPathPointClose = 3,
};

struct TzuPathPoint {
    TzuPathPointKind Kind = zuPathPointMoveTo;
    TzuPoint Point;
    friend bool operator==(const TzuPathPoint&, const TzuPathPoint&) = default;
};

// Placed into flattened polygons after each closed figure.
inline constexpr TzuPoint ClosePolygon{65535.0f, 65535.0f};

class TzuPathData : public TzuPersistent {
    ZU_CLASS(TzuPathData)
public:
    TzuPathData() = default;
    ~TzuPathData() override;

    // ---- Builder: appends entries; never fires OnChange ----
    void MoveTo(const TzuPoint& p);
    void MoveToRel(const TzuPoint& d);
    void LineTo(const TzuPoint& p);
    void LineToRel(const TzuPoint& d);
    void HLineTo(float x);
    void HLineToRel(float dx);
    void VLineTo(float y);
    void VLineToRel(float dy);
    void CurveTo(const TzuPoint& c1, const TzuPoint& c2, const TzuPoint& end);
    void CurveToRel(const TzuPoint& c1, const TzuPoint& c2, const TzuPoint& end);
    void SmoothCurveTo(const TzuPoint& c2, const TzuPoint& end);
    void SmoothCurveToRel(const TzuPoint& c2, const TzuPoint& end);
    void ClosePath();
    // Angles in degrees; radius holds the X and Y radii. Starts with a line to the arc's
    // start (a move on an empty path). Non-finite angles add nothing.
    void AddArc(const TzuPoint& center, const TzuPoint& radius, float startAngle, float sweepAngle);
    // The elliptical arc from the current point to end. False, adding nothing, when the
    // arc is undefined (a zero radius, end equal to the current point) or not finite.
    bool ArcToPoint(const TzuPoint& radii, float xAxisRotation, bool largeArc, bool sweep,
                    const TzuPoint& end);

    // ---- Queries ----
    const std::vector<TzuPathPoint>& Points() const { return m_points; }
    int Count() const { return static_cast<int>(m_points.size()); }
    bool IsEmpty() const { return m_points.empty(); }
    // The current point: the last entry's point, (0, 0) when empty.
    TzuPoint LastPoint() const;
    const TzuPoint& StartPoint() const { return m_startPoint; }
    // (0, 0, 0, 0) when empty; never of zero width or height otherwise.
    TzuRect GetBounds() const;
    // Curves become runs of points, closes the figure start followed by ClosePolygon.
    // size receives the absolute width and height of the bounds.
    TzuPolygon FlattenToPolygon(float flatness, TzuPoint* size = nullptr) const;

    // ---- Text form ("M 0,0 L 10,0 Z ") ----
    std::string GetData() const;
    std::string Data() const { return GetData(); }
    // Replaces the entries by the parsed text and fires OnChange. Parsing stops at the
    // first thing it cannot read; what was read before stays.
    void SetData(const std::string& text);
    // As SetData; true only when the whole text was read and no command was dropped.
    bool ParseData(std::string_view text);

    // ---- SVG path text ----
    // The canonical SVG text of the entries.
    std::string SvgData() const;
    // Replaces the entries by the SVG path text (up to its first error) and fires OnChange.
    void SetSvgData(const std::string& text);

    // ---- Binary form: a 32-bit count, then records of kind and X, Y ----
    TzuBytes SaveToBytes() const;
    // Accepts 12-byte records and the older packed 9-byte records. A count below 1
    // empties the path. False, with the path unchanged, for a block whose records are
    // missing, truncated, of an unknown kind, non-finite or with an incomplete curve.
    // Fires OnChange on success.
    bool LoadFromBytes(const TzuBytes& bytes);
    // The "Path" stream property; reading raises EzuError on a malformed block.
    void ReadPath(const TzuStreamValue& value);
    TzuStreamValue WritePath() const { return SaveToBytes(); }
    bool PathStored() const { return !m_points.empty(); }

    // ---- Shared path resource ----
    TzuComponent* Resource() const { return m_resource; }
    void SetResource(TzuComponent* resource);
    const std::string& ResourceName() const { return m_resourceName; }
    void SetResourceName(const std::string& name);
    // The shared path this one stands for, or null: the linked object's path, else the
    // newest stored TzuPathObject named ResourceName, which is linked on the way.
    TzuPathData* ResourcePath() const;

    // Removes every entry and fires OnChange.
    void Clear();
    void Assign(const TzuPersistent& source) override;
    void FreeNotify(TzuPersistent* dying) override;

    TzuNotifyEvent& OnChange() { return m_onChange; }

private:
    friend class TzuPathTextReader;
    void Add(TzuPathPointKind kind, const TzuPoint& p) { m_points.push_back(TzuPathPoint{kind, p}); }
    void Changed() { m_onChange(this); }
    void Link(TzuComponent* resource) const;
    void Unlink() const;

    TzuNotifyEvent m_onChange;
    // Linked lazily by ResourcePath, hence mutable.
    mutable TzuComponent* m_resource = nullptr;
    std::string m_resourceName;
    TzuPoint m_startPoint;
    std::vector<TzuPathPoint> m_points;
};

}  // namespace zu
