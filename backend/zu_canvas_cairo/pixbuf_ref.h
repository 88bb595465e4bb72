#pragma once
// PixbufRef holds one reference to a gdk-pixbuf image and drops it when it goes.

#include <utility>

#include <gdk-pixbuf/gdk-pixbuf.h>

namespace zu {

struct PixbufRef {
    GdkPixbuf* p = nullptr;
    PixbufRef() = default;
    explicit PixbufRef(GdkPixbuf* pixbuf) : p(pixbuf) {}
    PixbufRef(const PixbufRef&) = delete;
    PixbufRef(PixbufRef&& o) noexcept : p(o.p) { o.p = nullptr; }
    PixbufRef& operator=(PixbufRef&& o) noexcept {
        std::swap(p, o.p);
        return *this;
    }
    ~PixbufRef() {
        if (p) g_object_unref(p);
    }
    explicit operator bool() const { return p != nullptr; }
};

}  // namespace zu
