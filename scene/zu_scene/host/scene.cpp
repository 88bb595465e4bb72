#include "scene/zu_scene/host/scene.h"

#include <algorithm>
#include <cmath>

#include "platform/core/application.h"
#include "platform/core/property.h"
#include "platform/core/timer.h"
#include "scene/zu_scene/graphics/brush.h"
#include "scene/zu_scene/host/design_hook.h"
#include "scene/zu_scene/tree/ani_thread.h"
#include "scene/zu_scene/tree/background.h"
#include "scene/zu_scene/tree/control.h"
#include "scene/zu_scene/tree/frame_paint.h"
#include "scene/zu_scene/tree/resources.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {

std::vector<TzuCustomScene*>& Scenes() {
    static std::vector<TzuCustomScene*> scenes;
    return scenes;
}

// "Everything": clipped to the client area by AddUpdateRect.
constexpr float kWholeScene = 65535;

}  // namespace

const std::vector<TzuCustomScene*>& SceneList() { return Scenes(); }

// The three snapping settings are always written, after the published properties; the
// grid display is a design-time choice and is kept only while designing.
const TzuClass& TzuCustomScene::StaticClass() {
    using P = ZuProps<TzuCustomScene>;
    static const TzuPropInfo props[] = {
        P::Defined<&TzuCustomScene::ReadSnapGridShow, &TzuCustomScene::WriteSnapGridShow>(
            "DesignSnapGridShow"),
        P::Defined<&TzuCustomScene::ReadSnapToGrid, &TzuCustomScene::WriteSnapToGrid>("DesignSnapToGrid"),
        P::Defined<&TzuCustomScene::ReadSnapToLines, &TzuCustomScene::WriteSnapToLines>("DesignSnapToLines"),
    };
    static const TzuClass cls = ZuClass<TzuCustomScene, TzuWinControl>("TzuCustomScene", props);
    return cls;
}

const TzuClass& TzuScene::StaticClass() {
    using P = ZuProps<TzuScene>;
    static const TzuPropInfo props[] = {
        P::Enum<&TzuScene::Align, &TzuScene::SetAlign>("Align", kControlAlignEnum).Default(alNone),
        P::Bool<&TzuScene::AnimatedCaret, &TzuScene::SetAnimatedCaret>("AnimatedCaret").Default(1),
        P::Object<&TzuScene::Fill>("Fill"),
        P::Bool<&TzuScene::Transparency, &TzuScene::SetTransparency>("Transparency").Default(0),
        P::Bool<&TzuScene::TabStop, &TzuScene::SetTabStop>("TabStop").Default(0),
        P::Reference<&TzuScene::ActiveControl, &TzuScene::SetActiveControl>("ActiveControl"),
        P::Reference<&TzuScene::Style, &TzuScene::SetStyle>("Style"),
        P::Event<&TzuScene::OnFramePresented>("OnFramePresented"),
    };
    static const TzuClass cls = ZuClass<TzuScene, TzuCustomScene>("TzuScene", props);
    return cls;
}

namespace {
bool StreamBool(const TzuStreamValue& v) {
    if (const bool* b = std::get_if<bool>(&v)) return *b;
    if (const std::string* s = std::get_if<std::string>(&v)) return SameText(*s, "True");
    return false;
}
}  // namespace

void TzuCustomScene::ReadSnapGridShow(const TzuStreamValue& v) {
    if (m_designing) m_designSnapGridShow = StreamBool(v);
}
void TzuCustomScene::ReadSnapToGrid(const TzuStreamValue& v) { m_designSnapToGrid = StreamBool(v); }
void TzuCustomScene::ReadSnapToLines(const TzuStreamValue& v) { m_designSnapToLines = StreamBool(v); }
TzuStreamValue TzuCustomScene::WriteSnapGridShow() const { return m_designSnapGridShow; }
TzuStreamValue TzuCustomScene::WriteSnapToGrid() const { return m_designSnapToGrid; }
TzuStreamValue TzuCustomScene::WriteSnapToLines() const { return m_designSnapToLines; }

