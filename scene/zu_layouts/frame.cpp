#include "scene/zu_layouts/frame.h"

#include "platform/core/property.h"
#include "scene/zu_layouts/layout.h"
#include "scene/zu_scene/graphics/bitmap.h"
#include "scene/zu_scene/graphics/canvas.h"
#include "scene/zu_scene/host/scene.h"

namespace zu {

const TzuClass& TzuFrame::StaticClass() {
    using P = ZuProps<TzuFrame>;
    static const TzuPropInfo props[] = {
        P::Reference<&TzuFrame::SceneObject, &TzuFrame::SetSceneObject>("SceneObject"),
    };
    static const TzuClass cls = ZuClass<TzuFrame, TzuVisualObject>("TzuFrame", props);
    return cls;
}

TzuFrame::TzuFrame(TzuComponent* owner) : TzuVisualObject(owner) {}

TzuFrame::~TzuFrame() {
    SetStateFlag(csDestroying, true);
    Release();
    if (m_sceneObject) m_sceneObject->RemoveFreeNotification(this);
    m_sceneObject = nullptr;
}

void TzuFrame::SetSceneObject(TzuCustomScene* scene) {
    if (scene == m_sceneObject) return;
    if (scene && Scene() && Scene()->SceneControl() == scene) return;
    const bool designing = IsSceneDesigning();
    if (!designing) Release();
    if (m_sceneObject) m_sceneObject->RemoveFreeNotification(this);
    m_sceneObject = scene;
    m_needOwnCopy = false;
    if (m_sceneObject) m_sceneObject->FreeNotification(this);
    if (designing || IsLoading()) {
        Repaint();
        return;
    }
    Link();
}

void TzuFrame::Loaded() {
    TzuVisualObject::Loaded();
    if (m_sceneObject && !m_borrowed && !IsSceneDesigning()) Link();
}

void TzuFrame::Link() {
    if (!m_sceneObject) return;
    if (m_sceneObject->FrameLink() && m_sceneObject->FrameLink() != this) {
        m_needOwnCopy = true;
        Repaint();
        return;
    }
    TzuObject* root = m_sceneObject->Root();
    // A root that holds this frame would hang below itself: two frames showing each
    // other's scenes, or a frame showing its own scene through another.
    for (TzuObject* o = this; o && root; o = o->Parent()) {
        if (o == root) return;
    }
    m_sceneObject->SetFrameLink(this);
    if (!root) return;
    m_borrowed = root;
    root->FreeNotification(this);
    root->SetParent(this);
    // The subtree belongs to this frame's scene while shown: repaints, focus and hover go
    // to the scene that paints it.
    root->SetScene(Scene());
    if (auto* v = As<TzuVisualObject>(root)) {
        v->SetAlign(vaClient);
        Realign();
    }
}

void TzuFrame::Release() {
    TzuCustomScene* scene = m_sceneObject;
    TzuObject* root = m_borrowed;
    m_borrowed = nullptr;
    if (root) {
        root->RemoveFreeNotification(this);
        if (scene && !scene->IsDestroying()) {
            scene->AddObject(root);
            scene->MoveObjectToFront(root);
            scene->RealignRoot();
        } else if (root->Parent() == this) {
            root->SetParent(nullptr);
        }
    }
    if (scene && scene->FrameLink() == this) scene->SetFrameLink(nullptr);
    if (m_formCopy) {
        TzuComponent* copy = m_formCopy;
        m_formCopy = nullptr;
        // The scene shown came from the copy; it goes with it.
        if (m_sceneObject && m_sceneObject->Owner() == copy) {
            m_sceneObject->RemoveFreeNotification(this);
            m_sceneObject = nullptr;
        }
        delete copy;
    }
}

void TzuFrame::MakeOwnCopy() {
    m_needOwnCopy = false;
    if (!m_sceneObject) return;
    TzuComponent* form = m_sceneObject->Owner();
    if (!form || !form->ClassType().create) return;
    const std::string name = m_sceneObject->Name();
    auto* copy = static_cast<TzuComponent*>(form->ClassType().create(nullptr));
    auto* scene = As<TzuCustomScene>(copy ? copy->FindComponent(name) : nullptr);
    if (!scene || scene->FrameLink()) {
        delete copy;
        return;
    }
    m_sceneObject->RemoveFreeNotification(this);
    m_sceneObject = scene;
    m_sceneObject->FreeNotification(this);
    m_formCopy = copy;
    Link();
}

void TzuFrame::Notification(TzuComponent* component, TzuOperation operation) {
    TzuVisualObject::Notification(component, operation);
    if (operation != TzuOperation::opRemove || !component) return;
    if (component == m_borrowed) m_borrowed = nullptr;
    if (component == static_cast<TzuComponent*>(m_sceneObject)) {
        // The scene is going, and a scene frees its root: an owned root goes with its
        // owner, one without an owner goes now.
        TzuObject* root = m_borrowed;
        m_borrowed = nullptr;
        m_sceneObject = nullptr;
        if (root) {
            root->RemoveFreeNotification(this);
            if (!root->Owner()) {
                delete root;
            } else {
                if (root->Parent() == this) root->SetParent(nullptr);
                root->SetScene(nullptr);
            }
        }
    }
    if (component == m_formCopy) m_formCopy = nullptr;
}

void TzuFrame::Paint() {
    if (m_needOwnCopy && !IsSceneDesigning()) {
        MakeOwnCopy();
        return;
    }
    if (!IsSceneDesigning()) return;
    PaintDesignOutline(this);
    auto* root = m_sceneObject ? As<TzuVisualObject>(m_sceneObject->Root()) : nullptr;
    TzuCanvas* cv = Canvas();
    const int w = static_cast<int>(Width());
    const int h = static_cast<int>(Height());
    if (!root || !cv || w <= 0 || h <= 0 || root->Parent()) return;
    if (!m_preview) m_preview = std::make_unique<TzuBitmap>(w, h);
    if (m_preview->Width() != w || m_preview->Height() != h) m_preview->SetSize(w, h);
    TzuCanvas* target = m_preview->Canvas();
    if (!target) return;
    target->ClearRect(TzuRect{0, 0, float(w), float(h)}, 0);
    const TzuRect saved{root->Position()->X(), root->Position()->Y(), root->Position()->X() + root->Width(),
                        root->Position()->Y() + root->Height()};
    root->SetBounds(0, 0, Width(), Height());
    root->PaintTo(target, TzuRect{0, 0, Width(), Height()}, nullptr);
    root->SetBounds(saved.Left, saved.Top, saved.Right - saved.Left, saved.Bottom - saved.Top);
    cv->SetMatrix(AbsoluteMatrix());
    cv->DrawBitmap(*m_preview, TzuRect{0, 0, float(w), float(h)}, LocalRect(), AbsoluteOpacity(), false);
}

}  // namespace zu
