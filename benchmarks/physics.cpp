// A physics step of the world layer: 500 boxes dropped in layers while all of them are awake and
// once all sleep, and a falling rag doll, each beside an empty world's step. The same boxes in a
// plain Bullet world built without the manager are the baseline, measured in the same run, turn
// about with ours; each case prints our step's ratio to it. Figures are milliseconds per step of
// wall time, with the CPU time of the whole process (all its threads) beside them: the median of
// several rounds.
#include <benchmark/benchmark.h>

#include <btBulletDynamicsCommon.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "humanoid_skeleton.h"
#include "world/dynamic_body.h"
#include "world/new_physics_manager.h"

namespace {

constexpr float frame = 1.0f / 60.0f;
constexpr int columns = 10;
constexpr int layers = 5;
constexpr int boxes = columns * columns * layers;
constexpr int stepLimit = 3600;
constexpr int rounds = 7;
// Steps timed a round once the boxes sleep, and of an empty world.
constexpr int asleepSteps = 300;
constexpr int emptySteps = 2000;

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

// Milliseconds per step.
struct StepTime {
    double wallMs = 0.0;
    double cpuMs = 0.0;
};

double wallNowMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// CPU time of every thread of the process.
double cpuNowMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

template <class World>
StepTime timeSteps(World& world, int count) {
    const double wall = wallNowMs(), cpu = cpuNowMs();
    for (int i = 0; i < count; ++i) world.step();
    return {(wallNowMs() - wall) / count, (cpuNowMs() - cpu) / count};
}

StepTime median(std::vector<StepTime> samples) {
    auto middle = [&](auto field) {
        std::vector<double> values;
        for (const StepTime& sample : samples) values.push_back(sample.*field);
        std::nth_element(values.begin(), values.begin() + long(values.size() / 2), values.end());
        return values[values.size() / 2];
    };
    return {middle(&StepTime::wallMs), middle(&StepTime::cpuMs)};
}

// An empty world's step through the manager, for the line of every case.
StepTime emptyWorldStep() {
    ManagedWorld world;
    timeSteps(world, emptySteps);
    return timeSteps(world, emptySteps);
}

// Our figures beside plain Bullet's and the empty world's, as counters and as one printed line.
void report(benchmark::State& state, const char* what, const StepTime& ours, const StepTime* bullet,
            const StepTime& empty) {
    state.counters["ms"] = ours.wallMs;
    state.counters["cpu_ms"] = ours.cpuMs;
    state.counters["empty_world_us"] = empty.wallMs * 1e3;
    std::printf("%s: %.3f ms per step (CPU %.3f ms)", what, ours.wallMs, ours.cpuMs);
    if (bullet) {
        const double ratio = ours.wallMs / bullet->wallMs, cpuRatio = ours.cpuMs / bullet->cpuMs;
        state.counters["bullet_ms"] = bullet->wallMs;
        state.counters["bullet_cpu_ms"] = bullet->cpuMs;
        state.counters["ratio"] = ratio;
        std::printf("; plain Bullet %.3f ms (CPU %.3f ms); ratio %.2f (CPU %.2f)", bullet->wallMs, bullet->cpuMs,
                    ratio, cpuRatio);
    }
    std::printf("; empty world %.2f us (CPU %.2f us); median of %d rounds\n", empty.wallMs * 1e3, empty.cpuMs * 1e3,
                rounds);
}

// The same window of the drop in both worlds, from the drop until a first box falls asleep.
void BM_BoxesAwakeStep(benchmark::State& state) {
    const int awakeSteps = std::min(stepsAllAwake<ManagedWorld>(), stepsAllAwake<PlainBulletWorld>());
    for (auto _ : state) {
        std::vector<StepTime> ours, bullet;
        for (int round = 0; round < rounds; ++round) {
            auto managed = worldWithBoxes<ManagedWorld>();
            ours.push_back(timeSteps(*managed, awakeSteps));
            managed.reset();
            auto plain = worldWithBoxes<PlainBulletWorld>();
            bullet.push_back(timeSteps(*plain, awakeSteps));
        }
        const StepTime oursMedian = median(ours), bulletMedian = median(bullet);
        report(state, "500 boxes awake", oursMedian, &bulletMedian, emptyWorldStep());
    }
    state.counters["awake_steps"] = awakeSteps;
}

template <class World>
std::unique_ptr<World> worldOfSleepingBoxes(int& steps) {
    auto world = worldWithBoxes<World>();
    for (steps = 0; steps < stepLimit && sleepingBodies(world->world()) < boxes; ++steps) world->step();
    return world;
}

void BM_BoxesAsleepStep(benchmark::State& state) {
    int managedSteps = 0, plainSteps = 0;
    auto managed = worldOfSleepingBoxes<ManagedWorld>(managedSteps);
    auto plain = worldOfSleepingBoxes<PlainBulletWorld>(plainSteps);
    if (managedSteps == stepLimit || plainSteps == stepLimit) {
        state.SkipWithError("the boxes never all fell asleep");
        return;
    }
    for (auto _ : state) {
        std::vector<StepTime> ours, bullet;
        for (int round = 0; round < rounds; ++round) {
            ours.push_back(timeSteps(*managed, asleepSteps));
            bullet.push_back(timeSteps(*plain, asleepSteps));
        }
        const StepTime oursMedian = median(ours), bulletMedian = median(bullet);
        report(state, "500 boxes asleep", oursMedian, &bulletMedian, emptyWorldStep());
    }
    state.counters["steps_to_sleep"] = managedSteps;
}

// A humanoid rag doll of 35 capsules and 34 joints, dropped standing.
struct RagDollScene {
    RagDollScene() : skeleton(humanoidSkeleton(1.0f)) { world.physics().createRagDoll(&skeleton); }
    void step() { world.step(); }
    Skeleton skeleton;
    ManagedWorld world;
};

// How many steps the rag doll falls and tumbles before it sleeps (at most a minute's: thin finger
// capsules sunk into the ground can keep it awake).
int ragDollFallingSteps() {
    RagDollScene scene;
    int steps = 0;
    while (steps < stepLimit) {
        scene.step();
        if (sleepingBodies(scene.world.world()) > 0) break;
        ++steps;
    }
    return steps;
}

// Steps from the drop until the rag doll sleeps, a new drop every round; each step includes
// posing the skeleton. Every timed step is one of an awake rag doll.
void BM_RagDollStep(benchmark::State& state) {
    const int fallingSteps = ragDollFallingSteps();
    for (auto _ : state) {
        std::vector<StepTime> ours;
        for (int round = 0; round < rounds; ++round) {
            RagDollScene scene;
            ours.push_back(timeSteps(scene, fallingSteps));
        }
        report(state, "rag doll", median(ours), nullptr, emptyWorldStep());
    }
    state.counters["steps_per_drop"] = fallingSteps;
}

BENCHMARK(BM_BoxesAwakeStep)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BoxesAsleepStep)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RagDollStep)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
