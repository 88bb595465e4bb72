#pragma once
// TzuControlActionLink ties a control to an action; the control owns it. A change of one
// action property reaches the control only while the control still shows the action's
// value for it (its caption, enabled and visible state, hint, click handler); a control
// given its own value keeps it until the next full ActionChange.

#include "platform/core/action.h"

namespace zu {

class TzuControl;

class TzuControlActionLink : public TzuActionLink {
public:
    explicit TzuControlActionLink(TzuControl* client) : m_client(client) {}
    TzuControl* Client() const { return m_client; }

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsVisibleLinked() const override;
    bool IsHintLinked() const override;
    bool IsOnExecuteLinked() const override;
    // Plain controls have neither a checked state nor an image of an action.
    bool IsCheckedLinked() const override { return false; }
    bool IsImageIndexLinked() const override { return false; }

    void SetCaption(const std::u16string& value) override;
    void SetEnabled(bool value) override;
    void SetVisible(bool value) override;
    void SetHint(const std::u16string& value) override;

private:
    TzuControl* m_client;
};

}  // namespace zu
