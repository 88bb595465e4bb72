#pragma once
// Start-up registration of the scene unit's classes, so streams can create them by name
// and design tools can list them by category. Programs call it once before loading.

namespace zu {

void RegisterSceneClasses();

}  // namespace zu
