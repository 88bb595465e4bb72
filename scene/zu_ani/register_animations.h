#pragma once
// Start-up registration of the animation classes under "Animations".

namespace zu {

void RegisterAnimationClasses();

}  // namespace zu