TzuCustomScene::TzuCustomScene(TzuComponent* owner)
    : TzuWinControl(owner),
      m_target(std::make_unique<WindowTarget>(*this)),
      m_fill(std::make_unique<TzuBrush>(zuBrushNone, 0xFF000000)) {
    // A scene made by a designing owner (a form being edited) is designed too.
    m_designing = TzuComponent::IsDesigning() || (owner && owner->IsDesigning());
    m_fill->OnChange().Set([this](TzuPersistent*) { FillChanged(); });
    SetBounds(Left(), Top(), 100, 100);
    // Without a rendering backend (a tool that only converts streams) the scene still
    // loads; it gets its canvas once a backend is there and a window needs one.
    if (DefaultCanvasClass()) m_canvas = TzuCanvas::CreateBuffered(Width(), Height());
    Scenes().push_back(this);
    if (m_designing) {
        if (IzuDesignHook* hook = DesignHook()) hook->SceneCreated(*this);
    }
}

TzuCustomScene::~TzuCustomScene() {
    SetStateFlag(csDestroying, true);
    if (m_designing) {
        if (IzuDesignHook* hook = DesignHook()) hook->SceneDestroyed(*this);
    }
    if (m_deferredRepaint && Application()) Application()->CancelMessage(m_deferredRepaint);
    m_deferredRepaint = 0;
    SetStyle(nullptr);
    // Free the top-level objects while the scene is still whole: their destructors call
    // back into it.
    while (!m_objects.empty()) {
        TzuObject* o = m_objects.back();
        m_objects.pop_back();
        o->SetScene(nullptr);
        delete o;
    }
    DestroyWindowTree();
    m_canvas.reset();
    std::erase(Scenes(), this);
    // The animation clock serves every scene and goes with the last one.
    if (Scenes().empty()) TzuAniThread::FreeInstance();
}

// ---- Objects ----

void TzuCustomScene::AddObject(TzuObject* object) {
    if (!object) return;
    if (object->Parent()) object->SetParent(nullptr);
    if (std::find(m_objects.begin(), m_objects.end(), object) != m_objects.end()) return;
    m_objects.push_back(object);
    object->SetScene(this);
    if (object->IsVisual() && !IsDestroying()) {
        auto* v = static_cast<TzuVisualObject*>(object);
        // Matrices and areas from the tree it came from (a popup leaving its owner's
        // scene) no longer hold: it stands at the scene's origin now.
        v->InvalidateAbsoluteMatrix();
        v->RecalcAbsoluteMatrices();
        v->InvalidateUpdateRect();
        v->Realign();
        v->Repaint();
        RealignRoot();
    }
}

void TzuCustomScene::RemoveObject(TzuObject* object) {
    auto it = std::find(m_objects.begin(), m_objects.end(), object);
    if (it == m_objects.end()) return;
    Invalidate();
    ObjectLeaving(object);
    object->SetScene(nullptr);
    Notification(object, TzuOperation::opRemove);
    m_objects.erase(std::find(m_objects.begin(), m_objects.end(), object));
}

void TzuCustomScene::MoveObjectToFront(TzuObject* object) {
    auto it = std::find(m_objects.begin(), m_objects.end(), object);
    if (it == m_objects.end() || it == m_objects.begin()) return;
    m_objects.erase(it);
    m_objects.insert(m_objects.begin(), object);
}

void TzuCustomScene::RealignRoot() {
    auto* root = As<TzuVisualObject>(Root());
    if (!root) return;
    const TzuPoint scale = root->ScalePoint();
    // A zero scale cannot be filled; the root keeps its size rather than become infinite.
    if (scale.X == 0 || scale.Y == 0) return;
    root->SetBounds(0, 0, ClientWidth() / scale.X, ClientHeight() / scale.Y);
}

void TzuCustomScene::EndUpdate() {
    m_updating = false;
    Invalidate();
}

// ---- Update rectangles ----

void TzuCustomScene::AddUpdateRect(const TzuRect& rect) {
    if (m_updating || IsLoading() || IsDestroying() || !HandleAllocated()) return;
    if (!m_canvas || !m_canvas->BufferBits()) return;
    // NaN or huge coordinates from a broken object must not reach the integer window calls.
    if (!std::isfinite(rect.Left) || !std::isfinite(rect.Top) || !std::isfinite(rect.Right) ||
        !std::isfinite(rect.Bottom)) {
        return;
    }
    const TzuRect widened{std::trunc(rect.Left), std::trunc(rect.Top), std::trunc(rect.Right) + 1,
                          std::trunc(rect.Bottom) + 1};
    TzuRect r;
    if (!RectIntersection(widened, TzuRect{0, 0, float(ClientWidth()), float(ClientHeight())}, r)) return;
    if (IsLayered()) {
        m_updateRects.push_back(r);
        PostDeferredRepaint();
        return;
    }
    InvalidateRect({int(r.Left), int(r.Top), int(r.Right), int(r.Bottom)});
}

