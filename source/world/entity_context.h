#pragma once
// What every entity is given at creation and keeps: where it draws, where its bodies live and the
// manager its saved parameters are made on. Not owned by the entities.
class NewPhysicsInterface;
class ParameterManager;
class RenderInterface;

struct EntityContext {
    RenderInterface* renderInterface = nullptr;
    // May be null: entities then have no bodies.
    NewPhysicsInterface* physics = nullptr;
    ParameterManager* parameterManager = nullptr;
};
