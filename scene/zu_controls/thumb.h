#pragma once
// TzuThumb is the draggable part of a track's style. The track that binds it as its
// "thumb" part sets itself as the thumb's owner track (a weak link the track clears when it
// lets the part go); dragging the thumb moves that track's value. The thumb takes its own
// look from the style its Resource names.

#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuCustomTrack;

class TzuThumb : public TzuControl {
    ZU_CLASS(TzuThumb)
public:
    explicit TzuThumb(TzuComponent* owner);
    ~TzuThumb() override;

    TzuCustomTrack* Track() const { return m_track; }
    void SetTrack(TzuCustomTrack* track) { m_track = track; }
    bool Dragging() const { return m_dragging; }
    // The point the drag was grabbed at, local to the thumb.
    TzuPoint PressPoint() const { return m_pressPoint; }
    bool IsPressed() const { return m_dragging; }

    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;

private:
    TzuCustomTrack* m_track = nullptr;
    TzuPoint m_pressPoint{};
    bool m_dragging = false;
};

}  // namespace zu
