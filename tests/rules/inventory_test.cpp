#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/xml_file.h"
#include "rules/equipment_catalogue.h"
#include "rules/inventory.h"
#include "support/log_capture.h"

namespace {

const std::string dataFolder = ZODERUD_TEST_DATA_DIR;

const EquipmentCatalogue& catalogue() {
    static EquipmentCatalogue* loaded = [] {
        auto* c = new EquipmentCatalogue(dataFolder + "/catalogue_a/");
        c->loadStandardFolders();
        return c;
    }();
    return *loaded;
}

// A compact picture of a tree: ids, "-" after a collapsed item with contents, contents in [].
std::string describe(const EquipmentList& list) {
    std::string text;
    for (const auto& item : list) {
        if (!text.empty()) text += ",";
        text += item->id;
        if (!item->contents.empty()) text += std::string(item->areContentsExpanded ? "" : "-") + "[" + describe(item->contents) + "]";
    }
    return text;
}

// Every field of every item, and that each content points back at its holder.
std::string describeFully(const EquipmentList& list, const BRAVCharacterEquipment* holder) {
    std::ostringstream out;
    for (const auto& item : list) {
        out << "{" << item->id << " q" << item->quantity << " e" << item->areContentsExpanded << " n'" << item->customName
            << "' p'" << item->playerNotes << "' v" << item->customValue.totalInCopper() << "/" << item->customValue.gold
            << " r" << (item->record ? item->record->id : "null") << " parentOk" << (item->parent == holder) << " s";
        for (const std::string& spell : item->spells) out << "'" << spell << "'";
        out << " c" << describeFully(item->contents, item.get()) << "}";
    }
    return out.str();
}

BRAVCharacterEquipment* at(const EquipmentList& list, const std::vector<int>& path) {
    const EquipmentList* current = &list;
    BRAVCharacterEquipment* item = nullptr;
    for (int index : path) {
        item = (*current)[index].get();
        current = &item->contents;
    }
    return item;
}

void readFixture(Inventory& inventory, const std::string& name) {
    tinyxml2::XMLDocument document;
    ASSERT_TRUE(loadXmlFile(document, dataFolder + "/inventory_a/" + name));
    inventory.readInventory(*document.RootElement());
}

std::string writtenText(const Inventory& inventory) {
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement("Inventory");
    document.InsertEndChild(root);
    inventory.writeInventory(*root);
    return xmlFileText(document);
}

TEST(Inventory, ReadsTheTreeAndItsSlots) {
    Inventory inventory(nullptr, &catalogue());
    readFixture(inventory, "packed.xml");
    EXPECT_EQ(describe(inventory.items), "backpack[rope,pouch-[arrows,arrows,rations]],sword,rope,chain,shield");
    EXPECT_EQ(inventory.equippedArmour, at(inventory.items, {3}));
    EXPECT_EQ(inventory.equippedShield, at(inventory.items, {4}));
    EXPECT_EQ(at(inventory.items, {0, 1, 2})->parent, at(inventory.items, {0, 1}));
    EXPECT_EQ(at(inventory.items, {0})->parent, nullptr);
    EXPECT_EQ(at(inventory.items, {0, 0})->shownName(), "Climbing Rope");
    EXPECT_EQ(at(inventory.items, {0, 0})->record, catalogue().findEquipment("rope"));
}

TEST(Inventory, FirstMarkedItemFillsEachSlot) {
    Inventory inventory(nullptr, &catalogue());
    readFixture(inventory, "everything.xml");
    EXPECT_EQ(describe(inventory.items), "mule_packs[backpack-[chain,spellbook],mystery],leather,chain,shield,shield");
    EXPECT_EQ(inventory.equippedArmour, at(inventory.items, {1}));
    EXPECT_EQ(inventory.equippedShield, at(inventory.items, {3}));
}

TEST(Inventory, ItemsWithoutRecordAreInert) {
    Inventory inventory(nullptr, &catalogue());
    readFixture(inventory, "everything.xml");
    const BRAVCharacterEquipment* mystery = at(inventory.items, {0, 1});
    EXPECT_EQ(mystery->record, nullptr);
    EXPECT_EQ(mystery->quantity, 0); // "seven" is not a number
    EXPECT_FALSE(mystery->isContainer());
    EXPECT_FALSE(mystery->isStackable());
    EXPECT_EQ(mystery->armourClassBonus(), 0);
    EXPECT_EQ(mystery->shownName(), "");
    const BRAVCharacterEquipment* shield = at(inventory.items, {4});
    EXPECT_EQ(shield->quantity, 1);
    EXPECT_EQ(shield->armourClassBonus(), 1);
}

TEST(Inventory, NestedRoundTripGivesAnIdenticalTree) {
    Inventory first(nullptr, &catalogue());
    readFixture(first, "everything.xml");
    const std::string text = writtenText(first);

    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(text.c_str()), tinyxml2::XML_SUCCESS);
    Inventory second(nullptr, &catalogue());
    second.readInventory(*document.RootElement());

