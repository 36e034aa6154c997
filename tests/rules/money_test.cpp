#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/xml_file.h"
#include "coins.h"
#include "rules/money.h"
#include "rules/wealth.h"

namespace {

// The borrowing rules exactly as written: one exchange at a time. Only usable on small purses.
void subtractOneExchangeAtATime(Money& purse, const Money& amount) {
    purse.copper -= amount.copper;
    purse.silver -= amount.silver;
    purse.electrum -= amount.electrum;
    purse.gold -= amount.gold;
    purse.platinum -= amount.platinum;
    struct Source {
        int Money::*coin;
        int taken;
        int added;
    };
    struct Row {
        int Money::*coin;
        std::vector<Source> sources;
    };
    const std::vector<Row> table = {
        {&Money::copper, {{&Money::silver, 1, 10}, {&Money::electrum, 1, 50}, {&Money::gold, 1, 100}, {&Money::platinum, 1, 500}}},
        {&Money::silver, {{&Money::copper, 10, 1}, {&Money::electrum, 1, 5}, {&Money::gold, 1, 10}, {&Money::platinum, 1, 50}}},
        {&Money::electrum, {{&Money::copper, 50, 1}, {&Money::silver, 5, 1}, {&Money::gold, 1, 2}, {&Money::platinum, 1, 10}}},
        {&Money::gold, {{&Money::copper, 100, 1}, {&Money::silver, 10, 1}, {&Money::electrum, 2, 1}, {&Money::platinum, 1, 5}}},
        {&Money::platinum, {{&Money::copper, 500, 1}, {&Money::silver, 50, 1}, {&Money::electrum, 10, 1}, {&Money::gold, 5, 1}}},
    };
    for (const Row& row : table) {
        for (const Source& source : row.sources) {
            while (purse.*row.coin < 0 && purse.*source.coin >= source.taken) {
                purse.*source.coin -= source.taken;
                purse.*row.coin += source.added;
            }
        }
    }
}

struct SpendCase {
    const char* name;
    Money purse;
    Money price;
    Money expected;
};

void PrintTo(const SpendCase& c, std::ostream* out) { *out << c.name; }

class SpendMoney : public ::testing::TestWithParam<SpendCase> {};

TEST_P(SpendMoney, BorrowsAsTheTableSays) {
    const SpendCase& c = GetParam();
    Wealth wealth;
    wealth.current = c.purse;
    wealth.spendMoney("Bought equipment: test", c.price);
    EXPECT_EQ(wealth.current, c.expected);
    ASSERT_EQ(wealth.history.size(), 1u);
    EXPECT_EQ(wealth.history[0].amount, c.price.negated());
    EXPECT_EQ(wealth.history[0].description, "Bought equipment: test");
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, SpendMoney,
    ::testing::Values(SpendCase{"GoldForCopperMakesNoSilver", coins(0, 0, 0, 1, 0), coins(5, 0, 0, 0, 0), coins(95, 0, 0, 0, 0)},
                      SpendCase{"SilverFromGold", coins(0, 0, 0, 3, 0), coins(0, 1, 0, 0, 0), coins(0, 9, 0, 2, 0)},
                      SpendCase{"SilverGathersCopper", coins(25, 0, 0, 0, 0), coins(0, 2, 0, 0, 0), coins(5, 0, 0, 0, 0)},
                      SpendCase{"NothingToBorrow", coins(5, 0, 0, 0, 0), coins(0, 0, 0, 1, 0), coins(5, 0, 0, -1, 0)},
                      SpendCase{"SpendStoresNegatedAmount", coins(3, 0, 0, 2, 0), coins(3, 0, 0, 2, 0), coins(0, 0, 0, 0, 0)},
                      SpendCase{"ElectrumBreaksGold", coins(0, 0, 0, 1, 0), coins(0, 0, 1, 0, 0), coins(0, 0, 1, 0, 0)},
                      SpendCase{"PlatinumGathersGold", coins(0, 0, 0, 12, 0), coins(0, 0, 0, 0, 2), coins(0, 0, 0, 2, 0)}),
    [](const ::testing::TestParamInfo<SpendCase>& info) { return std::string(info.param.name); });

TEST(Wealth, EarningDoesNotCarry) {
    Wealth wealth;
    wealth.earnMoney("Found", coins(15, 0, 0, 0, 0));
    EXPECT_EQ(wealth.current, coins(15, 0, 0, 0, 0));
    ASSERT_EQ(wealth.history.size(), 1u);
    EXPECT_EQ(wealth.history[0].amount, coins(15, 0, 0, 0, 0));
    EXPECT_EQ(wealth.history[0].description, "Found");
}

TEST(Wealth, SpendOfGoldAndCopperIsRecordedNegated) {
    Wealth wealth;
    wealth.current = coins(0, 0, 0, 10, 0);
    wealth.spendMoney("Sword", coins(3, 0, 0, 2, 0));
    ASSERT_EQ(wealth.history.size(), 1u);
    EXPECT_EQ(wealth.history[0].amount, coins(-3, 0, 0, -2, 0));
}

// Every purse and price of a small grid: the fast borrowing matches the exchange-by-exchange
// rules, the purse falls by exactly the price, and a coin that the price didn't drive below
// zero is never taken below zero by borrowing.
TEST(Money, EverySpendMatchesTheCopperTotal) {
    int Money::*const fields[] = {&Money::copper, &Money::silver, &Money::electrum, &Money::gold, &Money::platinum};
    const std::vector<int> counts = {0, 1, 2, 4, 5, 9, 10, 11, 49, 50, 51, 120};
    int checked = 0;
    for (int purseCoin = 0; purseCoin < 5; ++purseCoin) {
        for (int priceCoin = 0; priceCoin < 5; ++priceCoin) {
            for (int a : counts) {
                for (int b : counts) {
                    for (int p : {0, 1, 3, 7, 25, 60, 130}) {
                        Money purse = coins(b, a % 7, a % 3, a / 10, 0);
                        purse.*fields[purseCoin] += a;
                        Money price;
                        price.*fields[priceCoin] = p;
                        price.copper += p % 4;

                        Money fast = purse;
                        fast.subtractWithBorrowing(price);
                        Money slow = purse;
                        subtractOneExchangeAtATime(slow, price);
                        ASSERT_EQ(fast, slow);
                        ASSERT_EQ(fast.totalInCopper(), purse.totalInCopper() - price.totalInCopper());
                        for (int Money::*field : fields) {
                            if (purse.*field - price.*field >= 0) {
                                ASSERT_GE(fast.*field, 0);
                            }
                        }
                        ++checked;
                    }
                }
            }
        }
    }
    EXPECT_EQ(checked, 5 * 5 * 12 * 12 * 7);
}

bool noCoinBelowZero(const Money& money) {
    return money.copper >= 0 && money.silver >= 0 && money.electrum >= 0 && money.gold >= 0 && money.platinum >= 0;
}

// Payments the purse can afford but whose borrowing alone would leave a coin below zero.
TEST(Money, AffordablePaymentsThatBorrowingLeavesNegativeAreFinishedWithChange) {
    struct Case {
        const char* name;
        Money purse;
        Money price;
        Money borrowedOnly;
        Money expected;
    };
    const Case cases[] = {
        {"FourteenGoldTenSilverPayThreePlatinum", coins(0, 10, 0, 14, 0), coins(0, 0, 0, 0, 3), coins(0, 10, 0, 4, -1),
         coins(0, 0, 0, 0, 0)},
        {"FourSilverTenCopperPayOneElectrum", coins(10, 4, 0, 0, 0), coins(0, 0, 1, 0, 0), coins(10, 4, -1, 0, 0),
         coins(0, 0, 0, 0, 0)},
        {"SmallerCoinsPayWhatIsOwed", coins(15, 9, 0, 4, 0), coins(0, 0, 0, 0, 1), coins(15, 9, 0, 4, -1),
         coins(5, 0, 0, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Money borrowed = c.purse;
        borrowed.subtractWithBorrowing(c.price);
        EXPECT_EQ(borrowed, c.borrowedOnly) << "the example must be one that borrowing alone gets wrong";
        Wealth wealth;
        wealth.current = c.purse;
        wealth.spendMoney("Bought equipment: test", c.price);
        EXPECT_EQ(wealth.current, c.expected);
        EXPECT_EQ(wealth.current.totalInCopper(), c.purse.totalInCopper() - c.price.totalInCopper());
        EXPECT_EQ(wealth.history.back().amount, c.price.negated()) << "the history keeps the price as paid";
    }
}

// Over a grid of small purses and prices: every affordable payment leaves no coin below zero
// and exactly the difference, and wherever the borrowing rules alone leave no coin below zero
// their result stands unchanged.
TEST(Money, EveryAffordablePaymentOverAGridLeavesNoNegativeCoin) {
    const std::vector<int> counts = {0, 1, 2, 4, 5, 9, 10, 14};
    int affordable = 0;
    int finishedWithChange = 0;
    for (int pc = 0; pc < 3; ++pc)
        for (int ps : counts)
            for (int pe : {0, 1, 3})
                for (int pg : counts)
                    for (int pp : {0, 1, 2})
                        for (int qc : {0, 3, 10})
                            for (int qs : {0, 1, 4})
                                for (int qe : {0, 1})
                                    for (int qg : {0, 1, 5})
                                        for (int qp : {0, 1, 3}) {
                                            const Money purse = coins(pc * 10, ps, pe, pg, pp);
                                            const Money price = coins(qc, qs, qe, qg, qp);
                                            Money borrowed = purse;
                                            subtractOneExchangeAtATime(borrowed, price);
                                            Money paid = purse;
                                            paid.subtractMoney(price);
                                            ASSERT_EQ(paid.totalInCopper(), purse.totalInCopper() - price.totalInCopper());
                                            if (noCoinBelowZero(borrowed)) {
                                                ASSERT_EQ(paid, borrowed);
                                            }
                                            if (purse.totalInCopper() >= price.totalInCopper()) {
                                                ++affordable;
                                                finishedWithChange += !noCoinBelowZero(borrowed);
                                                ASSERT_TRUE(noCoinBelowZero(paid))
                                                    << purse.copper << "/" << purse.silver << "/" << purse.electrum << "/"
                                                    << purse.gold << "/" << purse.platinum << " paying " << price.copper
                                                    << "/" << price.silver << "/" << price.electrum << "/" << price.gold
                                                    << "/" << price.platinum;
                                            } else {
                                                ASSERT_EQ(paid, borrowed) << "an unaffordable payment is left as borrowed";
                                            }
                                        }
    EXPECT_GT(affordable, 1000);
    EXPECT_GT(finishedWithChange, 10) << "the grid must reach the cases borrowing alone gets wrong";
}

TEST(Money, AffordablePricesInOneCoinLeaveNoNegativeCoin) {
    // A copper price is always repaired when the purse can pay it: every coin breaks into copper.
    for (int gold = 0; gold < 4; ++gold) {
        for (int copper = 0; copper <= 400; copper += 7) {
            Money purse = coins(3, 2, 1, gold, 1);
            if (purse.totalInCopper() < copper) continue;
            purse.subtractMoney(coins(copper, 0, 0, 0, 0));
            EXPECT_GE(purse.copper, 0);
            EXPECT_GE(purse.silver, 0);
            EXPECT_GE(purse.electrum, 0);
            EXPECT_GE(purse.gold, 0);
            EXPECT_GE(purse.platinum, 0);
        }
    }
}

TEST(Money, BorrowingNearTheInt32RangeIsImmediate) {
    const int most = std::numeric_limits<int>::max();
    Money purse = coins(0, 0, 0, 0, most);
    const std::int64_t before = purse.totalInCopper();
    purse.subtractMoney(coins(most, 0, 0, 0, 0));
    EXPECT_EQ(purse.totalInCopper(), before - most);
    EXPECT_GE(purse.copper, 0);
    EXPECT_LT(purse.copper, 500);
}

TEST(Money, TotalsDoNotOverflow) {
    const int most = std::numeric_limits<int>::max();
    const Money rich = coins(most, most, most, most, most);
    EXPECT_EQ(rich.totalInCopper(), std::int64_t{most} * (1 + 10 + 50 + 100 + 500));
    EXPECT_GT(rich.totalInCopper(), coins(0, 0, 0, 5, 0).totalInCopper());

    Money purse = coins(most, 0, 0, 0, std::numeric_limits<int>::min());
    purse.addMoney(coins(1, 0, 0, 0, 0));
    EXPECT_EQ(purse.copper, most);
    EXPECT_EQ(purse.negated().platinum, most);
    Money poor = coins(0, 0, 0, 0, std::numeric_limits<int>::min());
    poor.subtractMoney(coins(0, 0, 0, 0, 1));
    EXPECT_EQ(poor.platinum, std::numeric_limits<int>::min());
}

TEST(Money, ZeroValueWritesAllFiveCoins) {
    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* block = document.NewElement("MonetaryValue");
    document.InsertEndChild(block);
    Money().writeMoney(*block);
    std::vector<std::string> names;
    for (const tinyxml2::XMLElement* child = block->FirstChildElement(); child; child = child->NextSiblingElement()) {
        names.push_back(child->Name());
        EXPECT_STREQ(child->Attribute("value"), "0");
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Platinum", "Gold", "Electrum", "Silver", "Copper"}));
}

TEST(Money, ReadKeepsAbsentCoinsAndIgnoresOthers) {
    tinyxml2::XMLDocument document;
    document.Parse("<Value><Copper value=\"7\"/><Ruby value=\"3\"/><Gold value=\"x\"/><Silver/></Value>");
    Money money = coins(1, 2, 3, 4, 5);
    money.readMoney(*document.RootElement());
    EXPECT_EQ(money, coins(7, 2, 3, 0, 5));
}

TEST(Wealth, LootRoundTrip) {
    Wealth wealth;
    wealth.current = coins(1, -2, 3, 4, 5);
    wealth.spendMoney("Bought equipment: Rope", coins(0, 0, 0, 1, 0));
    wealth.earnMoney("Sold equipment: Dagger", coins(12, 1, 0, 0, 0));
    wealth.history.push_back({"", Money()});

    tinyxml2::XMLDocument document;
    tinyxml2::XMLElement* sheet = document.NewElement("CharacterSheet");
    document.InsertEndChild(sheet);
    wealth.writeWealth(*sheet);
    ASSERT_NE(sheet->FirstChildElement("Loot"), nullptr);
    EXPECT_EQ(sheet->LastChildElement(), sheet->FirstChildElement("Loot"));

    tinyxml2::XMLDocument reread;
    ASSERT_EQ(reread.Parse(xmlFileText(document).c_str()), tinyxml2::XML_SUCCESS);
    Wealth loaded;
    loaded.readWealth(*reread.RootElement()->FirstChildElement("Loot"));
    EXPECT_EQ(loaded.current, wealth.current);
    ASSERT_EQ(loaded.history.size(), wealth.history.size());
    for (std::size_t i = 0; i < wealth.history.size(); ++i) {
        EXPECT_EQ(loaded.history[i].description, wealth.history[i].description);
        EXPECT_EQ(loaded.history[i].amount, wealth.history[i].amount);
    }
}

TEST(Wealth, TransactionsWithoutDescriptionOrAmountReadEmpty) {
    tinyxml2::XMLDocument document;
    document.Parse("<Loot><TransactionHistory><Transaction/><Other/>"
                   "<Transaction description=\"d\"><Amount><Gold value=\"-2\"/></Amount></Transaction>"
                   "</TransactionHistory></Loot>");
    Wealth wealth;
    wealth.readWealth(*document.RootElement());
    ASSERT_EQ(wealth.history.size(), 2u);
    EXPECT_EQ(wealth.history[0].description, "");
    EXPECT_TRUE(wealth.history[0].amount.isZero());
    EXPECT_EQ(wealth.history[1].amount, coins(0, 0, 0, -2, 0));
    EXPECT_TRUE(wealth.current.isZero());
}

} // namespace
