#include "scene/zu_scene/tree/resources.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/load_limits.h"
#include "platform/core/property.h"
#include "platform/core/utf.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace zu {

namespace {
// Style files being read on this thread through FileName, by resolved path, outermost first.
thread_local std::vector<std::string> t_filesBeingRead;
// Style files that load others: a real style needs one or two; each may be large.
constexpr size_t kMaxFileDepth = 4;
// A refusal met while the text's change event ran, for SetResourceText to raise.
thread_local std::exception_ptr t_refused;

std::string ExecutableDir() {
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return {};
    std::string path(buf, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

void ShowDesignHidden(TzuObject* root) {
    std::vector<TzuObject*> all{root};
    root->CollectObjects(all);
    for (TzuObject* o : all) {
        if (auto* v = As<TzuVisualObject>(o)) v->SetDesignHide(false);
    }
}
}  // namespace

bool ReadRegularFile(const std::string& path, uintmax_t maxSize, std::string& text) {
    struct stat st {};
    if (path.empty() || stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    if (static_cast<uintmax_t>(st.st_size) > maxSize) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string data;
    data.resize(static_cast<size_t>(st.st_size));
    in.read(data.data(), static_cast<std::streamsize>(data.size()));
    // The file may have grown or shrunk since it was measured: keep what was read, and
    // refuse a file that grew past the limit meanwhile.
    data.resize(static_cast<size_t>(in.gcount()));
    if (in.peek() != std::char_traits<char>::eof()) return false;
    text = std::move(data);
    return true;
}

const TzuClass& TzuResources::StaticClass() {
    using P = ZuProps<TzuResources>;
    static const TzuPropInfo props[] = {
        P::Object<&TzuResources::Resource>("Resource").NotStored(),
        P::String<&TzuResources::FileName, &TzuResources::SetFileName>("FileName"),
        P::Defined<&TzuResources::ReadResourcesBin, &TzuResources::WriteResourcesBin,
                   &TzuResources::ResourcesBinStored>("ResourcesBin"),
    };
    static const TzuClass cls = ZuClass<TzuResources, TzuComponent>("TzuResources", props);
    return cls;
}

TzuResources::TzuResources(TzuComponent* owner)
    : TzuComponent(owner), m_resource(std::make_unique<TzuWideStringList>()) {
    m_resource->OnChange().Set([this](TzuPersistent*) { ResourceChanged(); });
}

TzuResources::~TzuResources() {
    SetStateFlag(csDestroying, true);
    // Every scene drops its Style first, so none restyles from a root that is going.
    const std::vector<IzuScene*> scenes = m_scenes;
    for (IzuScene* scene : scenes) {
        if (scene->Style() == this) scene->SetStyle(nullptr);
    }
    m_scenes.clear();
    m_root.reset();
}

void TzuResources::SetResourceText(std::string_view text) {
    t_refused = nullptr;
    m_resource->SetText(Utf8ToUtf16(text));
    // The change event that read the text could not raise the refusal itself.
    if (std::exception_ptr refused = std::exchange(t_refused, nullptr)) std::rethrow_exception(refused);
}

std::string TzuResources::ResourceText() const { return Utf16ToUtf8(m_resource->Text()); }

void TzuResources::SetFileName(const std::string& value) {
    if (value == m_fileName) return;
    m_fileName = value;
    if (!IsLoading()) LoadFromFile();
}

void TzuResources::Loaded() {
    TzuComponent::Loaded();
    if (!m_fileName.empty()) LoadFromFile();
}

void TzuResources::LoadFromFile() {
    if (m_fileName.empty()) return;
    std::string text;
    const bool absolute = m_fileName.front() == '/';
    std::string path = absolute ? std::string() : ExecutableDir() + m_fileName;
    if (!ReadRegularFile(path, kMaxFileSize, text)) {
        path = m_fileName;
        if (!ReadRegularFile(path, kMaxFileSize, text)) return;
    }
    // A style file may hold resources naming other files, itself among them: a file
    // already being read is refused by its resolved path, and the chain has a depth limit.
    std::error_code ec;
    std::string resolved = std::filesystem::weakly_canonical(path, ec).string();
    if (ec) resolved = path;
    if (std::find(t_filesBeingRead.begin(), t_filesBeingRead.end(), resolved) != t_filesBeingRead.end())
        throw EzuLimitError("style file " + path + " is already being read");
    if (t_filesBeingRead.size() >= kMaxFileDepth) {
        throw EzuLimitError("style file " + path + " is more than " + std::to_string(kMaxFileDepth) +
                            " style files deep");
    }
    t_filesBeingRead.push_back(resolved);
    try {
        SetResourceText(text);
    } catch (...) {
        t_filesBeingRead.pop_back();
        throw;
    }
    t_filesBeingRead.pop_back();
}

void TzuResources::ResourceChanged() {
    // Runs as the text list's change event, which may come from a destructor: a style the
    // load refuses is kept for SetResourceText to raise, and this resource has no root.
    try {
        m_root.reset();
        const std::string text = ResourceText();
        if (text.find_first_not_of(" \t\r\n") != std::string::npos) {
            m_root.reset(LoadObjectFromText(nullptr, text, {}, TzuUnknownClasses::Skip));
        }
        RootReplaced();
    } catch (const EzuLimitError&) {
        m_root.reset();
        t_refused = std::current_exception();
    }
}

void TzuResources::ReadResourcesBin(const TzuStreamValue& value) {
    const auto* bytes = std::get_if<TzuBytes>(&value);
    if (!bytes) throw EzuError("Invalid property value");
    m_root.reset();
    m_root.reset(LoadObjectFromStream(nullptr, *bytes, {}, TzuUnknownClasses::Skip));
    RootReplaced();
}

TzuStreamValue TzuResources::WriteResourcesBin() const {
    TzuBytes bytes;
    if (m_root) SaveObjectToStream(m_root.get(), bytes);
    return bytes;
}

void TzuResources::RootReplaced() {
    if (m_root) ShowDesignHidden(m_root.get());
    UpdateScenes();
}

void TzuResources::UpdateScenes() {
    if (IsDestroying()) return;
    const std::vector<IzuScene*> scenes = m_scenes;
    for (IzuScene* scene : scenes) {
        if (std::find(m_scenes.begin(), m_scenes.end(), scene) != m_scenes.end()) scene->UpdateStyle();
    }
}

void TzuResources::RegisterScene(IzuScene* scene) {
    if (scene && std::find(m_scenes.begin(), m_scenes.end(), scene) == m_scenes.end())
        m_scenes.push_back(scene);
}

void TzuResources::UnregisterScene(IzuScene* scene) { std::erase(m_scenes, scene); }

}  // namespace zu