    EXPECT_EQ(describeFully(second.items, nullptr), describeFully(first.items, nullptr));
    EXPECT_EQ(writtenText(second), text);
    EXPECT_EQ(second.equippedArmour, at(second.items, {1}));
    EXPECT_EQ(second.equippedShield, at(second.items, {3}));
    // The fixture really holds what the round trip is meant to cover.
    const BRAVCharacterEquipment* book = at(second.items, {0, 0, 1});
    EXPECT_EQ(book->customName, "Grimoire of Elan");
    EXPECT_EQ(book->customValue.gold, 12);
    EXPECT_EQ(book->spells, (std::vector<std::string>{"spark_bolt", "sleep", ""}));
    EXPECT_FALSE(at(second.items, {0, 0})->areContentsExpanded);
    EXPECT_EQ(at(second.items, {0, 0})->playerNotes, "Patched twice");
}

TEST(Inventory, ElementFormOfOneItem) {
    Inventory inventory(nullptr, &catalogue());
    readFixture(inventory, "everything.xml");
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* root = document.NewElement("Inventory");
    document.InsertEndChild(root);
    inventory.writeInventory(*root);

    const tinyxml2::XMLElement* mule = root->FirstChildElement("Equipment");
    EXPECT_STREQ(mule->Attribute("areContentsExpanded"), "1");
    EXPECT_EQ(mule->Attribute("isEquippedArmour"), nullptr);
    const tinyxml2::XMLElement* bag = mule->FirstChildElement("Equipment");
    EXPECT_STREQ(bag->Attribute("areContentsExpanded"), "0");
    std::vector<std::string> order;
    for (const tinyxml2::XMLElement* child = bag->FirstChildElement(); child; child = child->NextSiblingElement()) {
        order.push_back(child->Name());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"PlayerNotes", "Equipment", "Equipment"}));
    const tinyxml2::XMLElement* chain = bag->FirstChildElement("Equipment");
    EXPECT_EQ(chain->Attribute("areContentsExpanded"), nullptr);
    EXPECT_EQ(chain->FirstChildElement(), nullptr);
    const tinyxml2::XMLElement* book = chain->NextSiblingElement("Equipment");
    order.clear();
    for (const tinyxml2::XMLElement* child = book->FirstChildElement(); child; child = child->NextSiblingElement()) {
        order.push_back(child->Name());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"CustomName", "CustomValue", "Spell", "Spell", "Spell"}));
    int coins = 0;
    for (const tinyxml2::XMLElement* coin = book->FirstChildElement("CustomValue")->FirstChildElement(); coin;
         coin = coin->NextSiblingElement()) {
        ++coins;
    }
    EXPECT_EQ(coins, 5);
    const tinyxml2::XMLElement* leather = mule->NextSiblingElement("Equipment");
    EXPECT_STREQ(leather->Attribute("isEquippedArmour"), "1");
    EXPECT_STREQ(leather->Attribute("quantity"), "1");
    EXPECT_EQ(leather->Attribute("isEquippedShield"), nullptr);
}

