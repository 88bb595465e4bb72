#pragma once
// TzuPathObject is a scene object that owns one path shared by name: path data elsewhere
// refers to it through its ResourceName and is told when it goes.

#include <memory>
#include <string>

#include "scene/zu_scene/graphics/path_data.h"
#include "scene/zu_scene/tree/object.h"

namespace zu {

class TzuPathObject : public TzuObject {
    ZU_CLASS(TzuPathObject)
public:
    explicit TzuPathObject(TzuComponent* owner);
    ~TzuPathObject() override;

    TzuPathData* Path() const { return m_path.get(); }
    // Copies the given path; the object keeps its own.
    void SetPath(const TzuPathData* path);

    // A resource object is found by its component name unless given another one.
    void SetName(const std::string& name) override;

private:
    std::unique_ptr<TzuPathData> m_path;
};

}  // namespace zu
