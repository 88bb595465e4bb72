#include "scene/zu_controls/path_button.h"

#include "scene/zu_objects/path.h"
#include "scene/zu_objects/text.h"

namespace zu {

const TzuClass& TzuPathButton::StaticClass() {
    using P = ZuProps<TzuPathButton>;
    using B = TzuPathButton;
    static const TzuPropInfo props[] = {
        P::Object<&B::Path>("Path"),
        P::Enum<&B::PathLayout, &B::SetPathLayout>("PathLayout", kButtonLayoutEnum).Default(zuGlyphLeft),
        P::Float<&B::PathSpacing, &B::SetPathSpacing>("PathSpacing").Default(0),
        P::Float<&B::PathSize, &B::SetPathSize>("PathSize").Default(32),
        P::Float<&B::PathPadding, &B::SetPathPadding>("PathPadding").Default(2),
        P::Object<&B::PathFill>("PathFill"),
        P::Object<&B::PathStroke>("PathStroke"),
        P::Float<&B::PathStrokeThickness, &B::SetPathStrokeThickness>("PathStrokeThickness")
            .StoredIf<&B::StrokeThicknessStored>(),
        P::Enum<&B::PathStrokeCap, &B::SetPathStrokeCap>("PathStrokeCap", kStrokeCapEnum).Default(zuCapFlat),
        P::Enum<&B::PathStrokeDash, &B::SetPathStrokeDash>("PathStrokeDash", kStrokeDashEnum).Default(0),
        P::Enum<&B::PathStrokeJoin, &B::SetPathStrokeJoin>("PathStrokeJoin", kStrokeJoinEnum)
            .Default(zuJoinMiter),
    };
    static const TzuClass cls = ZuClass<TzuPathButton, TzuCustomButton>("TzuPathButton", props);
    return cls;
}

TzuPathButton::TzuPathButton(TzuComponent* owner) : TzuCustomButton(owner) {
    SetBounds(0, 0, 50, 60);
    m_path.OnChange().Set([this](TzuPersistent*) { GlyphChanged(); });
    m_fill.OnChange().Set([this](TzuPersistent*) { GlyphChanged(); });
    m_stroke.OnChange().Set([this](TzuPersistent*) { GlyphChanged(); });
}

TzuPathButton::~TzuPathButton() {
    m_pathPart = nullptr;
    m_pathOwner = nullptr;
}

void TzuPathButton::SetPathStrokeThickness(float value) {
    if (value == m_strokeThickness) return;
    m_strokeThickness = value;
    GlyphChanged();
}

void TzuPathButton::SetPathStrokeCap(TzuStrokeCap value) {
    if (value == m_strokeCap) return;
    m_strokeCap = value;
    GlyphChanged();
}

void TzuPathButton::SetPathStrokeDash(TzuStrokeDash value) {
    if (value == m_strokeDash) return;
    m_strokeDash = value;
    GlyphChanged();
}

void TzuPathButton::SetPathStrokeJoin(TzuStrokeJoin value) {
    if (value == m_strokeJoin) return;
    m_strokeJoin = value;
    GlyphChanged();
}

void TzuPathButton::SetPathLayout(TzuButtonLayout value) {
    if (value == m_placement.layout) return;
    m_placement.layout = value;
    GlyphChanged();
}

void TzuPathButton::SetPathSpacing(float value) {
    if (value == m_placement.spacing) return;
    m_placement.spacing = value;
    GlyphChanged();
}

void TzuPathButton::SetPathSize(float value) {
    if (value == m_placement.size) return;
    m_placement.size = value;
    GlyphChanged();
}

void TzuPathButton::SetPathPadding(float value) {
    if (value == m_placement.padding) return;
    m_placement.padding = value;
    GlyphChanged();
}

void TzuPathButton::GlyphChanged() {
    if (IsLoading()) return;  // Loaded styles the button with everything read
    ShowGlyph();
    Repaint();
}

void TzuPathButton::ShowGlyph() {
    if (m_pathPart) {
        m_pathPart->Data()->Assign(m_path);
        m_pathPart->SetFill(m_fill);
        m_pathPart->SetStroke(m_stroke);
        m_pathPart->SetStrokeThickness(m_strokeThickness);
        m_pathPart->SetStrokeCap(m_strokeCap);
        m_pathPart->SetStrokeJoin(m_strokeJoin);
        m_pathPart->SetStrokeDash(m_strokeDash);
    }
    PlaceGlyph(m_pathOwner, As<TzuVisualObject>(FindResource("text")), m_path.IsEmpty(), m_placement,
               Height());
}

void TzuPathButton::Realign() {
    if (m_pathOwner && !IsLoading() && !IsDestroying())
        PlaceGlyph(m_pathOwner, As<TzuVisualObject>(FindResource("text")), m_path.IsEmpty(), m_placement,
                   Height());
    TzuCustomButton::Realign();
}

void TzuPathButton::ApplyStyle() {
    TzuCustomButton::ApplyStyle();
    m_pathPart = As<TzuPath>(FindResource("path"));
    m_pathOwner = As<TzuVisualObject>(FindResource("pathowner"));
    if (m_pathPart) m_pathPart->FreeNotification(this);
    if (m_pathOwner) m_pathOwner->FreeNotification(this);
    ShowGlyph();
}

void TzuPathButton::FreeStyle() {
    if (m_pathPart) m_pathPart->RemoveFreeNotification(this);
    if (m_pathOwner) m_pathOwner->RemoveFreeNotification(this);
    m_pathPart = nullptr;
    m_pathOwner = nullptr;
    TzuCustomButton::FreeStyle();
}

void TzuPathButton::Notification(TzuComponent* component, TzuOperation operation) {
    TzuCustomButton::Notification(component, operation);
    if (operation != TzuOperation::opRemove) return;
    if (component == static_cast<TzuComponent*>(m_pathPart)) m_pathPart = nullptr;
    if (component == static_cast<TzuComponent*>(m_pathOwner)) m_pathOwner = nullptr;
}

const TzuClass& TzuToolPathButton::StaticClass() {
    using P = ZuProps<TzuToolPathButton>;
    using B = TzuToolPathButton;
    static const TzuPropInfo props[] = {
        P::Bool<&B::CanFocus, &B::SetCanFocus>("CanFocused").Default(0),
        P::Enum<&B::PathLayout, &B::SetPathLayout>("PathLayout", kButtonLayoutEnum).Default(zuGlyphTop),
    };
    static const TzuClass cls = ZuClass<TzuToolPathButton, TzuPathButton>("TzuToolPathButton", props);
    return cls;
}

TzuToolPathButton::TzuToolPathButton(TzuComponent* owner) : TzuPathButton(owner) {
    SetCanFocus(false);
    SetPathLayout(zuGlyphTop);
}

}  // namespace zu