// Only top-level items are saved as worn, so packing takes a worn item off: what is worn in
// memory is what a save and load gives back.
TEST(Inventory, PackingAWornItemTakesItOff) {
    struct Case {
        const char* name;
        std::function<PackResult(Inventory&)> pack;
        bool armourWorn;
        bool shieldWorn;
    };
    const Case cases[] = {
        {"ArmourIntoABag", [](Inventory& i) { return i.moveEquipment(i.equippedArmour, at(i.items, {0})); }, false, true},
        {"ShieldIntoAClosedPouch", [](Inventory& i) { return i.moveEquipment(i.equippedShield, at(i.items, {0, 1})); },
         true, false},
        {"ABagHoldingTheWornArmour",
         [](Inventory& i) {
             // A slot may point into a bag in memory (a window sets it directly).
             i.equippedArmour = at(i.items, {0, 1, 2});
             return i.moveEquipment(at(i.items, {0, 1}), at(i.items, {0}));
         },
         false, true},
        {"ArmourMovedAlongTheTopLevel", [](Inventory& i) { return i.moveEquipment(i.equippedArmour, nullptr); }, true,
         true},
        {"SomethingElseIntoABag", [](Inventory& i) { return i.moveEquipment(at(i.items, {1}), at(i.items, {0})); }, true,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Inventory inventory(nullptr, &catalogue());
        readFixture(inventory, "packed.xml");
        ASSERT_EQ(c.pack(inventory), PackResult::Moved);
        EXPECT_EQ(inventory.equippedArmour != nullptr, c.armourWorn);
        EXPECT_EQ(inventory.equippedShield != nullptr, c.shieldWorn);

        tinyxml2::XMLDocument document;
        ASSERT_EQ(document.Parse(writtenText(inventory).c_str()), tinyxml2::XML_SUCCESS);
        Inventory reloaded(nullptr, &catalogue());
        reloaded.readInventory(*document.RootElement());
        EXPECT_EQ(reloaded.equippedArmour != nullptr, c.armourWorn) << "memory and file must agree";
        EXPECT_EQ(reloaded.equippedShield != nullptr, c.shieldWorn) << "memory and file must agree";
        if (c.armourWorn) {
            EXPECT_EQ(reloaded.equippedArmour->id, inventory.equippedArmour->id);
        }
    }
}

// Packing stops at the depth the loader reads back, so a long chain of bags survives a save.
TEST(Inventory, PackingIsRefusedDeeperThanTheLoaderReads) {
    Inventory inventory(nullptr, &catalogue());
    const int chain = 70;
    for (int i = 0; i < chain; ++i) {
        inventory.attachEquipment(std::make_unique<BRAVCharacterEquipment>(nullptr, catalogue().findEquipment("pouch")),
                                  nullptr);
    }
    // Each pouch in turn goes into the deepest one so far.
    BRAVCharacterEquipment* deepest = inventory.items.front().get();
    int packed = 0;
    PackResult last = PackResult::Moved;
    while (inventory.items.size() > 1) {
        BRAVCharacterEquipment* next = inventory.items[1].get();
        last = inventory.moveEquipment(next, deepest);
        if (last != PackResult::Moved) break;
        deepest = next;
        ++packed;
    }
    EXPECT_EQ(last, PackResult::TooDeep);
    EXPECT_EQ(nestingDepth(*deepest), BRAVCharacterEquipment::maximumNestingDepth - 1);
    EXPECT_EQ(packed, BRAVCharacterEquipment::maximumNestingDepth - 1);
    EXPECT_EQ(inventory.items.size(), static_cast<std::size_t>(chain - packed)) << "a refused move changes nothing";

    // A chain of two bags cannot go where only one more level fits.
    BRAVCharacterEquipment* outer = inventory.items[1].get();
    ASSERT_EQ(inventory.moveEquipment(inventory.items[2].get(), outer), PackResult::Moved);
    EXPECT_EQ(inventory.moveEquipment(outer, deepest->parent), PackResult::TooDeep);
    EXPECT_EQ(inventory.moveEquipment(outer, deepest->parent->parent), PackResult::Moved);

    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(writtenText(inventory).c_str()), tinyxml2::XML_SUCCESS);
    LogCapture capture;
    Inventory reloaded(nullptr, &catalogue());
    reloaded.readInventory(*document.RootElement());
    EXPECT_FALSE(capture.contains("packed more than")) << "everything packed is read back";
    EXPECT_EQ(describe(reloaded.items), describe(inventory.items));
}

