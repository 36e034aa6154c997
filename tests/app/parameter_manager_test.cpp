#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/parameter_description.h"
#include "app/simple_parameter_group.h"
#include "support/log_capture.h"
#include "support/process/parameter_faults_in_tests.h"

namespace {

// A registry with one described type, "ui_rect": a colour and a layer.
struct ParameterManagerTest : ::testing::Test {
    ParameterManagerTest() {
        auto* description = new ParameterDescription("ui_rect", nullptr, true);
        description->addParameter(new Vector4Parameter("colour", {0, 0, 0, 1}, true, nullptr, nullptr),
                                  static_cast<std::uint32_t>(ParameterKind::Vector4));
        description->addParameter(new UnsignedIntParameter("render_layer", 3, true, nullptr, nullptr),
                                  static_cast<std::uint32_t>(ParameterKind::UnsignedInt));
        EXPECT_TRUE(registerParameterDescription(registry, description));
    }

    static Vector4Value colourOf(SimpleParameterGroup* group) {
        return static_cast<Vector4Parameter*>(group->getParameter("colour"))->value;
    }

    ParameterDescriptionRegistry registry;
    ParameterManager manager{&registry, nullptr};
};

// A manager whose "ui_rect" pairs start with no parameters, for tests that add their own.
struct EmptyPairs {
    EmptyPairs() {
        EXPECT_TRUE(registerParameterDescription(registry, new ParameterDescription("ui_rect", nullptr, true)));
    }

