#include "scene/zu_scene/graphics/filter.h"

#include <algorithm>
#include <atomic>

#include "platform/core/property.h"
#include "scene/zu_scene/graphics/bitmap.h"

namespace zu {

namespace {
const TzuClass* g_defaultFilterClass = nullptr;
std::atomic<int64_t> g_imagePixelBudget{kDefaultImagePixelBudget};

[[noreturn]] void Abstract() { throw EzuError("Abstract Error"); }
}  // namespace

const TzuClass& TzuFilter::StaticClass() {
    static const TzuClass cls = ZuClass<TzuFilter, TzuPersistent>("TzuFilter");
    return cls;
}

std::string TzuFilter::GetFileTypes() { return {}; }

TzuPoint TzuFilter::GetImageSize(const std::string&) { return TzuPoint{0, 0}; }

bool TzuFilter::LoadFromFile(const std::string&, float, TzuBitmap&) { Abstract(); }

bool TzuFilter::LoadThumbnailFromFile(const std::string&, float, float, bool, TzuBitmap&) { Abstract(); }

bool TzuFilter::SaveToFile(const std::string&, const TzuBitmap&, const std::string&) { Abstract(); }

bool TzuFilter::LoadFromStream(std::span<const uint8_t>, TzuBitmap&) { Abstract(); }

bool TzuFilter::SaveToStream(TzuBytes&, const TzuBitmap&, const std::string&, const std::string&) {
    Abstract();
}

void SetDefaultFilterClass(const TzuClass* cls) {
    if (cls && (!cls->InheritsFrom(TzuFilter::StaticClass()) || !cls->create)) {
        throw EzuError(std::string("Not an image filter class: ") + cls->name);
    }
    g_defaultFilterClass = cls;
}

const TzuClass* DefaultFilterClass() { return g_defaultFilterClass; }

std::unique_ptr<TzuFilter> CreateDefaultFilter() {
    if (!g_defaultFilterClass) return nullptr;
    return std::unique_ptr<TzuFilter>(static_cast<TzuFilter*>(g_defaultFilterClass->create(nullptr)));
}

void SetImagePixelBudget(int64_t pixels) {
    g_imagePixelBudget.store(std::clamp<int64_t>(pixels, 1, kMaxBitmapPixels), std::memory_order_relaxed);
}

int64_t ImagePixelBudget() { return g_imagePixelBudget.load(std::memory_order_relaxed); }

}  // namespace zu