TEST(Inventory, RefusedMovesSaySo) {
    Inventory inventory(nullptr, &catalogue());
    readFixture(inventory, "packed.xml");
    BRAVCharacterEquipment stranger(nullptr, catalogue().findEquipment("pouch"));
    EXPECT_EQ(inventory.moveEquipment(&stranger, nullptr), PackResult::NotInInventory);
    EXPECT_EQ(inventory.moveEquipment(at(inventory.items, {1}), &stranger), PackResult::NotInInventory);
    EXPECT_EQ(inventory.moveEquipment(at(inventory.items, {0}), at(inventory.items, {0, 1})), PackResult::IntoItself);
    EXPECT_EQ(inventory.moveEquipment(at(inventory.items, {0}), at(inventory.items, {0})), PackResult::IntoItself);
}

// One operation on a fixture tree: what it answers and the tree it leaves.
struct TreeCase {
    const char* name;
    const char* fixture;
    std::function<bool(Inventory&)> operation;
    bool answer;
    const char* tree;
};

void PrintTo(const TreeCase& c, std::ostream* out) { *out << c.name; }

class TreeOperations : public ::testing::TestWithParam<TreeCase> {};

TEST_P(TreeOperations, AnswerAndResultingTree) {
    const TreeCase& c = GetParam();
    Inventory inventory(nullptr, &catalogue());
    readFixture(inventory, c.fixture);
    EXPECT_EQ(c.operation(inventory), c.answer);
    EXPECT_EQ(describe(inventory.items), c.tree);
    EXPECT_EQ(describeFully(inventory.items, nullptr).find("parentOk0"), std::string::npos);
}

const char* packedTree = "backpack[rope,pouch-[arrows,arrows,rations]],sword,rope,chain,shield";

INSTANTIATE_TEST_SUITE_P(
    Fixtures, TreeOperations,
    ::testing::Values(
        TreeCase{"UpOnFirstOfContents", "packed.xml", [](Inventory& i) { return i.moveEquipmentUp(at(i.items, {0, 0})); },
                 false, packedTree},
        TreeCase{"UpOnSecondOfContents", "packed.xml", [](Inventory& i) { return i.moveEquipmentUp(at(i.items, {0, 1})); },
                 true, "backpack[pouch-[arrows,arrows,rations],rope],sword,rope,chain,shield"},
        TreeCase{"UpDeepInside", "packed.xml", [](Inventory& i) { return i.moveEquipmentUp(at(i.items, {0, 1, 2})); },
                 true, "backpack[rope,pouch-[arrows,rations,arrows]],sword,rope,chain,shield"},
        TreeCase{"DownOnLastOfContents", "packed.xml", [](Inventory& i) { return i.moveEquipmentDown(at(i.items, {0, 1})); },
                 false, packedTree},
        TreeCase{"DownAtTheTop", "packed.xml", [](Inventory& i) { return i.moveEquipmentDown(at(i.items, {0})); },
                 true, "sword,backpack[rope,pouch-[arrows,arrows,rations]],rope,chain,shield"},
        TreeCase{"DownOnLastItem", "packed.xml", [](Inventory& i) { return i.moveEquipmentDown(at(i.items, {4})); },
                 false, packedTree},
        TreeCase{"RemoveAContainer", "packed.xml", [](Inventory& i) { return i.removeEquipment(at(i.items, {0, 1})); },
                 true, "backpack[rope],sword,rope,chain,shield"},
        TreeCase{"RemoveDeepInside", "packed.xml", [](Inventory& i) { return i.removeEquipment(at(i.items, {0, 1, 0})); },
                 true, "backpack[rope,pouch-[arrows,rations]],sword,rope,chain,shield"},
        TreeCase{"RemoveAStranger", "packed.xml",
                 [](Inventory& i) {
                     BRAVCharacterEquipment stranger(nullptr, catalogue().findEquipment("rope"));
                     return i.removeEquipment(&stranger) || i.removeEquipment(nullptr);
                 },
                 false, packedTree},
        TreeCase{"MoveUpAStranger", "packed.xml",
                 [](Inventory& i) {
                     BRAVCharacterEquipment stranger(nullptr, catalogue().findEquipment("rope"));
                     return i.moveEquipmentUp(&stranger) || i.moveEquipmentDown(&stranger);
                 },
                 false, packedTree},
        TreeCase{"PackIntoAClosedPouch", "packed.xml",
                 [](Inventory& i) { return i.moveEquipment(at(i.items, {1}), at(i.items, {0, 1})) == PackResult::Moved; }, true,
                 "backpack[rope,pouch-[arrows,arrows,rations,sword]],rope,chain,shield"},
        TreeCase{"UnpackToTheTop", "packed.xml", [](Inventory& i) { return i.moveEquipment(at(i.items, {0, 1, 2}), nullptr) == PackResult::Moved; },
                 true, "backpack[rope,pouch-[arrows,arrows]],sword,rope,chain,shield,rations"},
        TreeCase{"PackABagIntoItself", "packed.xml",
                 [](Inventory& i) { return i.moveEquipment(at(i.items, {0}), at(i.items, {0, 1})) == PackResult::Moved; }, false, packedTree},
        TreeCase{"DetachKeepsTheRestInOrder", "packed.xml",
                 [](Inventory& i) { return i.detachEquipment(at(i.items, {0, 1, 1})) != nullptr; }, true,
                 "backpack[rope,pouch-[arrows,rations]],sword,rope,chain,shield"},
        TreeCase{"ClearEmptiesEverything", "packed.xml",
                 [](Inventory& i) {
                     i.clear();
                     return i.equippedArmour == nullptr && i.equippedShield == nullptr;
                 },
                 true, ""}),
    [](const ::testing::TestParamInfo<TreeCase>& info) { return std::string(info.param.name); });

