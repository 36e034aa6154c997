// Hands the render task the maker of the UI manager, so that it can create one without knowing
// the UI drawing layer.
#include "render/ui_draw_maker.h"
#include "ui_render/ui_manager.h"

namespace {

UIDrawInterface* makeUIManager(ThreadResourcePool* renderPool, RenderInterface* renderInterface) {
    return new UIManager(renderPool, renderInterface);
}

struct Registration {
    Registration() { registerUIDrawMaker(&makeUIManager); }
} registration;

} // namespace

// Named on the engine's link line, so this registration is part of every program.
extern "C" void zoderud_link_ui_manager() {}
