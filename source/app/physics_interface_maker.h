#pragma once
// How the application makes a physics interface without knowing the world layer that implements
// it: that layer registers its maker here at static initialisation.
class NewPhysicsInterface;
class ThreadResourcePool;

using PhysicsInterfaceMaker = NewPhysicsInterface* (*)(ThreadResourcePool* ownerPool);

// A later registration replaces the earlier one.
void registerPhysicsInterfaceMaker(PhysicsInterfaceMaker maker);

// A new physics interface owned by the caller, made by the registered maker; null (and logged)
// when no maker has been registered.
NewPhysicsInterface* makePhysicsInterface(ThreadResourcePool* ownerPool);