TzuRect TzuCustomScene::UpdateRect(int index) const {
    if (index < 0 || index >= UpdateRectCount()) throw EzuError("list index error");
    return m_updateRects[static_cast<size_t>(index)];
}

void TzuCustomScene::PostDeferredRepaint() {
    TzuApplication* app = Application();
    // One queued repaint paints everything queued so far, so one is enough.
    if (!app || m_deferredRepaint) return;
    m_deferredRepaint = app->PostMessage([this] {
        m_deferredRepaint = 0;
        PaintScene();
    });
}

// ---- Window ----

void TzuCustomScene::CreateHandle() {
    if (!m_canvas) m_canvas = TzuCanvas::CreateBuffered(ClientWidth(), ClientHeight());
    FitCanvas();
    RealignRoot();
    AddUpdateRect({0, 0, float(ClientWidth()), float(ClientHeight())});
    // Files and text from other programs may be dropped onto any scene.
    if (Window()) Window()->SetDropTarget(true);
    // The platform's menus and dialogs opened over this scene take its look.
    if (Application()) Application()->SetDarkLook(StyleIsDark());
    if (m_transparency && !m_designing && Parent() && Parent()->IsForm() && Parent()->Window()) {
        Parent()->Window()->SetLayered(true);
        UpdateLayered();
        AddUpdateRect({0, 0, kWholeScene, kWholeScene});
    }
}

void TzuCustomScene::DestroyHandle() {
    if (m_deferredRepaint && Application()) Application()->CancelMessage(m_deferredRepaint);
    m_deferredRepaint = 0;
    m_updateRects.clear();
}

void TzuCustomScene::BoundsChanged() {
    if (m_canvas && HandleAllocated()) {
        FitCanvas();
        RealignRoot();
    }
}

void TzuCustomScene::FitCanvas() {
    // The scale belongs to the window the scene shows in, not to its objects: they keep
    // their units and the canvas turns them into device pixels.
    const int scale = Window() ? Window()->ScaleFactor() : 1;
    m_canvas->SetDeviceScale(scale);
    m_canvas->ResizeBuffer(ClientWidth() * m_canvas->DeviceScale(), ClientHeight() * m_canvas->DeviceScale());
}

void TzuCustomScene::WindowScaleChanged() {
    if (!m_canvas || !HandleAllocated()) return;
    FitCanvas();
    AddUpdateRect({0, 0, float(ClientWidth()), float(ClientHeight())});
}

void TzuCustomScene::VisibleChanged() { AddUpdateRect({0, 0, float(Width()), float(Height())}); }

void TzuCustomScene::WindowPaint(std::span<const TzuWinRect> rects) {
    if (m_painting) return;
    m_updateRects.clear();
    for (const TzuWinRect& r : rects) {
        m_updateRects.push_back({float(r.Left), float(r.Top), float(r.Right), float(r.Bottom)});
    }
    PaintScene();
}

TzuPoint TzuCustomScene::LocalToScreen(const TzuPoint& p) const {
    TzuWinPoint q{int(p.X), int(p.Y)};
    if (IzuWindow* w = Window()) q = w->ClientToScreen(q);
    return {float(q.X), float(q.Y)};
}

// ---- Properties ----

void TzuCustomScene::SetFill(const TzuBrush& value) { m_fill->Assign(value); }

void TzuCustomScene::FillChanged() {
    m_updateRects.clear();
    AddUpdateRect({0, 0, float(Width()), float(Height())});
}

void TzuCustomScene::SetTransparency(bool value) {
    if (value == m_transparency) return;
    m_transparency = value;
    // The form must switch its presentation too, or a layered frame would go to a window
    // that cannot show it.
    if (HandleAllocated() && !m_designing && Parent() && Parent()->IsForm() && Parent()->Window()) {
        Parent()->Window()->SetLayered(m_transparency);
    }
    AddUpdateRect({0, 0, 10000, 10000});
}

void TzuCustomScene::SetActiveControl(TzuControl* value) {
    if (value == m_activeControl) return;
    m_activeControl = value;
    if (m_activeControl && !IsLoading() && m_activeControl->CanFocus()) SetFocused(m_activeControl);
}

