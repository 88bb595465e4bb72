#include "platform/core/custom_image_list.h"

#include <algorithm>

#include "platform/core/pixel_buffer.h"
#include "platform/core/property.h"

namespace zu {

const TzuClass& TzuCustomImageList::StaticClass() {
    using P = ZuProps<TzuCustomImageList>;
    using L = TzuCustomImageList;
    static const TzuPropInfo props[] = {
        P::Int<&L::Width, &L::SetWidth>("Width").Default(16),
        P::Int<&L::Height, &L::SetHeight>("Height").Default(16),
    };
    static const TzuClass cls = ZuClass<TzuCustomImageList, TzuComponent>("TzuCustomImageList", props);
    return cls;
}

void TzuCustomImageList::SetSize(int width, int height) {
    width = std::clamp(width, 1, kMaxPixelSide);
    height = std::clamp(height, 1, kMaxPixelSide);
    if (width == m_width && height == m_height) return;
    Clear();
    StoreSize(width, height);
}

void TzuCustomImageList::StoreSize(int width, int height) {
    m_width = width;
    m_height = height;
}

}  // namespace zu
