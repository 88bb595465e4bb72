#pragma once
// TzuFrame shows the root object of another scene inside its own scene. While shown, the
// borrowed root hangs below the frame and belongs to the frame's scene; it goes back to
// its own scene when the frame lets go or is freed. The frame never streams the borrowed
// root. When the scene is already shown elsewhere the frame makes (and owns) its own copy
// of the form that holds it.

#include <bitset>
#include <memory>

#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

class TzuBitmap;
class TzuCustomScene;

class TzuFrame : public TzuVisualObject {
    ZU_CLASS(TzuFrame)
public:
    explicit TzuFrame(TzuComponent* owner);
    ~TzuFrame() override;

    TzuCustomScene* SceneObject() const { return m_sceneObject; }
    void SetSceneObject(TzuCustomScene* scene);
    // The root currently shown, or null.
    TzuObject* Borrowed() const { return m_borrowed; }
    // The borrowed root is the other scene's, not this frame's: it is never written.
    void GetChildren(const std::function<void(TzuComponent*)>&, TzuComponent*) override {}
    void Notification(TzuComponent* component, TzuOperation operation) override;
    // A scene named in the stream is borrowed once the whole stream is read.
    void Loaded() override;

protected:
    void Paint() override;

private:
    void Release();
    void Link();
    void MakeOwnCopy();

    TzuCustomScene* m_sceneObject = nullptr;
    TzuObject* m_borrowed = nullptr;
    TzuComponent* m_formCopy = nullptr;  // owned when set
    std::unique_ptr<TzuBitmap> m_preview;
    bool m_needOwnCopy = false;
};

}  // namespace zu
