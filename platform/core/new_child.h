#pragma once
// NewChild makes an object in code the way a stream read makes it: the component at the top
// of the parent's owner chain (the form, or the scene when nothing owns it) owns the new
// object and frees it, and the parent holds it in its tree (a scene object under an object
// or a scene, a control under a form). Freeing the owner frees both; freeing the parent
// frees the child too, which then leaves its owner. A null parent makes an object nobody
// owns: the caller frees it.
//
//   auto* panel = zu::NewChild<zu::TzuRectangle>(scene);
//   auto* caption = zu::NewChild<zu::TzuText>(panel);

#include "platform/core/component.h"

namespace zu {

// The owner a stream read gives the children of parent.
inline TzuComponent* ChildOwnerFor(TzuComponent* parent) {
    if (TzuComponent* owner = parent->GetChildOwner()) return owner;
    TzuComponent* top = parent;
    while (top->Owner()) top = top->Owner();
    return top;
}

template <class T>
T* NewChild(TzuComponent* parent) {
    if (!parent) return new T(nullptr);
    T* child = new T(ChildOwnerFor(parent));
    child->SetParentComponent(parent);
    return child;
}

}  // namespace zu
