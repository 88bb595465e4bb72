#pragma once
// TzuResources carries a style tree as component-stream text and serves it to the scenes
// whose Style it is. It owns the style root read from the text; the scenes register
// themselves while it is their Style, and every one of them restyles when the text
// changes. A freed TzuResources leaves none of those scenes pointing at it.

#include <memory>
#include <string>
#include <vector>

#include "platform/core/component.h"
#include "scene/zu_scene/tree/object.h"
#include "scene/zu_scene/types/wide_strings.h"

namespace zu {

class TzuResources : public TzuComponent {
    ZU_CLASS(TzuResources)
public:
    explicit TzuResources(TzuComponent* owner);
    ~TzuResources() override;

    // The style's text lines; any change rereads the style root.
    TzuWideStringList* Resource() const { return m_resource.get(); }
    // Raises EzuLimitError, leaving no style root, when the style asks for more than a
    // load allows.
    void SetResourceText(std::string_view text);
    std::string ResourceText() const;
    TzuObject* StyleRoot() const { return m_root.get(); }
    const std::string& FileName() const { return m_fileName; }
    // Loads Resource from that file beside the executable, else from the name itself; a
    // file that is missing, not a regular file or too large leaves Resource unchanged.
    // Style files may name others; one already being read (a file naming itself, directly
    // or through others) and a chain more than four deep raise EzuLimitError.
    void SetFileName(const std::string& value);
    void Loaded() override;

    // Scenes whose Style this is.
    void RegisterScene(IzuScene* scene);
    void UnregisterScene(IzuScene* scene);
    int SceneCount() const { return static_cast<int>(m_scenes.size()); }

    // The binary form a stored form carries ("ResourcesBin").
    void ReadResourcesBin(const TzuStreamValue& value);
    TzuStreamValue WriteResourcesBin() const;
    bool ResourcesBinStored() const { return m_root != nullptr; }

    // Largest style file read through FileName.
    static constexpr uintmax_t kMaxFileSize = 64u << 20;

private:
    void ResourceChanged();
    void LoadFromFile();
    void RootReplaced();
    void UpdateScenes();

    std::unique_ptr<TzuWideStringList> m_resource;
    std::unique_ptr<TzuObject> m_root;
    std::vector<IzuScene*> m_scenes;
    std::string m_fileName;
};

// Reads path into text when it names a regular file of at most maxSize bytes.
bool ReadRegularFile(const std::string& path, uintmax_t maxSize, std::string& text);

}  // namespace zu
