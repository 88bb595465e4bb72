#include "platform/gtk/drop_decoder.h"

#include <string>

#include <glib.h>

#include "platform/core/utf.h"

namespace zu {

namespace {

// A name the platform reports for this machine, or none: such file URIs are local.
bool LocalHost(const char* host) {
    if (!host || !*host) return true;
    const std::string_view h(host);
    return h == "localhost" || h == g_get_host_name();
}

std::optional<std::u16string> FileNameOf(std::string_view line) {
    // GLib reads C strings: a line with a NUL inside would be cut short silently.
    if (line.find('\0') != std::string_view::npos) return std::nullopt;
    const std::string uri(line);
    gchar* host = nullptr;
    gchar* name = g_filename_from_uri(uri.c_str(), &host, nullptr);
    std::optional<std::u16string> result;
    // File names are bytes; only those that are text can become a wide name.
    if (name && LocalHost(host) && *name && g_utf8_validate(name, -1, nullptr)) result = Utf8ToUtf16(name);
    g_free(host);
    g_free(name);
    return result;
}

}  // namespace

std::vector<std::u16string> DecodeUriList(std::string_view bytes) {
    std::vector<std::u16string> files;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // Comments and blank lines carry no names.
        if (line.empty() || line.front() == '#') continue;
        if (auto name = FileNameOf(line)) files.push_back(std::move(*name));
    }
    return files;
}

std::optional<std::u16string> DecodeDropText(std::string_view bytes) {
    if (const size_t nul = bytes.find('\0'); nul != std::string_view::npos) bytes = bytes.substr(0, nul);
    if (!g_utf8_validate_len(bytes.data(), gssize(bytes.size()), nullptr)) return std::nullopt;
    return Utf8ToUtf16(bytes);
}

std::optional<TzuDropData> DecodeDropData(std::string_view type, std::string_view bytes) {
    TzuDropData data;
    if (type == "text/uri-list") {
        data.Files = DecodeUriList(bytes);
        if (data.Files.empty()) return std::nullopt;
        return data;
    }
    auto text = DecodeDropText(bytes);
    if (!text || text->empty()) return std::nullopt;
    data.Text = std::move(*text);
    data.HasText = true;
    return data;
}

}  // namespace zu
