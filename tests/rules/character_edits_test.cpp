// The edits the sheet's screens make, without a screen: what each changes, and that the record is
// marked unsaved exactly when it changed (or always, where a screen's action always counts).
#include <gtest/gtest.h>

#include <functional>

#include "catalogue_b.h"

namespace {

std::unique_ptr<BRAVCharacterEquipment> itemOf(const std::string& id, int quantity = 1) {
    auto item = std::make_unique<BRAVCharacterEquipment>(nullptr, catalogueB().equipment.findEquipment(id));
    item->quantity = quantity;
    return item;
}

BRAVCharacterEquipment* give(CharacterSheet& sheet, const std::string& id, int quantity = 1,
                             BRAVCharacterEquipment* container = nullptr) {
    auto item = itemOf(id, quantity);
    BRAVCharacterEquipment* raw = item.get();
    sheet.inventory.attachEquipment(std::move(item), container);
    return raw;
}

// Ids in order, contents in [].
std::string tree(const EquipmentList& list) {
    std::string text;
    for (const auto& item : list) {
        if (!text.empty()) text += ",";
        text += item->id;
        if (!item->contents.empty()) text += "[" + tree(item->contents) + "]";
    }
    return text;
}

Money gold(std::int32_t pieces) {
    Money money;
    money.gold = pieces;
    return money;
}

TEST(CharacterEdits, EachEditMarksTheRecordUnsavedOnlyWhenItChangesSomething) {
    struct Case {
        const char* name;
        std::function<void(CharacterSheet&)> edit;
        bool changes;
    };
    const Case cases[] = {
        {"a new score", [](CharacterSheet& c) { EXPECT_TRUE(c.setScore(CharacterSheet::Dexterity, 15)); }, true},
        {"the same score", [](CharacterSheet& c) { EXPECT_FALSE(c.setScore(CharacterSheet::Dexterity, 9)); }, false},
        {"new hit points", [](CharacterSheet& c) { c.setCurrentHitPoints(3); }, true},
        {"the same hit points", [](CharacterSheet& c) { c.setCurrentHitPoints(7); }, false},
        {"more experience", [](CharacterSheet& c) { c.setExperience(120); }, true},
        {"the same experience", [](CharacterSheet& c) { c.setExperience(100); }, false},
        {"new notes", [](CharacterSheet& c) { c.setText(&CharacterSheet::notes, "Owes the ferryman"); }, true},
        {"the same belief", [](CharacterSheet& c) { c.setText(&CharacterSheet::belief, "Oaths bind"); }, false},
        {"a new age", [](CharacterSheet& c) { c.setCount(&CharacterSheet::age, 35); }, true},
        {"the same weight", [](CharacterSheet& c) { c.setCount(&CharacterSheet::weight, 180); }, false},
        {"a creation score, even the same", [](CharacterSheet& c) { c.setCreationScore(CharacterSheet::Dexterity, 9); },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto sheet = newCharacter();
        sheet->attributes[CharacterSheet::Dexterity].current = sheet->attributes[CharacterSheet::Dexterity].natural = 9;
        sheet->currentHitPoints = 7;
        sheet->experience = 100;
        sheet->belief = "Oaths bind";
        sheet->weight = 180;
        sheet->saved = true;
        c.edit(*sheet);
        EXPECT_EQ(!sheet->saved, c.changes);
    }
    auto sheet = newCharacter();
    sheet->saved = true;
    ASSERT_TRUE(sheet->setScore(CharacterSheet::Strength, 17));
    EXPECT_EQ(sheet->attributes[CharacterSheet::Strength].current, 17);
    EXPECT_EQ(sheet->attributes[CharacterSheet::Strength].natural, 17);
    sheet->setText(&CharacterSheet::notes, "Owes the ferryman");
    EXPECT_EQ(sheet->notes, "Owes the ferryman");
    sheet->setCount(&CharacterSheet::age, 35);
    EXPECT_EQ(sheet->age, 35);
}

TEST(CharacterEdits, TheBiographyStepWritesEveryFieldAndAlwaysCounts) {
    auto sheet = newCharacter();
    sheet->saved = true;
    CharacterSheet::Biography bio;
    bio.name = "Sir Bob";
    bio.age = 34;
    bio.weight = 180;
    bio.alignment = "Chaotic";
    bio.belief = "Oaths bind";
    bio.instinct = "Draw first";
    bio.opinion = "Mages lie";
    bio.biography = "Born at sea";
    sheet->setBiography(bio);
    EXPECT_EQ(sheet->name, "Sir Bob");
    EXPECT_EQ(sheet->age, 34);
    EXPECT_EQ(sheet->weight, 180);
    EXPECT_EQ(sheet->alignment, "Chaotic");
    EXPECT_EQ(sheet->alignmentCode, 2);
    EXPECT_EQ(sheet->belief, "Oaths bind");
    EXPECT_EQ(sheet->instinct, "Draw first");
    EXPECT_EQ(sheet->opinion, "Mages lie");
    EXPECT_EQ(sheet->biography, "Born at sea");
    EXPECT_FALSE(sheet->saved);
    sheet->saved = true;
    sheet->setBiography(bio);
    EXPECT_FALSE(sheet->saved) << "Next Step on the biography always counts as an edit";
}

TEST(CharacterEdits, MoneyIsSpentAndEarnedWithItsTransaction) {
    auto sheet = newCharacter();
    sheet->wealth.current.gold = 10;
    sheet->saved = true;
    sheet->spendMoney("Ferry", gold(3));
    EXPECT_EQ(sheet->wealth.current.totalInCopper(), gold(7).totalInCopper());
    EXPECT_FALSE(sheet->saved);
    sheet->saved = true;
    sheet->earnMoney("Wages", gold(5));
    EXPECT_EQ(sheet->wealth.current.totalInCopper(), gold(12).totalInCopper());
    EXPECT_FALSE(sheet->saved);
    ASSERT_GE(sheet->wealth.history.size(), 2u);
    EXPECT_EQ(sheet->wealth.history[sheet->wealth.history.size() - 2].description, "Ferry");
    EXPECT_EQ(sheet->wealth.history.back().description, "Wages");
}

TEST(CharacterEdits, APurchasePaysUnderTheShownNameAndAddsTheItem) {
    auto sheet = newCharacter();
    sheet->wealth.current.gold = 10;
    sheet->saved = true;
    auto arrows = itemOf("arrows");
    EXPECT_EQ(sheet->purchaseEquipment(*arrows, "Arrows", gold(1)), 0);
    EXPECT_EQ(tree(sheet->inventory.items), "arrows");
    EXPECT_EQ(sheet->inventory.items[0]->quantity, 20);
    EXPECT_EQ(sheet->wealth.current.totalInCopper(), gold(9).totalInCopper());
    EXPECT_EQ(sheet->wealth.history.back().description, "Bought equipment: Arrows");
    EXPECT_FALSE(sheet->saved);
}

TEST(CharacterEdits, SellingOneEarnsAndUsesOneUp) {
    auto sheet = newCharacter();
    BRAVCharacterEquipment* torches = give(*sheet, "torch", 3);
    sheet->saved = true;
    sheet->sellOneEquipment(torches, "Torch", gold(1));
    EXPECT_EQ(torches->quantity, 2);
    EXPECT_EQ(sheet->wealth.current.totalInCopper(), gold(1).totalInCopper());
    EXPECT_EQ(sheet->wealth.history.back().description, "Sold equipment: Torch");
    EXPECT_FALSE(sheet->saved);

    // An item no longer held sells nothing.
    auto stray = itemOf("rope");
    sheet->saved = true;
    sheet->sellOneEquipment(stray.get(), "Rope", gold(1));
    EXPECT_EQ(sheet->wealth.current.totalInCopper(), gold(1).totalInCopper());
    EXPECT_TRUE(sheet->saved);
}

TEST(CharacterEdits, UsingUpALastContainerKeepsItsContentsInItsPlace) {
    auto sheet = newCharacter();
    give(*sheet, "rope");
    BRAVCharacterEquipment* sack = give(*sheet, "sack");
    give(*sheet, "torch", 2, sack);
    BRAVCharacterEquipment* leather = give(*sheet, "leather", 1, sack);
    give(*sheet, "long_sword");
    // A slot may point into a bag in memory; moved out of it to the top level, it stays worn.
    sheet->inventory.equippedArmour = leather;
    sheet->saved = true;
    sheet->useUpOneEquipment(sack);
    EXPECT_EQ(tree(sheet->inventory.items), "rope,torch,leather,long_sword");
    EXPECT_EQ(sheet->inventory.equippedArmour, leather);
    EXPECT_EQ(sheet->inventory.items[1]->parent, nullptr);
    EXPECT_FALSE(sheet->saved);
}

TEST(CharacterEdits, UsingUpOneOfAWornStackTakesItOff) {
    auto sheet = newCharacter();
    BRAVCharacterEquipment* shields = give(*sheet, "shield", 2);
    sheet->inventory.equippedShield = shields;
    sheet->useUpOneEquipment(shields);
    EXPECT_EQ(shields->quantity, 1);
    EXPECT_EQ(sheet->inventory.equippedShield, nullptr);
}

TEST(CharacterEdits, UnpackingInsideABagTakesOffWhatStaysInABag) {
    auto sheet = newCharacter();
    BRAVCharacterEquipment* backpack = give(*sheet, "backpack");
    BRAVCharacterEquipment* sack = give(*sheet, "sack", 1, backpack);
    BRAVCharacterEquipment* mail = give(*sheet, "chain_mail", 1, sack);
    sheet->inventory.equippedArmour = mail;
    sheet->inventory.unpackInPlace(*sack);
    EXPECT_EQ(tree(sheet->inventory.items), "backpack[chain_mail,sack]");
    EXPECT_EQ(mail->parent, backpack);
    EXPECT_EQ(sheet->inventory.equippedArmour, nullptr) << "only top-level items are saved as worn";
    // An empty container, or one not in the tree, changes nothing.
    sheet->inventory.unpackInPlace(*sack);
    auto loose = itemOf("sack");
    loose->attachEquipment(itemOf("rope"));
    sheet->inventory.unpackInPlace(*loose);
    EXPECT_EQ(tree(loose->contents), "rope");
    EXPECT_EQ(tree(sheet->inventory.items), "backpack[chain_mail,sack]");
}

TEST(CharacterEdits, EquippingFillsTheSlotOfTheKindAndBringsTheItemToTheTopLevel) {
    auto sheet = newCharacter();
    BRAVCharacterEquipment* sack = give(*sheet, "sack");
    BRAVCharacterEquipment* mail = give(*sheet, "chain_mail", 1, sack);
    BRAVCharacterEquipment* shield = give(*sheet, "shield");
    BRAVCharacterEquipment* rope = give(*sheet, "rope");
    sheet->saved = true;
    EXPECT_TRUE(sheet->equipEquipment(mail));
    EXPECT_EQ(sheet->inventory.equippedArmour, mail);
    EXPECT_EQ(mail->parent, nullptr);
    EXPECT_EQ(tree(sheet->inventory.items), "sack,shield,rope,chain_mail");
    EXPECT_FALSE(sheet->saved);
    EXPECT_TRUE(sheet->equipEquipment(shield));
    EXPECT_EQ(sheet->inventory.equippedShield, shield);

    sheet->saved = true;
    EXPECT_FALSE(sheet->equipEquipment(rope)) << "not armour or a shield";
    auto noRecord = std::make_unique<BRAVCharacterEquipment>(nullptr, static_cast<const Equipment*>(nullptr));
    EXPECT_FALSE(sheet->equipEquipment(noRecord.get()));
    auto loose = itemOf("leather");
    EXPECT_FALSE(sheet->equipEquipment(loose.get())) << "not in the inventory";
    EXPECT_EQ(sheet->inventory.equippedArmour, mail);
    EXPECT_TRUE(sheet->saved);

    sheet->takeOffArmour();
    EXPECT_EQ(sheet->inventory.equippedArmour, nullptr);
    EXPECT_EQ(sheet->inventory.equippedShield, shield);
    EXPECT_FALSE(sheet->saved);
    sheet->saved = true;
    sheet->takeOffShield();
    EXPECT_EQ(sheet->inventory.equippedShield, nullptr);
    EXPECT_FALSE(sheet->saved);
}

TEST(CharacterEdits, ShufflingPackingAndRenamingCountOnlyWhenTheyHappen) {
    auto sheet = newCharacter();
    BRAVCharacterEquipment* rope = give(*sheet, "rope");
    BRAVCharacterEquipment* sack = give(*sheet, "sack");
    sheet->saved = true;
    EXPECT_FALSE(sheet->moveEquipmentUp(rope));
    EXPECT_TRUE(sheet->saved);
    EXPECT_TRUE(sheet->moveEquipmentDown(rope));
    EXPECT_EQ(tree(sheet->inventory.items), "sack,rope");
    EXPECT_FALSE(sheet->saved);

    sheet->saved = true;
    EXPECT_EQ(sheet->packEquipment(sack, sack), PackResult::IntoItself);
    EXPECT_TRUE(sheet->saved);
    EXPECT_EQ(sheet->packEquipment(rope, sack), PackResult::Moved);
    EXPECT_EQ(tree(sheet->inventory.items), "sack[rope]");
    EXPECT_FALSE(sheet->saved);

    sheet->saved = true;
    sheet->renameEquipment(rope, "Old rope");
    EXPECT_EQ(rope->customName, "Old rope");
    EXPECT_FALSE(sheet->saved);
    auto loose = itemOf("rope");
    sheet->saved = true;
    sheet->renameEquipment(loose.get(), "Stray");
    EXPECT_EQ(loose->customName, "");
    EXPECT_TRUE(sheet->saved);
}

} // namespace
