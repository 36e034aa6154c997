#pragma once
// A sum of money in the five coins, and its XML block (one child per coin).
#include <cstdint>

#include <tinyxml2.h>

struct Money {
    // Worth of each coin in copper pieces.
    static constexpr int copperPerSilver = 10;
    static constexpr int copperPerElectrum = 50;
    static constexpr int copperPerGold = 100;
    static constexpr int copperPerPlatinum = 500;

    // Counts may be negative: spending more than a coin holds leaves it below zero.
    std::int32_t copper = 0;
    std::int32_t silver = 0;
    std::int32_t electrum = 0;
    std::int32_t gold = 0;
    std::int32_t platinum = 0;

    // The whole value in copper pieces. 64 bits: five int32 coins weighted up to 500 don't fit
    // in 32, and an affordability check on a wrapped total would say yes to anything.
    std::int64_t totalInCopper() const;
    bool isZero() const;

    // Coin by coin, each clamped to the int32 range (the file keeps "%d"); no carrying.
    void addMoney(const Money& amount);
    // Every coin negated (clamped: -INT32_MIN does not fit).
    Money negated() const;
    // Subtracts coin by coin, then repairs each negative coin in the order copper, silver,
    // electrum, gold, platinum by exchanging whole coins from the others (smaller ones first,
    // gathered in whole exchanges, then larger ones broken). A coin that can't be repaired
    // stays negative; no change is ever made into intermediate coins. When that leaves a coin
    // negative although the purse held enough, the payment is finished with makeChange, so an
    // affordable payment never leaves a coin below zero.
    void subtractMoney(const Money& amount);
    // The coin-by-coin subtraction and exchanges alone, as stored histories were made with.
    void subtractWithBorrowing(const Money& amount);
    // Clears every negative coin of a purse whose total is not negative: a larger coin is
    // changed into the negative one (the smallest larger coin one piece of which covers the
    // shortfall, else the smallest larger coin held), and a debt no larger coin can meet is
    // passed down to the next smaller coin. The total is kept exactly. Nothing happens to a
    // purse whose total is negative.
    void makeChange();
    bool hasNegativeCoin() const;

    // Sets each coin named by a child "Platinum", "Gold", "Electrum", "Silver" or "Copper"
    // (any order) to its "value"; coins without a child keep their value.
    void readMoney(const tinyxml2::XMLElement& element);
    // Appends the five coin children to parent, largest first, each "value" as "%d".
    void writeMoney(tinyxml2::XMLElement& parent) const;

    bool operator==(const Money&) const = default;
};
