#pragma once
// TzuCustomTrack is a value between Min and Max shown by a thumb on a track: the value
// snaps to Frequency, stays within Min .. Max - ViewportSize, follows thumb drags, page
// clicks on the track and the arrow, Home and End keys. It binds the "thumb" part of its
// style (a TzuThumb) and places it over the value on every realign; the part belongs to
// the style clone, the track only points at it. TzuTrack and TzuTrackBar publish it with
// their own styles; the HUD kinds only differ by style.

#include "scene/zu_layouts/grid_layout.h"
#include "scene/zu_scene/tree/control.h"

namespace zu {

class TzuThumb;

class TzuCustomTrack : public TzuControl {
    ZU_CLASS(TzuCustomTrack)
public:
    explicit TzuCustomTrack(TzuComponent* owner);
    ~TzuCustomTrack() override;

    float Value() const { return m_value; }
    void SetValue(float value);
    float Min() const { return m_min; }
    void SetMin(float value);
    float Max() const { return m_max; }
    void SetMax(float value);
    float ViewportSize() const { return m_viewportSize; }
    void SetViewportSize(float value);
    TzuOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TzuOrientation value);
    bool Tracking() const { return m_tracking; }
    void SetTracking(bool value) { m_tracking = value; }
    float Frequency() const { return m_frequency; }
    void SetFrequency(float value);
    TzuNotifyEvent& OnChange() { return m_onChange; }
    // Called for every value change while the thumb is dragged, whatever Tracking says.
    TzuNotifyEvent& OnTracking() { return m_onTracking; }
    bool CanFocused() const { return CanFocus(); }
    void SetCanFocused(bool value) { SetCanFocus(value); }

    // The thumb's rectangle in the track's local coordinates for the current value.
    TzuRect ThumbRect();
    TzuThumb* Thumb() const { return m_thumb; }
    // The track's length along its orientation.
    float TrackLength() const { return m_orientation == zuHorizontal ? Width() : Height(); }
    // Sets the value a drag of the thumb has reached (coordinate p along the track, grab
    // offset within the thumb); a track of no length leaves the value alone.
    void DragTo(float p, float grabOffset);
    // The end of a thumb drag: with Tracking off, one notification with the final value.
    void EndDrag();

    void Realign() override;
    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) override;
    TzuVariant GetData() override;
    void SetData(const TzuVariant& value) override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

protected:
    void ApplyStyle() override;
    void FreeStyle() override;
    // Stores the value without events, snapping or clamping (the owner copies its own).
    void StoreValue(float value) { m_value = value; }

private:
    bool ThumbDragging() const;

    TzuNotifyEvent m_onChange;
    TzuNotifyEvent m_onTracking;
    TzuThumb* m_thumb = nullptr;
    float m_value = 0;
    float m_min = 0;
    float m_max = 100;
    float m_viewportSize = 0;
    float m_frequency = 0;
    TzuOrientation m_orientation = zuHorizontal;
    bool m_tracking = true;

    friend class TzuScrollBar;
};

// A track wearing "trackstyle"; it publishes ViewportSize, so it can stand for a page of
// a longer range (scroll bars use it that way).
class TzuTrack : public TzuCustomTrack {
    ZU_CLASS(TzuTrack)
public:
    explicit TzuTrack(TzuComponent* owner);
};

// A focusable slider wearing "trackbarstyle"; its viewport is always empty.
class TzuTrackBar : public TzuCustomTrack {
    ZU_CLASS(TzuTrackBar)
public:
    explicit TzuTrackBar(TzuComponent* owner);
};

class TzuHudTrack : public TzuTrack {
    ZU_CLASS(TzuHudTrack)
public:
    using TzuTrack::TzuTrack;
};

class TzuHudTrackBar : public TzuTrackBar {
    ZU_CLASS(TzuHudTrackBar)
public:
    using TzuTrackBar::TzuTrackBar;
};

}  // namespace zu