    ParameterDescriptionRegistry registry;
    ParameterManager manager{&registry, nullptr};
};

TEST(ParameterGroup, AddingToOneSideOfAPairCreatesTheLinkedTwin) {
    EmptyPairs pairs;
    ParameterManager& manager = pairs.manager;
    ParameterManager::ParameterGroupPair& pair = *manager.createGroupPair("ui_rect");
    Vector4Parameter* colour = pair.updateGroup()->addVector4("colour", {1, 0, 0, 1});
    BaseParameter* twin = pair.renderGroup()->getParameter("colour");
    ASSERT_NE(twin, nullptr);
    EXPECT_EQ(colour->getTwin(), twin);
    EXPECT_EQ(twin->getTwin(), colour);
    EXPECT_TRUE(colour->isPaired());
    EXPECT_EQ(static_cast<Vector4Parameter*>(twin)->value, (Vector4Value{1, 0, 0, 1}));
    EXPECT_EQ(twin->getGroup(), pair.renderGroup());
    EXPECT_EQ(pair.updateGroup()->getManager(), &manager);

    // A lone group makes no twin.
    SimpleParameterGroup lone("entitySaveData", nullptr, true);
    EXPECT_FALSE(lone.addFloat("f", 1)->isPaired());
    EXPECT_EQ(lone.getManager(), nullptr);
}

TEST(ParameterGroup, TakeChangedAnswersOnce) {
    SimpleParameterGroup group("g", nullptr, true);
    group.addInt("i", 0);
    EXPECT_FALSE(group.takeChanged());
    group.setInt("i", 5);
    EXPECT_TRUE(group.takeChanged());
    EXPECT_FALSE(group.takeChanged());

    // A group that doesn't mark changes never reports one.
    SimpleParameterGroup quiet("q", nullptr, false);
    quiet.addInt("i", 0);
    quiet.setInt("i", 5);
    EXPECT_FALSE(quiet.takeChanged());
}

TEST(ParameterGroup, UnknownNamesAndWrongKindsAreIgnoredAndLoggedOnce) {
    // What the program does; under tests the same mistake fails the test (below).
    ProgramParameterFaults programHandling;
    LogCapture capture;
    SimpleParameterGroup group("TextBox", nullptr, true);
    group.addString("string", "a");
    struct Case {
        const char* name;
        void (*set)(SimpleParameterGroup&);
        const char* reason;
    };
    const Case cases[] = {
        {"missing", [](SimpleParameterGroup& g) { g.setString("missing", "x"); }, "no parameter of that name"},
        {"string", [](SimpleParameterGroup& g) { g.setInt("string", 1); }, "of another kind"},
        {"string", [](SimpleParameterGroup& g) { g.setMatrix("string", {}); }, "of another kind"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        capture.clear();
        c.set(group);
        c.set(group);
        EXPECT_EQ(static_cast<StringParameter*>(group.getParameter("string"))->value, "a");
        EXPECT_EQ(group.parameters().size(), 1u);
        EXPECT_FALSE(group.takeChanged());
    }
    // One line for "missing" and one for "string", whatever the number of tries.
    capture.clear();
    SimpleParameterGroup other("OtherType", nullptr, true);
    other.setBool("missing", true);
    other.setBool("missing", true);
    group.setBool("missing", true);
    ASSERT_EQ(capture.lines().size(), 1u);
    EXPECT_NE(capture.lines()[0].find("\"missing\" of \"OtherType\""), std::string::npos);
}

TEST(ParameterGroup, UnderTestsAnUnknownNameOrWrongKindFailsTheTestNamingTypeAndParameter) {
    TestParameterFaults testHandling;
    SimpleParameterGroup group("TextBox", nullptr, true);
    group.addInt("horizAlignment", -1);
    EXPECT_NONFATAL_FAILURE(group.setInt("horizAlignmnet", 0),
                            "setting parameter \"horizAlignmnet\" of type \"TextBox\": the group has no parameter");
    EXPECT_NONFATAL_FAILURE(
        group.setString("horizAlignment", "left"),
        "setting parameter \"horizAlignment\" of type \"TextBox\": the parameter is of another kind");
    // Nothing was changed by either.
    EXPECT_EQ(static_cast<IntParameter*>(group.getParameter("horizAlignment"))->value, -1);
    EXPECT_EQ(group.parameters().size(), 1u);
}

TEST(ParameterGroup, RemovingAParameterRemovesItsTwin) {
    EmptyPairs pairs;
    ParameterManager& manager = pairs.manager;
    ParameterManager::ParameterGroupPair& pair = *manager.createGroupPair("ui_rect");
    pair.live = true;
    pair.updateGroup()->addFloat("a", 1);
    pair.updateGroup()->addFloat("b", 2);
    pair.updateGroup()->addFloat("c", 3);
    pair.renderGroup()->removeParameter("b");
    for (SimpleParameterGroup* group : {pair.updateGroup(), pair.renderGroup()}) {
        ASSERT_EQ(group->parameters().size(), 2u);
        EXPECT_EQ(group->parameters()[0]->getName(), "a");
        EXPECT_EQ(group->parameters()[1]->getName(), "c");
    }
    // The sync walks the remaining parameters only (the sanitizer would catch a dangling twin).
    pair.updateGroup()->setFloat("c", 9);
    pair.updateGroup()->removeParameter("a");
    manager.sync();
    EXPECT_EQ(static_cast<FloatParameter*>(pair.renderGroup()->getParameter("c"))->value, 9.0f);
    EXPECT_EQ(pair.renderGroup()->parameters().size(), 1u);
}

TEST_F(ParameterManagerTest, APairIsFilledFromItsDescriptionOnBothSides) {
    ParameterManager::ParameterGroupPair* pair = manager.createGroupPair("ui_rect");
    ASSERT_NE(pair, nullptr);
    EXPECT_TRUE(pair->live);
    EXPECT_EQ(pair->updateGroup()->getName(), "ui_rect");
    for (SimpleParameterGroup* group : {pair->updateGroup(), pair->renderGroup()}) {
        ASSERT_EQ(group->parameters().size(), 2u);
        EXPECT_EQ(group->parameters()[0]->getName(), "colour");
        EXPECT_EQ(group->parameters()[1]->getName(), "render_layer");
        EXPECT_EQ(static_cast<UnsignedIntParameter*>(group->parameters()[1])->value, 3u);
    }
    EXPECT_EQ(pair->updateGroup()->parameters()[0]->getTwin(), pair->renderGroup()->parameters()[0]);

    // Values set in the cycle that created the pair reach the render side at the first sync.
    pair->updateGroup()->setVector4("colour", {1, 1, 0, 1});
    EXPECT_EQ(colourOf(pair->renderGroup()), (Vector4Value{0, 0, 0, 1}));
    manager.sync();
    EXPECT_EQ(colourOf(pair->renderGroup()), (Vector4Value{1, 1, 0, 1}));
    EXPECT_TRUE(pair->renderGroup()->takeChanged());
    EXPECT_TRUE(pair->renderGroup()->hasParameterChanged("colour"));
    EXPECT_FALSE(pair->renderGroup()->hasParameterChanged("colour"));
    EXPECT_FALSE(pair->renderGroup()->hasParameterChanged("render_layer"));
    EXPECT_FALSE(pair->updateGroup()->getParameter("colour")->isChanged());
}

TEST_F(ParameterManagerTest, UnknownTypesGiveNoPair) {
    LogCapture capture;
    EXPECT_EQ(manager.createGroupPair("ui_missing"), nullptr);
    EXPECT_TRUE(capture.contains("failed to find description!"));
}

TEST_F(ParameterManagerTest, ADescriptionRegisteredTwiceIsRefused) {
    auto* second = new ParameterDescription("ui_rect", nullptr, false);
    second->addParameter(new BoolParameter("other", true, true, nullptr, nullptr), 0);
    EXPECT_FALSE(registerParameterDescription(registry, second));
    EXPECT_EQ(registry.size(), 1u);
    EXPECT_TRUE(registry.find("ui_rect")->marksChanges());
    EXPECT_EQ(registry.find("ui_rect")->entries().size(), 2u);

    EXPECT_TRUE(registry.remove("ui_rect"));
    EXPECT_EQ(registry.find("ui_rect"), nullptr);
    EXPECT_FALSE(registry.remove("ui_rect"));
}

TEST_F(ParameterManagerTest, APrototypeOfAnotherKindIsLeftOut) {
    LogCapture capture;
    ParameterDescription description("odd", nullptr, true);
    description.addParameter(new BoolParameter("flag", true, true, nullptr, nullptr),
                             static_cast<std::uint32_t>(ParameterKind::Matrix));
    EXPECT_FALSE(description.hasEntries());
    EXPECT_TRUE(capture.contains("\"flag\" of \"odd\""));
}

// Records, at each call, whether the render-side colour had been copied since the last one.
struct CopyCounter : ParameterGroupOwnerInterface {
    void parametersChanged() override {
        ++calls;
        if (group->hasParameterChanged("colour")) ++copies;
    }
    SimpleParameterGroup* group = nullptr;
    int calls = 0;
    int copies = 0;
};

TEST_F(ParameterManagerTest, AValueSetTwiceInOneCycleIsCopiedOnce) {
    ParameterManager::ParameterGroupPair* pair = manager.createGroupPair("ui_rect");
    manager.sync();
    CopyCounter counter;
    counter.group = pair->renderGroup();
    pair->owner = &counter;

    pair->updateGroup()->setVector4("colour", {1, 0, 0, 1});
    pair->updateGroup()->setVector4("colour", {0, 1, 0, 1});
    EXPECT_EQ(manager.changedPairs().size(), 2u);
    manager.sync();
    EXPECT_EQ(counter.calls, 2);
    EXPECT_EQ(counter.copies, 1);
    EXPECT_EQ(colourOf(pair->renderGroup()), (Vector4Value{0, 1, 0, 1}));
    EXPECT_TRUE(manager.changedPairs().empty());

    // Nothing set: nothing listed, nothing copied.
    manager.sync();
    EXPECT_EQ(counter.calls, 2);
}

TEST_F(ParameterManagerTest, APendingDeletionLeavesTheChangedList) {
    ParameterManager::ParameterGroupPair* kept = manager.createGroupPair("ui_rect");
    ParameterManager::ParameterGroupPair* doomed = manager.createGroupPair("ui_rect");
    manager.sync();
    doomed->updateGroup()->setVector4("colour", {1, 1, 1, 1});
    kept->updateGroup()->setVector4("colour", {0.5f, 0.5f, 0.5f, 1});
    doomed->updateGroup()->setUnsignedInt("render_layer", 7);
    manager.addPendingDeletion(doomed);
    manager.addPendingDeletion(doomed);
    EXPECT_EQ(manager.changedPairs().size(), 3u);
    manager.sync();
    // Under the sanitizer a copy into the deleted pair would be caught here.
    EXPECT_EQ(manager.livePairs().size(), 1u);
    EXPECT_EQ(manager.livePairs().front(), kept);
    EXPECT_EQ(colourOf(kept->renderGroup()), (Vector4Value{0.5f, 0.5f, 0.5f, 1}));
}

// Freeing waits for releaseRetiredPairs, which the main thread calls once the update thread runs again.
TEST_F(ParameterManagerTest, ADeletedPairLeavesEveryListAtTheSyncAndIsFreedWhenReleased) {
    ParameterManager::ParameterGroupPair* kept = manager.createGroupPair("ui_rect");
    ParameterManager::ParameterGroupPair* doomed = manager.createGroupPair("ui_rect");
    manager.sync();
    manager.addPendingDeletion(doomed);
    EXPECT_EQ(manager.livePairs().size(), 2u) << "queued, it stays until the sync";
    doomed->updateGroup()->setVector4("colour", {1, 1, 1, 1});
    manager.sync();
    EXPECT_EQ(manager.livePairs(), std::vector<ParameterManager::ParameterGroupPair*>{kept});
    EXPECT_TRUE(manager.changedPairs().empty());
    EXPECT_EQ(manager.retiredPairs(), std::vector<ParameterManager::ParameterGroupPair*>{doomed});
    EXPECT_EQ(doomed->typeName, "ui_rect") << "retired, it is not freed yet";

    // A sync before the release adds to the retired pairs.
    ParameterManager::ParameterGroupPair* later = manager.createGroupPair("ui_rect");
    manager.sync();
    manager.addPendingDeletion(later);
    manager.sync();
    EXPECT_EQ(manager.retiredPairs(), (std::vector<ParameterManager::ParameterGroupPair*>{doomed, later}));
    manager.releaseRetiredPairs();
    EXPECT_TRUE(manager.retiredPairs().empty());
    EXPECT_EQ(manager.livePairs(), std::vector<ParameterManager::ParameterGroupPair*>{kept});
}

// The render interface keeps each UI object in the room in front of its pair.
TEST_F(ParameterManagerTest, APairKeepsTheRoomAskedForInFrontOfIt) {
    ParameterManager withRoom(&registry, nullptr, 40);
    std::vector<ParameterManager::ParameterGroupPair*> pairs;
    for (int i = 0; i < 3; ++i) {
        ParameterManager::ParameterGroupPair* pair = withRoom.createGroupPair("ui_rect");
        ASSERT_NE(pair->handleRoom(), nullptr);
        ASSERT_GE(pair->handleRoomSize(), 40u);
        std::memset(pair->handleRoom(), 0xA5, pair->handleRoomSize());
        pairs.push_back(pair);
    }
    // Filling the rooms touched no pair.
    for (ParameterManager::ParameterGroupPair* pair : pairs) {
        EXPECT_EQ(pair->typeName, "ui_rect");
        EXPECT_EQ(pair->manager, &withRoom);
        EXPECT_TRUE(pair->live);
        EXPECT_FALSE(pair->deletionQueued);
        pair->updateGroup()->setVector4("colour", {0, 1, 0, 1});
    }
    withRoom.sync();
    for (ParameterManager::ParameterGroupPair* pair : pairs) {
        EXPECT_EQ(colourOf(pair->renderGroup()), (Vector4Value{0, 1, 0, 1}));
    }

    EXPECT_EQ(manager.createGroupPair("ui_rect")->handleRoom(), nullptr);
}

TEST_F(ParameterManagerTest, ADescriptionWithoutEntriesGivesAPairThatIsNotSynchronised) {
    ASSERT_TRUE(registerParameterDescription(registry, new ParameterDescription("empty", nullptr, true)));
    ParameterManager::ParameterGroupPair* pair = manager.createGroupPair("empty");
    ASSERT_NE(pair, nullptr);
    EXPECT_FALSE(pair->live);
    pair->updateGroup()->addFloat("alpha", 0);
    pair->updateGroup()->setFloat("alpha", 0.5f);
    manager.sync();
    EXPECT_EQ(static_cast<FloatParameter*>(pair->renderGroup()->getParameter("alpha"))->value, 0.0f);

    // Once the object sets it live, its next change crosses.
    pair->live = true;
    pair->updateGroup()->setFloat("alpha", 0.75f);
    manager.sync();
    EXPECT_EQ(static_cast<FloatParameter*>(pair->renderGroup()->getParameter("alpha"))->value, 0.75f);
}

// A pair keeps its description's parameters, and the room asked for, in one block per group;
// parameters beyond the room, or too large for what is left of it, are made on their own. Both
// kinds sync, can be removed and go with the pair (the sanitizer checks each is freed its way).
TEST_F(ParameterManagerTest, ParametersInAndBeyondTheReservedRoomBehaveAlike) {
    ParameterManager::ParameterGroupPair* pair =
        manager.createGroupPair("ui_rect", {ParameterKind::UnsignedInt, ParameterKind::Float});
    ASSERT_NE(pair, nullptr);
    SimpleParameterGroup* update = pair->updateGroup();
    update->addUnsignedInt("extra", 1);                                   // in the room asked for
    update->addMatrix("transform", {});                                   // larger than the room left
    update->addFloat("alpha", 0.25f);                                     // the last of the room
    update->addString("caption", "a caption longer than a short string"); // beyond the room
    update->addBool("shown", false);
    manager.sync();

    update->removeParameter("colour");  // from the block
    update->removeParameter("caption"); // made on its own
    update->setUnsignedInt("extra", 9);
    update->setFloat("alpha", 0.5f);
    update->setBool("shown", true);
    MatrixValue transform{};
    transform[5] = 2;
    update->setMatrix("transform", transform);
    manager.sync();

    SimpleParameterGroup* render = pair->renderGroup();
    std::vector<std::string> names;
    for (const BaseParameter* parameter : render->parameters()) names.push_back(parameter->getName());
    EXPECT_EQ(names, (std::vector<std::string>{"render_layer", "extra", "transform", "alpha", "shown"}));
    EXPECT_EQ(static_cast<UnsignedIntParameter*>(render->getParameter("extra"))->value, 9u);
    EXPECT_EQ(static_cast<FloatParameter*>(render->getParameter("alpha"))->value, 0.5f);
    EXPECT_TRUE(static_cast<BoolParameter*>(render->getParameter("shown"))->value);
    EXPECT_EQ(static_cast<MatrixParameter*>(render->getParameter("transform"))->value, transform);

    manager.addPendingDeletion(pair);
    manager.sync();
    EXPECT_TRUE(manager.livePairs().empty());
}

} // namespace
