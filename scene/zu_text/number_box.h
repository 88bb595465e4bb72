#pragma once
// The text boxes that edit a number: TzuNumberBox changes its value by dragging the mouse
// across it, TzuSpinBox by the minus and plus buttons of its style. Both keep the value
// within Min and Max, show it in the process locale's number format and read typed text
// back when the edit ends (Enter or focus leaving). The spin box does not own its buttons:
// they are parts of its style, forgotten when the style goes.

#include "scene/zu_text/text_box.h"

namespace zu {

class TzuCustomButton;

enum TzuValueType : uint8_t { zuValueInteger, zuValueFloat };
extern const TzuEnumInfo kValueTypeEnum;

// What the two number boxes share: the value, its range and its text form.
class TzuCustomNumberBox : public TzuTextBox {
    ZU_CLASS(TzuCustomNumberBox)
public:
    explicit TzuCustomNumberBox(TzuComponent* owner);

    float Value() const { return m_value; }
    void SetValue(float value);
    float Min() const { return m_min; }
    void SetMin(float value);
    float Max() const { return m_max; }
    void SetMax(float value);
    TzuValueType ValueType() const { return m_valueType; }
    virtual void SetValueType(TzuValueType value);
    int DecimalDigits() const { return m_decimalDigits; }
    void SetDecimalDigits(int value);

    // Reads the typed text as a number in the process locale; text that is none leaves
    // the value as it was. The text is rewritten from the value either way.
    void Change() override;
    void Loaded() override;
    TzuVariant GetData() override { return double(m_value); }
    void SetData(const TzuVariant& value) override;

    // The value's text: with DecimalDigits decimals for a fractional float, else the
    // whole part. general: the shortest decimals that give the value back instead.
    std::u16string FormatValue(float value, bool general) const;
    // A number in the process locale (either decimal mark is taken), or false.
    static bool ParseNumber(const std::u16string& text, double& out);

protected:
    // The step of the Up and Down keys.
    virtual float KeyIncrement() const = 0;
    void KeyDown(uint16_t& key, char16_t& keyChar, TzuShiftState shift) override;
    // Adds delta to the value, marking the text changed.
    void Step(float delta);

private:
    float Clamped(float value) const;
    void ShowValue(bool general);

    float m_value = 0;
    float m_min = 0;
    float m_max = 10;
    int m_decimalDigits = 2;
    TzuValueType m_valueType = zuValueInteger;
};

class TzuNumberBox : public TzuCustomNumberBox {
    ZU_CLASS(TzuNumberBox)
public:
    explicit TzuNumberBox(TzuComponent* owner);

    float HorzIncrement() const { return m_horzIncrement; }
    void SetHorzIncrement(float value) { m_horzIncrement = value; }
    float VertIncrement() const { return m_vertIncrement; }
    void SetVertIncrement(float value) { m_vertIncrement = value; }
    bool Dragging() const { return m_dragging; }
    // The drag's last direction: true when the vertical distance won.
    bool DragVertical() const { return m_dragVertical; }

    void MouseDown(TzuMouseButton button, TzuShiftState shift, float x, float y) override;
    void MouseMove(TzuShiftState shift, float x, float y, float dx, float dy) override;
    void MouseUp(TzuMouseButton button, TzuShiftState shift, float x, float y) override;

protected:
    float KeyIncrement() const override { return m_horzIncrement; }
    void PaintOver(TzuCanvas& canvas, const TzuPoint& offset) override;

private:
    TzuPoint m_dragPoint{};
    float m_horzIncrement = 1;
    float m_vertIncrement = 5;
    bool m_dragging = false;
    bool m_dragVertical = false;
};

class TzuSpinBox : public TzuCustomNumberBox {
    ZU_CLASS(TzuSpinBox)
public:
    explicit TzuSpinBox(TzuComponent* owner);

    float Increment() const { return m_increment; }
    void SetIncrement(float value) { m_increment = value; }
    // An integer box cannot step by a fraction: a fractional increment goes back to 1.
    void SetValueType(TzuValueType value) override;
    TzuCustomButton* MinusButton() const { return m_minus; }
    TzuCustomButton* PlusButton() const { return m_plus; }
    void Notification(TzuComponent* component, TzuOperation operation) override;

protected:
    float KeyIncrement() const override { return m_increment; }
    void ApplyStyle() override;
    void FreeStyle() override;

private:
    void ButtonClick(float delta);
    void ForgetButtons();

    TzuCustomButton* m_minus = nullptr;
    TzuCustomButton* m_plus = nullptr;
    float m_increment = 1;
};

class TzuHudNumberBox : public TzuNumberBox {
    ZU_CLASS(TzuHudNumberBox)
public:
    using TzuNumberBox::TzuNumberBox;
};

class TzuHudSpinBox : public TzuSpinBox {
    ZU_CLASS(TzuHudSpinBox)
public:
    using TzuSpinBox::TzuSpinBox;
};

}  // namespace zu
