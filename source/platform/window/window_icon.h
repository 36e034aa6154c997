#pragma once
// The program's icon (the shipped packaging/zoderud.svg, rendered small) for its window.
struct SDL_Window;

namespace platform {

void setWindowIcon(SDL_Window* window);

} // namespace platform
