#include "app/physics_interface_maker.h"

#include "app/log.h"

namespace {

// Constant-initialised, so registrations from any static initialiser find it ready.
PhysicsInterfaceMaker registeredMaker = nullptr;

} // namespace

void registerPhysicsInterfaceMaker(PhysicsInterfaceMaker maker) { registeredMaker = maker; }

NewPhysicsInterface* makePhysicsInterface(ThreadResourcePool* ownerPool) {
    if (!registeredMaker) {
        LOG_MESSAGE("No physics interface is linked into this program");
        return nullptr;
    }
    return registeredMaker(ownerPool);
}
