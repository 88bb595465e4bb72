#include "scene/zu_scene/host/design_handles.h"

namespace zu {

bool DesignHandleCentre(TzuDesignGrip grip, float w, float h, TzuPoint& c) {
    using G = TzuDesignGrip;
    switch (grip) {
        case G::Rotate: c = {w / 2, -10}; return true;
        case G::TopLeft: c = {0, 0}; return true;
        case G::TopRight: c = {w, 0}; return true;
        case G::BottomLeft: c = {0, h}; return true;
        case G::BottomRight: c = {w, h}; return true;
        case G::Top: c = {w / 2, 0}; return w > 12;
        case G::Bottom: c = {w / 2, h}; return w > 12;
        case G::Left: c = {0, h / 2}; return h > 12;
        case G::Right: c = {w, h / 2}; return h > 12;
        default: return false;
    }
}

TzuDesignGrip DesignHandleAtLocal(const TzuPoint& p, float w, float h) {
    for (TzuDesignGrip g : kDesignHandleOrder) {
        TzuPoint c;
        if (!DesignHandleCentre(g, w, h, c)) continue;
        if (p.X >= c.X - kDesignHandleHalf && p.X <= c.X + kDesignHandleHalf &&
            p.Y >= c.Y - kDesignHandleHalf && p.Y <= c.Y + kDesignHandleHalf) {
            return g;
        }
    }
    return TzuDesignGrip::None;
}

int DesignGripDX(TzuDesignGrip grip) {
    using G = TzuDesignGrip;
    if (grip == G::TopLeft || grip == G::BottomLeft || grip == G::Left) return -1;
    if (grip == G::TopRight || grip == G::BottomRight || grip == G::Right) return 1;
    return 0;
}

int DesignGripDY(TzuDesignGrip grip) {
    using G = TzuDesignGrip;
    if (grip == G::TopLeft || grip == G::TopRight || grip == G::Top) return -1;
    if (grip == G::BottomLeft || grip == G::BottomRight || grip == G::Bottom) return 1;
    return 0;
}

}  // namespace zu
