#pragma once
// TzuHighlightPool shows selection highlights for a list-like control: copies of its
// style's "selection" part (hidden, the template), one per rectangle, added as needed and
// hidden when not. The copies live beside the template in the control's style, which owns
// them; the pool only points at them, and its control passes free notifications on
// (Forget), so a freed style leaves nothing dangling.

#include <vector>

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuHighlightPool {
public:
    explicit TzuHighlightPool(TzuComponent* owner) : m_owner(owner) {}
    ~TzuHighlightPool() { Release(); }
    TzuHighlightPool(const TzuHighlightPool&) = delete;
    TzuHighlightPool& operator=(const TzuHighlightPool&) = delete;

    // Takes the template (hiding it); null unbinds.
    void Bind(TzuVisualObject* part);
    void Release();
    // Called from the owner's Notification for a freed component.
    void Forget(TzuComponent* component);
    // Shows one copy per rectangle (in `from`'s coordinates) cut to view, hides the rest.
    void Show(TzuVisualObject* from, const std::vector<TzuRect>& rects, const TzuRect& view);
    bool Bound() const { return m_part != nullptr; }

private:
    TzuComponent* m_owner;
    TzuVisualObject* m_part = nullptr;
    std::vector<TzuVisualObject*> m_copies;
};

// The viewport's rectangle in the box's coordinates; the box's own without a viewport.
inline TzuRect ViewportRectIn(TzuVisualObject* box, TzuVisualObject* viewport) {
    if (!viewport) return box->LocalRect();
    const TzuPoint a = box->AbsoluteToLocal(viewport->LocalToAbsolute({0, 0}));
    const TzuPoint b =
        box->AbsoluteToLocal(viewport->LocalToAbsolute({viewport->Width(), viewport->Height()}));
    return TzuRect{a.X, a.Y, b.X, b.Y};
}

// Adds r to the runs: an item numbered right after the last one extends its rectangle.
inline void AddHighlightRun(std::vector<TzuRect>& runs, int& last, int number, const TzuRect& r) {
    if (number == last + 1 && !runs.empty())
        runs.back() = RectUnion(runs.back(), r);
    else
        runs.push_back(r);
    last = number;
}

}  // namespace zu
