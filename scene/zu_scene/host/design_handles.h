#pragma once
// The handles of a selected object while a scene is designed: a rotation handle above the
// top edge, corner grips and edge-midpoint grips, all 6 x 6 squares in the object's local
// coordinates. Edge grips need room: top and bottom only when the object is wider than
// 12, left and right only when it is taller than 12.

#include <array>
#include <cstdint>

#include "scene/zu_scene/types/geometry.h"

namespace zu {

enum class TzuDesignGrip : uint8_t {
    None,
    Move,
    Rotate,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
    Top,
    Bottom,
    Left,
    Right,
};

// The order handles are tested in when a point lies on more than one.
inline constexpr std::array<TzuDesignGrip, 9> kDesignHandleOrder = {
    TzuDesignGrip::Rotate,     TzuDesignGrip::TopLeft,     TzuDesignGrip::TopRight,
    TzuDesignGrip::BottomLeft, TzuDesignGrip::BottomRight, TzuDesignGrip::Top,
    TzuDesignGrip::Bottom,     TzuDesignGrip::Left,        TzuDesignGrip::Right,
};

// Half the side of a handle square.
inline constexpr float kDesignHandleHalf = 3;

// The local centre of a handle of a w x h object; false when the object shows no such
// handle (Move, None, or an edge grip without room).
bool DesignHandleCentre(TzuDesignGrip grip, float w, float h, TzuPoint& centre);
// The handle under a local point, in test order; None when none.
TzuDesignGrip DesignHandleAtLocal(const TzuPoint& p, float w, float h);
// Which edges a grip drags: -1 the low edge (left/top), 1 the high edge, 0 none.
int DesignGripDX(TzuDesignGrip grip);
int DesignGripDY(TzuDesignGrip grip);

}  // namespace zu
