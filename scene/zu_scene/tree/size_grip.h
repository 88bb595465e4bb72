#pragma once
// IzuSizeGrip marks a scene object that resizes the host window when dragged: the scene
// starts a window resize on a press over it and shows the diagonal size cursor above it.
// The marker carries no operations; a control implements it alongside its visual base.

namespace zu {

class IzuSizeGrip {
public:
    virtual ~IzuSizeGrip() = default;
};

}  // namespace zu