TEST(Inventory, DeletingTheEquippedItemOrItsHolderEmptiesTheSlot) {
    {
        Inventory inventory(nullptr, &catalogue());
        readFixture(inventory, "packed.xml");
        ASSERT_TRUE(inventory.removeEquipment(inventory.equippedArmour));
        EXPECT_EQ(inventory.equippedArmour, nullptr);
        EXPECT_EQ(inventory.equippedShield, at(inventory.items, {3}));
    }
    {
        Inventory inventory(nullptr, &catalogue());
        readFixture(inventory, "packed.xml");
        BRAVCharacterEquipment* bag = at(inventory.items, {0});
        // Slots set directly to items inside the bag.
        inventory.equippedShield = at(inventory.items, {0, 1, 0});
        inventory.equippedArmour = at(inventory.items, {0, 0});
        ASSERT_TRUE(inventory.removeEquipment(bag));
        EXPECT_EQ(inventory.equippedArmour, nullptr);
        EXPECT_EQ(inventory.equippedShield, nullptr);
        EXPECT_EQ(describe(inventory.items), "sword,rope,chain,shield");
    }
    {
        // Taking the worn armour out of the tree empties the slot too.
        Inventory inventory(nullptr, &catalogue());
        readFixture(inventory, "packed.xml");
        auto armour = inventory.detachEquipment(inventory.equippedArmour);
        ASSERT_NE(armour, nullptr);
        EXPECT_EQ(inventory.equippedArmour, nullptr);
        EXPECT_NE(inventory.equippedShield, nullptr);
    }
}

TEST(Inventory, DetachClearsParentAndAttachSetsIt) {
    Inventory inventory(nullptr, &catalogue());
    readFixture(inventory, "packed.xml");
    BRAVCharacterEquipment* arrows = at(inventory.items, {0, 1, 0});
    std::unique_ptr<BRAVCharacterEquipment> taken = detachEquipment(inventory.items, arrows);
    ASSERT_EQ(taken.get(), arrows);
    EXPECT_EQ(taken->parent, nullptr);
    EXPECT_EQ(detachEquipment(inventory.items, arrows), nullptr);

    BRAVCharacterEquipment* bag = at(inventory.items, {0});
    inventory.attachEquipment(std::move(taken), bag);
    EXPECT_EQ(arrows->parent, bag);
    EXPECT_EQ(describe(inventory.items), "backpack[rope,pouch-[arrows,rations],arrows],sword,rope,chain,shield");

    auto again = inventory.detachEquipment(arrows);
    inventory.attachEquipment(std::move(again), nullptr);
    EXPECT_EQ(arrows->parent, nullptr);
    EXPECT_EQ(inventory.items.back().get(), arrows);
}

