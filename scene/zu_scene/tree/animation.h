#pragma once
// TzuAnimation is the base of the property animations: a non-visual child that changes a
// published property of its parent (or of an object reached from it through a dotted
// path) over time. It keeps the timing (duration, delay, loop, auto-reverse, easing),
// starts and stops itself on the shared clock (TzuAniThread) and evaluates its trigger
// text against the state of the object that announced a change. The kinds (colour,
// float, ...) override ProcessAnimation to write their property for NormalizedTime.
// Trees dispatch starts, stops and state triggers to their animation children.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/event.h"
#include "platform/core/property.h"
#include "scene/zu_scene/tree/object.h"
#include "scene/zu_scene/types/interpolation.h"

namespace zu {

class TzuAniThread;

class TzuAnimation : public TzuObject {
    ZU_CLASS(TzuAnimation)
public:
    explicit TzuAnimation(TzuComponent* owner);
    ~TzuAnimation() override;

    // ---- Published properties ----
    float Duration() const { return m_duration; }
    void SetDuration(float value) { m_duration = value; }
    float Delay() const { return m_delay; }
    void SetDelay(float value) { m_delay = value; }
    bool Inverse() const { return m_inverse; }
    void SetInverse(bool value) { m_inverse = value; }
    const std::string& Trigger() const;
    void SetTrigger(const std::string& trigger);
    bool Loop() const { return m_loop; }
    void SetLoop(bool value) { m_loop = value; }
    bool AutoReverse() const { return m_autoReverse; }
    void SetAutoReverse(bool value) { m_autoReverse = value; }
    bool HideOnFinish() const { return m_hideOnFinish; }
    void SetHideOnFinish(bool value) { m_hideOnFinish = value; }
    TzuInterpolationType Interpolation() const { return m_interpolation; }
    void SetInterpolation(TzuInterpolationType value) { m_interpolation = value; }
    TzuAnimationType AnimationType() const { return m_animationType; }
    void SetAnimationType(TzuAnimationType value) { m_animationType = value; }
    // True while running after starts made through it; setting it starts or stops the
    // animation (not while loading or designing).
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    // The event slots are made on first use: most animations (style parts) have none.
    TzuNotifyEvent& OnFinish() { return Events().onFinish; }
    TzuNotifyEvent& OnProcess() { return Events().onProcess; }
    // The property path the kinds write through ("Fill.Color", "Parent.Position.Y"); the
    // kinds publish it.
    const std::string& PropertyName() const { return m_propertyName; }
    void SetPropertyName(const std::string& value);

    // ---- Running ----
    virtual void Start();
    // Jumps to the end value and finishes.
    virtual void Stop();
    // Finishes where it stands: the property keeps its present value.
    virtual void StopAtCurrent();
    virtual bool Running() const { return m_running; }
    // Starts the animation when trigger names a state property its Trigger mentions and
    // every condition of the Trigger holds on instance (at least one checked).
    virtual void ApplyTrigger(TzuObject* instance, std::string_view trigger);
    // Writes the animated property for the current time; the base writes nothing.
    virtual void ProcessAnimation() {}

    // Eased position in [0, 1] (beyond it for the overshooting curves): 0 while delayed.
    float NormalizedTime() const;
    float CurrentTime() const { return m_currentTime; }
    float DelayLeft() const { return m_delayLeft; }
    // One step of the clock by delta seconds.
    void Advance(float delta);

    // Freed once it has finished, after its OnFinish handler has returned (AnimateFloat).
    void SetFreeOnFinish(bool value) { m_freeOnFinish = value; }
    bool FreeOnFinish() const { return m_freeOnFinish; }

    void Loaded() override;
    void Notification(TzuComponent* component, TzuOperation operation) override;

    // Waits while the animation runs, handling the application's messages. Stops waiting
    // when it finishes, is freed (with its parent or by a handler), loops (it would never
    // finish), is not on a clock, or the application quits or has nothing left to run.
    static void WaitWhileRunning(TzuAnimation* animation);

protected:
    void ParentChanged() override;
    // The target property of PropertyName, resolved once from the parent (and again only
    // after the parent or the path changed): every segment before the last that names an
    // object property moves to that object, other segments are dropped. Empty when there
    // is no parent, no path or no such property.
    const TzuPropRef& ResolvePropertyPath();
    // The object the path reached, even when it lacks the final property; null before
    // resolution.
    TzuPersistent* ResolvedTarget() const { return m_resolved.object; }

private:
    friend class TzuAniThread;
    struct EventSlots {
        TzuNotifyEvent onFinish;
        TzuNotifyEvent onProcess;
    };
    // Marks a stack frame's interest in whether this animation is freed under it. The
    // destructor unlinks it again, so the stored frame address never outlives the frame.
    // An animation freed by its own handler leaves its event slots to the outermost frame,
    // so the handler running from them stays whole until it returns.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
#endif
    struct Watch {
        explicit Watch(TzuAnimation* a) : animation(a), prev(a->m_watch) { a->m_watch = this; }
        ~Watch() {
            if (!dead) animation->m_watch = prev;
        }
        Watch(const Watch&) = delete;
        Watch& operator=(const Watch&) = delete;
        TzuAnimation* animation;
        Watch* prev;
        std::unique_ptr<EventSlots> keep;
        bool dead = false;
    };
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif
    bool IsDesignTime() const;
    bool ParentHidden() const;
    // Fires OnFinish; false when the handler freed the animation.
    bool Finish();
    void ClearResolution();
    void ScheduleFree();

    // What the clock touches on every tick comes first, the texts last.
    TzuPropRef m_resolved;
    TzuObject* m_resolvedParent = nullptr;
    Watch* m_watch = nullptr;
    float m_duration = 0.2f;
    float m_delay = 0;
    float m_delayLeft = 0;
    float m_currentTime = 0;
    int32_t m_clockIndex = -1;  // position in the clock's list, -1 when not listed
    TzuInterpolationType m_interpolation = zuInterpolationLinear;
    TzuAnimationType m_animationType = zuAnimationIn;
    bool m_inverse = false;
    bool m_loop = false;
    bool m_running = false;
    bool m_hideOnFinish = false;
    bool m_enabled = false;
    bool m_autoReverse = false;
    bool m_immediate = false;  // applying the end value at once: time runs over one second
    bool m_resolvedOnce = false;
    bool m_freeOnFinish = false;
    TzuObject* m_resolvedVia = nullptr;  // an object on the path told to us when it goes
    EventSlots& Events();
    std::unique_ptr<EventSlots> m_events;
    // The Trigger's text with its "name=value" conditions, split once: every state change
    // of a control asks each of its style's animations, so the text is not parsed then.
    // Every clone of a style carries the same few triggers, so one parsed set is shared by
    // all animations with the same text.
    struct TriggerCondition {
        std::string name;
        std::string expected;
        // The property the name found on the last class asked (class tables are static).
        const TzuClass* cls = nullptr;
        const TzuPropInfo* prop = nullptr;
        int expectedOrd = -1;  // the expected value's ordinal in the property's enumeration
    };
    struct TriggerSet {
        std::string text;
        std::vector<TriggerCondition> conditions;
    };
    static std::shared_ptr<TriggerSet> SharedTrigger(const std::string& text);
    std::shared_ptr<TriggerSet> m_trigger;
    std::string m_propertyName;
};

// Takes the next token from source up to one of delimiters (consumed); both the token
// and what remains of source are trimmed of blanks. Empty when source is exhausted.
std::string ExtractToken(std::string& source, std::string_view delimiters);

}  // namespace zu
