#include "render/ui_draw_maker.h"

#include "app/log.h"

namespace {

// Constant-initialised, so registrations from any static initialiser find it ready.
UIDrawMaker registeredMaker = nullptr;

} // namespace

void registerUIDrawMaker(UIDrawMaker maker) { registeredMaker = maker; }

UIDrawInterface* makeUIDraw(ThreadResourcePool* renderPool, RenderInterface* renderInterface) {
    if (!registeredMaker) {
        LOG_MESSAGE("No UI drawing is linked into this program");
        return nullptr;
    }
    return registeredMaker(renderPool, renderInterface);
}
