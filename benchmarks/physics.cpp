// A physics step of the world layer: 500 boxes dropped in layers while all of them are awake and
// once all sleep, and a falling rag doll, each beside an empty world's step. The same boxes in a
// plain Bullet world built without the manager are measured in the same run as the baseline.
// Every case reports milliseconds per step of wall time, and CPU time over all threads.
#include <benchmark/benchmark.h>

#include <btBulletDynamicsCommon.h>

#include <memory>
#include <vector>

#include "humanoid_skeleton.h"
#include "world/dynamic_body.h"
#include "world/new_physics_manager.h"

namespace {

constexpr float frame = 1.0f / 60.0f;
constexpr int columns = 10;
constexpr int layers = 5;
constexpr int stepLimit = 3600;

btTransform at(float x, float y, float z) {
    btTransform transform;
    transform.setIdentity();
    transform.setOrigin(btVector3(x, y, z));
    return transform;
}

// Ten by ten boxes a layer, five layers; each lands on the one below.
template <class AddBox>
void dropBoxes(AddBox addBox) {
    for (int layer = 0; layer < layers; ++layer) {
        for (int row = 0; row < columns; ++row) {
            for (int column = 0; column < columns; ++column) {
                addBox(at((column - columns / 2) * 1.5f, 2.0f + layer * 1.2f, (row - columns / 2) * 1.5f));
            }
        }
    }
}

// The world through the physics manager, stepped as the program steps it.
class ManagedWorld {
public:
    ManagedWorld() { physics_->init(); }
    ~ManagedWorld() { physics_->destroyAll(); }
    void step() { physics_->step(frame); }
    btDiscreteDynamicsWorld& world() { return *physics_->getDynamicsWorld(); }
    NewPhysicsInterface& physics() { return *physics_; }
    void addBox(const btTransform& start) { addDynamicBody(world(), 1.0f, start, &boxShape_); }

private:
    btBoxShape boxShape_{btVector3(0.5f, 0.5f, 0.5f)};
    std::unique_ptr<NewPhysicsInterface> physics_ = std::make_unique<NewPhysicsManager>(nullptr);
};

// The same world, ground and boxes written against Bullet alone.
class PlainBulletWorld {
public:
    PlainBulletWorld()
        : broadphase_(btVector3(-10000, -10000, -10000), btVector3(10000, 10000, 10000), 16384),
          dispatcher_(&configuration_), world_(&dispatcher_, &broadphase_, &solver_, &configuration_) {
        ground_.setCollisionShape(&groundShape_);
        ground_.setWorldTransform(at(0.0f, 0.4f, 0.0f));
        ground_.setFriction(1.0f);
        ground_.setRestitution(0.1f);
        world_.addCollisionObject(&ground_, 2, -3);
    }
    ~PlainBulletWorld() {
        for (btRigidBody* body : bodies_) {
            world_.removeRigidBody(body);
            delete body->getMotionState();
            delete body;
        }
        world_.removeCollisionObject(&ground_);
    }
    void step() { world_.stepSimulation(frame, 5, frame); }
    btDiscreteDynamicsWorld& world() { return world_; }
    void addBox(const btTransform& start) {
        btVector3 inertia(0, 0, 0);
        boxShape_.calculateLocalInertia(1.0f, inertia);
        btRigidBody::btRigidBodyConstructionInfo info(1.0f, new btDefaultMotionState(start), &boxShape_, inertia);
        bodies_.push_back(new btRigidBody(info));
        world_.addRigidBody(bodies_.back());
    }

private:
    btAxisSweep3 broadphase_;
    btDefaultCollisionConfiguration configuration_;
    btCollisionDispatcher dispatcher_;
    btSequentialImpulseConstraintSolver solver_;
    btDiscreteDynamicsWorld world_;
    btBoxShape groundShape_{btVector3(200.0f, 0.0f, 200.0f)};
    btCollisionObject ground_;
    btBoxShape boxShape_{btVector3(0.5f, 0.5f, 0.5f)};
    std::vector<btRigidBody*> bodies_;
};

int sleepingBodies(btDiscreteDynamicsWorld& world) {
    int sleeping = 0;
    for (int i = 0; i < world.getNumCollisionObjects(); ++i) {
        const btCollisionObject* object = world.getCollisionObjectArray()[i];
        sleeping += btRigidBody::upcast(object) && object->getActivationState() == ISLAND_SLEEPING;
    }
    return sleeping;
}

template <class World>
std::unique_ptr<World> worldWithBoxes() {
    auto world = std::make_unique<World>();
    dropBoxes([&](const btTransform& start) { world->addBox(start); });
    return world;
}

// How many steps after the drop every box is still awake (the simulation repeats itself exactly).
template <class World>
int stepsAllAwake() {
    auto world = worldWithBoxes<World>();
    int steps = 0;
    while (steps < stepLimit) {
        world->step();
        if (sleepingBodies(world->world()) > 0) break;
        ++steps;
    }
    return steps;
}

void report(benchmark::State& state, int bodies) {
    state.counters["bodies"] = bodies;
}

template <class World>
void BM_EmptyWorldStep(benchmark::State& state) {
    World world;
    for (auto _ : state) world.step();
    report(state, 0);
}

// Steps from the drop until the first box falls asleep; then the boxes are dropped again (not timed).
template <class World>
void BM_BoxesAwakeStep(benchmark::State& state) {
    const int awakeSteps = stepsAllAwake<World>();
    auto world = worldWithBoxes<World>();
    int steps = 0;
    for (auto _ : state) {
        world->step();
        if (++steps == awakeSteps) {
            state.PauseTiming();
            world = worldWithBoxes<World>();
            steps = 0;
            state.ResumeTiming();
        }
    }
    report(state, columns * columns * layers);
    state.counters["awake_steps"] = awakeSteps;
}

template <class World>
void BM_BoxesAsleepStep(benchmark::State& state) {
    auto world = worldWithBoxes<World>();
    const int boxes = columns * columns * layers;
    int steps = 0;
    for (; steps < stepLimit && sleepingBodies(world->world()) < boxes; ++steps) world->step();
    if (steps == stepLimit) {
        state.SkipWithError("the boxes never all fell asleep");
        return;
    }
    for (auto _ : state) world->step();
    report(state, boxes);
    state.counters["steps_to_sleep"] = steps;
}

// A humanoid rag doll of 35 capsules and 34 joints, dropped standing.
struct RagDollScene {
    RagDollScene() : skeleton(humanoidSkeleton(1.0f)) { world.physics().createRagDoll(&skeleton); }
    Skeleton skeleton;
    ManagedWorld world;
};

// How many steps the rag doll falls and tumbles before it sleeps (at most a minute's: thin finger
// capsules sunk into the ground can keep it awake).
int ragDollFallingSteps() {
    RagDollScene scene;
    int steps = 0;
    while (steps < stepLimit) {
        scene.world.step();
        if (sleepingBodies(scene.world.world()) > 0) break;
        ++steps;
    }
    return steps;
}

// Steps from the drop until the rag doll sleeps, then dropped again (not timed); each step
// includes posing the skeleton. Every timed step is one of an awake rag doll.
void BM_RagDollStep(benchmark::State& state) {
    const int fallingSteps = ragDollFallingSteps();
    auto scene = std::make_unique<RagDollScene>();
    int steps = 0;
    for (auto _ : state) {
        scene->world.step();
        if (++steps == fallingSteps) {
            state.PauseTiming();
            scene = std::make_unique<RagDollScene>();
            steps = 0;
            state.ResumeTiming();
        }
    }
    report(state, 35);
    state.counters["steps_per_drop"] = fallingSteps;
}

#define PHYSICS_BENCHMARK(name) BENCHMARK(name)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)

// An empty world steps in well under a microsecond: shown in microseconds so the figure shows.
BENCHMARK(BM_EmptyWorldStep<ManagedWorld>)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EmptyWorldStep<PlainBulletWorld>)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);
PHYSICS_BENCHMARK(BM_BoxesAwakeStep<ManagedWorld>);
PHYSICS_BENCHMARK(BM_BoxesAwakeStep<PlainBulletWorld>);
PHYSICS_BENCHMARK(BM_BoxesAsleepStep<ManagedWorld>);
PHYSICS_BENCHMARK(BM_BoxesAsleepStep<PlainBulletWorld>);
PHYSICS_BENCHMARK(BM_RagDollStep);

} // namespace
