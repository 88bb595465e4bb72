#pragma once
// TzuCustomImageList is what an action knows of an image list: a count of images that all
// share one Width x Height. The images themselves live where bitmaps do (TzuImageList);
// the list's owner frees it, and whoever refers to it asks for free notification.

#include "platform/core/component.h"

namespace zu {

class TzuCustomImageList : public TzuComponent {
    ZU_CLASS(TzuCustomImageList)
public:
    explicit TzuCustomImageList(TzuComponent* owner) : TzuComponent(owner) {}

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Sides below 1 become 1. A new size drops every image, which no longer fits.
    void SetWidth(int value) { SetSize(value, m_height); }
    void SetHeight(int value) { SetSize(m_width, value); }
    void SetSize(int width, int height);
    virtual int Count() const { return 0; }
    virtual void Clear() {}

protected:
    // Sets the size without touching the images (a loader that checked them).
    void StoreSize(int width, int height);

private:
    int m_width = 16;
    int m_height = 16;
};

}  // namespace zu
