#include "app/zu_view/designer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/scene_file/scene_file.h"
#include "platform/core/class_registry.h"
#include "platform/core/stream_format.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_text.h"
#include "platform/core/stream_writer.h"
#include "platform/core/utf.h"
#include "scene/zu_design/design_menu.h"
#include "scene/zu_scene/host/scene.h"
#include "scene/zu_scene/tree/object_stream.h"
#include "scene/zu_scene/tree/visual_object.h"

namespace {

// Writes all of data to fd; false on the first failure (errno says why).
bool WriteAll(int fd, const std::vector<uint8_t>& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

}  // namespace

ViewDesigner::ViewDesigner(zu::TzuForm& form, zu::TzuCustomScene* scene, std::string path,
                           const std::vector<uint8_t>& data)
    : m_form(form), m_scene(scene), m_path(std::move(path)) {
    m_text = !zu::HasStreamSignature(data);
    const std::vector<uint8_t> binary =
        m_text ? zu::ObjectTextToBinary(std::string(data.begin(), data.end())) : data;
    const zu::TzuClass* cls = zu::FindClass(zu::TzuStreamReader::ReadHeader(binary).className);
    m_sceneRoot = cls && cls->InheritsFrom(zu::TzuCustomScene::StaticClass());
    m_title = std::filesystem::path(m_path).filename().string();
    m_steps.push_back(Stream());
    zu::SetDesignHook(this);
}

ViewDesigner::~ViewDesigner() { zu::SetDesignHook(nullptr); }

std::vector<uint8_t> ViewDesigner::Stream() const {
    std::vector<uint8_t> binary;
    if (m_sceneRoot) {
        zu::TzuStreamWriter(binary).WriteRoot(m_scene);
    } else if (auto* root = m_scene->Root()) {
        zu::TzuStreamWriter(binary).WriteRoot(root);  // with its name, unlike a copy
    }
    if (!m_text) return binary;
    const std::string text = zu::ObjectBinaryToText(binary);
    return {text.begin(), text.end()};
}

bool ViewDesigner::Save(std::string& error) {
    std::vector<uint8_t> data;
    try {
        data = Stream();
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    // The new file is complete on disk before it takes the old one's name, so a failed
    // write leaves the old file as it was.
    const std::filesystem::path target(m_path);
    const std::filesystem::path dir = target.has_parent_path() ? target.parent_path() : ".";
    // Built by appending: GCC 12 at -O3 misreads a chain of string additions here.
    std::string name = ".";
    name.append(target.filename().string());
    name.append(".XXXXXX");
    std::string temp = (dir / name).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = temp + ": " + std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::stat(m_path.c_str(), &st) == 0) ::fchmod(fd, st.st_mode & 07777);
    const bool written = WriteAll(fd, data) && ::fsync(fd) == 0;
    const int writeErrno = errno;
    if (::close(fd) != 0 || !written) {
        error = m_path + ": " + std::strerror(written ? errno : writeErrno);
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), m_path.c_str()) != 0) {
        error = m_path + ": " + std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

void ViewDesigner::DesignStepDone(zu::TzuCustomScene& scene) {
    if (&scene != m_scene) return;
    std::vector<uint8_t> now = Stream();
    ShowTitle(scene.DesignSelection());
    if (now == m_steps[m_current]) return;
    m_steps.resize(m_current + 1);  // a new step drops what could be redone
    m_steps.push_back(std::move(now));
    m_current = m_steps.size() - 1;
}

bool ViewDesigner::Step(int direction) {
    if ((direction < 0 && m_current == 0) || (direction > 0 && m_current + 1 >= m_steps.size())) return false;
    const size_t next = direction < 0 ? m_current - 1 : m_current + 1;
    const std::vector<uint8_t>& snapshot = m_steps[next];
    zu::TzuWinPoint size;
    zu::TzuCustomScene* fresh = nullptr;
    // The new scene may carry the old one's name under the same form.
    zu::TzuCustomScene* old = m_scene;
    const std::string oldName = old->Name();
    old->SetName(std::string());
    try {
        fresh = zu::LoadSceneFile(m_form, snapshot, size, {}, true);
    } catch (const std::exception& e) {
        old->SetName(oldName);
        std::fprintf(stderr, "zu-view: the design step does not load again: %s\n", e.what());
        return false;
    }
    // The old scene goes with its objects and menu; the new one takes its place.
    m_scene = fresh;
    delete old;
    fresh->SetAlign(zu::alClient);
    m_current = next;
    ShowTitle(nullptr);
    return true;
}

void ViewDesigner::SelectionChanged(zu::TzuCustomScene& scene, zu::TzuObject* selection) {
    if (&scene == m_scene) ShowTitle(selection);
}

void ViewDesigner::ShowTitle(zu::TzuObject* selection) {
    std::string title = std::filesystem::path(m_path).filename().string();
    if (selection) {
        title += " - " + zu::DesignClassName(selection->ClassName());
        if (!selection->Name().empty()) title += " " + selection->Name();
        if (auto* v = zu::As<zu::TzuVisualObject>(selection)) {
            char bounds[96];
            std::snprintf(bounds, sizeof bounds, " (%g, %g, %g x %g)", double(v->Position()->X()),
                          double(v->Position()->Y()), double(v->Width()), double(v->Height()));
            title += bounds;
        }
    }
    m_title = title;
    m_form.SetCaption(zu::Utf8ToUtf16(title));
}

std::string ViewDesigner::UniqueName(zu::TzuCustomScene& scene, std::string_view className) {
    std::set<std::string> taken;
    for (int i = 0; i < m_form.ComponentCount(); ++i) taken.insert(m_form.Components(i)->Name());
    for (int i = 0; i < scene.ComponentCount(); ++i) taken.insert(scene.Components(i)->Name());
    for (int i = 0; i < scene.ObjectCount(); ++i) {
        std::vector<zu::TzuObject*> objects;
        scene.Objects(i)->CollectObjects(objects);
        for (zu::TzuObject* o : objects) taken.insert(o->Name());
    }
    const std::string base = zu::DesignClassName(className);
    for (int n = 1;; ++n) {
        std::string name = base + std::to_string(n);
        if (!taken.count(name)) return name;
    }
}
