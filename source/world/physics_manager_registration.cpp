// Hands the application the maker of the physics manager, so that the operating-system interface
// can create one without knowing the world layer.
#include "app/physics_interface_maker.h"
#include "world/new_physics_manager.h"

namespace {

NewPhysicsInterface* makePhysicsManager(ThreadResourcePool* ownerPool) { return new NewPhysicsManager(ownerPool); }

struct Registration {
    Registration() { registerPhysicsInterfaceMaker(&makePhysicsManager); }
} registration;

} // namespace

// Named on the engine's link line, so this registration is part of every program.
extern "C" void zoderud_link_physics_manager() {}