TEST(Inventory, CopyIsDeep) {
    Inventory inventory(nullptr, &catalogue());
    readFixture(inventory, "everything.xml");
    const BRAVCharacterEquipment& original = *at(inventory.items, {0});
    BRAVCharacterEquipment copy(original);
    EXPECT_EQ(copy.parent, nullptr);
    EXPECT_EQ(copy.catalogue, nullptr);
    EXPECT_EQ(copy.record, original.record);
    EXPECT_EQ(describeFully(copy.contents, &copy), describeFully(original.contents, &original));
    EXPECT_NE(copy.contents[0].get(), original.contents[0].get());
    copy.contents[0]->contents[1]->spells.clear();
    EXPECT_EQ(original.contents[0]->contents[1]->spells.size(), 3u);

    BRAVCharacterEquipment inner(*original.contents[0]);
    EXPECT_EQ(inner.parent, nullptr);
    EXPECT_EQ(inner.contents[0]->parent, &inner);
}

struct FindCase {
    const char* name;
    std::vector<int> found; // empty: nothing
    int counter;
};

TEST(Inventory, FindByShownName) {
    Inventory inventory(nullptr, &catalogue());
    readFixture(inventory, "packed.xml");
    const std::vector<FindCase> table = {
        {"Climbing Rope", {0, 0}, 0},
        {"Rope", {2}, 0},       // the custom-named rope matches by its record, then the later top-level rope wins
        {"Rations", {0, 1, 2}, 3},
        {"Arrows", {0, 1, 1}, 1}, // the later arrows of the same list take the place of the first
        {"Long Sword", {1}, 6},
        {"Shield", {4}, 9},
        {"Nothing", {}, 10},
        {"", {}, 10},
    };
    for (const FindCase& c : table) {
        int counter = 0;
        const BRAVCharacterEquipment* found = findEquipmentByShownName(inventory.items, c.name, counter);
        EXPECT_EQ(found, c.found.empty() ? nullptr : at(inventory.items, c.found)) << c.name;
        EXPECT_EQ(counter, c.counter) << c.name;
    }
}

TEST(Inventory, FindPrefersALaterTopLevelItemOverOneInsideABag) {
    tinyxml2::XMLDocument document;
    document.Parse("<Inventory><Equipment id=\"backpack\"><Equipment id=\"rope\"/><Equipment id=\"sword\"/></Equipment>"
                   "<Equipment id=\"rope\"/></Inventory>");
    Inventory inventory(nullptr, &catalogue());
    inventory.readInventory(*document.RootElement());
    int counter = 0;
    EXPECT_EQ(findEquipmentByShownName(inventory.items, "Rope", counter), at(inventory.items, {1}));
    EXPECT_EQ(counter, 0);
}

TEST(Inventory, RowAndContainerCounts) {
    Inventory inventory(nullptr, &catalogue());
    readFixture(inventory, "packed.xml");
    // backpack, rope, pouch (collapsed), sword, rope, chain, shield.
    EXPECT_EQ(countInventoryRows(inventory), 7);
    EXPECT_EQ(countContainerRows(inventory), 2);
    BRAVCharacterEquipment* pouch = at(inventory.items, {0, 1});
    EXPECT_EQ(countVisibleContainers(*at(inventory.items, {0}), pouch), 0);
    pouch->areContentsExpanded = true;
    EXPECT_EQ(countInventoryRows(inventory), 10);
    at(inventory.items, {0})->areContentsExpanded = false;
    EXPECT_EQ(countInventoryRows(inventory), 5);
    EXPECT_EQ(countContainerRows(inventory), 1);

    Inventory nested(nullptr, &catalogue());
    readFixture(nested, "everything.xml");
    // mule packs (carrier) holds a collapsed backpack: both are places to pack into.
    EXPECT_EQ(countContainerRows(nested), 2);
    EXPECT_EQ(countInventoryRows(nested), 7);

    tinyxml2::XMLDocument document;
    document.Parse("<Inventory><Equipment id=\"backpack\"><Equipment id=\"pouch\" areContentsExpanded=\"0\">"
                   "<Equipment id=\"rope\"/><Equipment id=\"rope\"/><Equipment id=\"rope\"/></Equipment>"
                   "<Equipment id=\"sword\"/></Equipment></Inventory>");
    Inventory small(nullptr, &catalogue());
    small.readInventory(*document.RootElement());
    EXPECT_EQ(countInventoryRows(small), 3);
}

