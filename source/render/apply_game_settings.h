#pragma once
// Pushes a loaded configuration into the render interface, the input manager and the sound manager.
class GameConfigExt;
struct UIContext;

void applyGameSettings(GameConfigExt& config, UIContext* context);
