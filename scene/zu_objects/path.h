#pragma once
// TzuPath draws path data in its box: at its own size, fitted, stretched or tiled. It owns
// its path data, which may stand for a shared path found by name; it is hit inside the
// path as stretched over the box.

#include "scene/zu_objects/shape.h"
#include "scene/zu_scene/graphics/path_data.h"

namespace zu {

enum TzuPathWrap : int { zuPathOriginal, zuPathFit, zuPathStretch, zuPathTile };
extern const TzuEnumInfo kPathWrapEnum;

class TzuPath : public TzuShape {
    ZU_CLASS(TzuPath)
public:
    explicit TzuPath(TzuComponent* owner);
    TzuPathData* Data() const { return const_cast<TzuPathData*>(&m_data); }
    using TzuShape::SetData;
    void SetData(const TzuPathData& value) { m_data.Assign(value); }
    TzuPathWrap WrapMode() const { return m_wrapMode; }
    void SetWrapMode(TzuPathWrap value);
    bool PointInObject(float x, float y) override;

    // Tiles beyond this count are drawn as one fill with a repeating picture of a tile,
    // so that a frame costs what the covered pixels cost, however small the tile.
    static constexpr int kMaxTileDraws = 64;

protected:
    void Paint() override;

private:
    // The path drawn: the shared one Data refers to, else Data itself.
    const TzuPathData& UsedPath() const;
    void PaintTiles(TzuCanvas& cv, const TzuPathData& path, const TzuRect& r, float opacity);

    TzuPathData m_data;
    TzuPathWrap m_wrapMode = zuPathStretch;
};

}  // namespace zu