TEST(Inventory, ExpandAncestorsOpensEveryHolder) {
    Inventory inventory(nullptr, &catalogue());
    readFixture(inventory, "packed.xml");
    at(inventory.items, {0})->areContentsExpanded = false;
    BRAVCharacterEquipment* rations = at(inventory.items, {0, 1, 2});
    rations->areContentsExpanded = false;
    expandAncestors(*rations);
    EXPECT_TRUE(at(inventory.items, {0})->areContentsExpanded);
    EXPECT_TRUE(at(inventory.items, {0, 1})->areContentsExpanded);
    EXPECT_FALSE(rations->areContentsExpanded);
}

TEST(Inventory, NestingIsCappedAndLogged) {
    std::string text = "<Inventory>";
    // Deeper than the cap, but within what the XML parser itself accepts.
    for (int i = 0; i < 90; ++i) text += "<Equipment id=\"pouch\">";
    for (int i = 0; i < 90; ++i) text += "</Equipment>";
    text += "</Inventory>";
    tinyxml2::XMLDocument document;
    ASSERT_EQ(document.Parse(text.c_str()), tinyxml2::XML_SUCCESS);
    LogCapture capture;
    Inventory inventory(nullptr, &catalogue());
    inventory.readInventory(*document.RootElement());
    int depth = 0;
    for (const BRAVCharacterEquipment* item = inventory.items.front().get(); item;
         item = item->contents.empty() ? nullptr : item->contents.front().get()) {
        ++depth;
    }
    EXPECT_EQ(depth, BRAVCharacterEquipment::maximumNestingDepth);
    EXPECT_TRUE(capture.contains("packed more than 64 deep"));
}

} // namespace

namespace {

Money price(std::int32_t gold, std::int32_t silver, std::int32_t copper) {
    Money money;
    money.gold = gold;
    money.silver = silver;
    money.copper = copper;
    return money;
}

TEST(InventoryPriceOfOne, ABundlesPriceIsSharedOutInWholeCopper) {
    struct Case {
        const char* what;
        Money bundlePrice;
        int bundleSize;
        Money expected;
    };
    const Case cases[] = {
        {"sold singly: the price as listed, in its coins", price(10, 5, 0), 1, price(10, 5, 0)},
        {"20 arrows for 1 gp", price(1, 0, 0), 20, price(0, 0, 5)},
        {"3 for 1 gp, rounded down", price(1, 0, 0), 3, price(0, 0, 33)},
        {"12 spikes for 1 gp 3 sp", price(1, 3, 0), 12, price(0, 0, 10)},
        {"2 for 2 sp 2 cp", price(0, 2, 2), 2, price(0, 0, 11)},
        {"worth less than a copper each", price(0, 0, 19), 20, price(0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Equipment record;
        record.value = c.bundlePrice;
        record.purchaseQuantity = c.bundleSize;
        BRAVCharacterEquipment item(nullptr, &record);
        // However many the character holds, one piece is priced.
        item.quantity = 7;
        EXPECT_EQ(Inventory::priceOfOne(item), c.expected);
    }
    BRAVCharacterEquipment unknown(nullptr, static_cast<const Equipment*>(nullptr));
    EXPECT_TRUE(Inventory::priceOfOne(unknown).isZero()) << "no record, no price";
}

} // namespace
