#pragma once
// TzuEffect is the base of bitmap effects: a non-visual child of a visual object that,
// while enabled, post-processes a picture of its parent. The painting pipeline asks it
// for the area it covers and hands it the picture to process.

#include <string>

#include "scene/zu_scene/tree/object.h"

namespace zu {

class TzuBitmap;
class TzuCanvas;

class TzuEffect : public TzuObject {
    ZU_CLASS(TzuEffect)
public:
    using TzuObject::TzuObject;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    const std::string& Trigger() const { return m_trigger; }
    void SetTrigger(const std::string& trigger);
    bool DisablePaint() const { return m_disablePaint; }
    bool PaintAfter() const { return m_paintAfter; }

    // The area the picture covers, in the parent's local coordinates, when the parent
    // occupies r.
    virtual TzuRect GetEffectRect(const TzuRect& r) const { return r; }
    // Where the parent's local origin lies inside the picture.
    virtual TzuPoint GetEffectOffset() const { return {0, 0}; }
    // scale: picture pixels per local unit of the parent, the device scale included.
    virtual void ProcessEffect(TzuCanvas* /*canvas*/, TzuBitmap* /*bitmap*/, float /*scale*/) {}
    // Device pixels per scene unit of the picture ProcessEffect gets: radii the effect
    // counts in pixels grow with it, so a blur looks the same on a dense screen.
    int DeviceScale() const { return m_deviceScale; }
    void SetDeviceScale(int scale) { m_deviceScale = scale < 1 ? 1 : scale; }
    // radius device pixels for a radius of radius pixels at scale 1.
    int Scaled(int radius) const { return radius * m_deviceScale; }
    // Switches Enabled from the Trigger conditions when a state property of instance changed.
    virtual void ApplyTrigger(TzuObject* instance, std::string_view trigger);

protected:
    // Repaints the parent (with the effect's margin) after a property of the effect changed.
    void EffectChanged();
    void SetDisablePaint(bool on) { m_disablePaint = on; }
    void SetPaintAfter(bool on) { m_paintAfter = on; }

private:
    std::string m_trigger;
    bool m_enabled = true;
    bool m_disablePaint = false;
    bool m_paintAfter = false;
    int m_deviceScale = 1;
};

}  // namespace zu