void TzuCustomScene::SetStyle(TzuResources* style) {
    if (style == m_style) return;
    if (m_style) {
        m_style->UnregisterScene(this);
        m_style->RemoveFreeNotification(this);
    }
    m_style = style;
    if (m_style) {
        m_style->RegisterScene(this);
        m_style->FreeNotification(this);
    }
    if (!IsDestroying()) UpdateStyle();
}

void TzuCustomScene::UpdateStyle() {
    if (TzuObject* root = Root()) root->UpdateStyle();
    if (Application() && HandleAllocated()) Application()->SetDarkLook(StyleIsDark());
}

bool TzuCustomScene::StyleIsDark() {
    TzuObject* styleRoot = m_style ? m_style->StyleRoot() : nullptr;
    if (!styleRoot) styleRoot = LoadDefaultStyle();
    auto* back = As<TzuBackground>(styleRoot);
    if (!back || back->Fill()->Style() != zuBrushSolid) return false;
    const uint32_t c = back->Fill()->Color();
    const double luma = 0.299 * ((c >> 16) & 0xFF) + 0.587 * ((c >> 8) & 0xFF) + 0.114 * (c & 0xFF);
    return luma < 128;
}

void TzuCustomScene::SetFrameLink(TzuComponent* frame) {
    if (frame == m_frameLink) return;
    if (m_frameLink) m_frameLink->RemoveFreeNotification(this);
    m_frameLink = frame;
    if (m_frameLink) m_frameLink->FreeNotification(this);
}

bool TzuCustomScene::IsTransparentChild() { return m_transparency && !(Parent() && Parent()->IsForm()); }

bool TzuCustomScene::IsLayered() { return m_transparency && Parent() && Parent()->IsForm() && !m_designing; }

// ---- Component hooks ----

void TzuCustomScene::Notification(TzuComponent* component, TzuOperation operation) {
    TzuWinControl::Notification(component, operation);
    if (operation != TzuOperation::opRemove || !component) return;
    if (component == static_cast<TzuComponent*>(m_activeControl)) m_activeControl = nullptr;
    if (component == m_captured) SetCaptured(nullptr);
    if (component == m_designSelection) {
        m_designSelection = nullptr;
        m_designGrip = TzuDesignGrip::None;
    }
    if (component == static_cast<TzuComponent*>(m_hovered)) m_hovered = nullptr;
    if (component == static_cast<TzuComponent*>(m_dragTarget)) m_dragTarget = nullptr;
    if (component == static_cast<TzuComponent*>(m_dragSource)) m_dragSource = nullptr;
    if (component == m_focused) m_focused = nullptr;
    if (component == m_designPlaceTarget) m_designPlaceTarget = nullptr;
    if (component == m_designDblClickObject) m_designDblClickObject = nullptr;
    if (auto* object = As<TzuObject>(component); object && m_designing) {
        std::erase(m_designList, object);
        if (object->IsVisual()) std::erase(m_designSnapSiblings, static_cast<TzuVisualObject*>(object));
    }
    if (component == m_frameLink) m_frameLink = nullptr;
    if (component == m_loadTimer) m_loadTimer = nullptr;
    if (component == static_cast<TzuComponent*>(m_style)) {
        // The resource is going: its scenes fall back to the other style sources.
        m_style = nullptr;
        if (!IsDestroying()) UpdateStyle();
    }
}

void TzuCustomScene::Loaded() {
    TzuWinControl::Loaded();
    if (m_designSnapToLines) m_designSnapToGrid = false;
    // The first full paint waits one tick, so everything created with the scene (the
    // form's create handler included) is in place before it.
    if (m_loadTimer) return;
    m_loadTimer = new TzuTimer(this);
    m_loadTimer->SetInterval(1);
    m_loadTimer->OnTimer().Set([this](TzuPersistent*) { LoadTimerTick(); });
}

void TzuCustomScene::LoadTimerTick() {
    TzuTimer* timer = m_loadTimer;
    m_loadTimer = nullptr;
    timer->SetEnabled(false);
    AddUpdateRect({0, 0, kWholeScene, kWholeScene});
    delete timer;
}

void TzuCustomScene::GetChildren(const std::function<void(TzuComponent*)>& proc, TzuComponent* root) {
    TzuWinControl::GetChildren(proc, root);
    for (TzuObject* o : m_objects) {
        if (o->Stored()) proc(o);
    }
}

}  // namespace zu
