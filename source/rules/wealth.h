#pragma once
// The character's purse with the history of every change made through spending and earning,
// and the "Loot" block that holds both in the saved character.
#include <string>
#include <vector>

#include <tinyxml2.h>

#include "rules/money.h"

struct Transaction {
    std::string description;
    Money amount; // negative coins for spending, positive for earning
};

struct Wealth {
    Money current;
    std::vector<Transaction> history; // oldest first; only ever grows

    // Takes amount from the purse with borrowing (Money::subtractMoney) and records it negated.
    // Never refuses: whether it is affordable is the caller's question (Money::totalInCopper).
    void spendMoney(const std::string& description, const Money& amount);
    // Adds amount coin by coin (twelve copper stay twelve copper) and records it as given.
    void earnMoney(const std::string& description, const Money& amount);

    // Reads a "Loot" element into this wealth without emptying it first: pass a fresh one.
    void readWealth(const tinyxml2::XMLElement& loot);
    // Appends a "Loot" element with "CurrentWealth" and "TransactionHistory" to parent.
    void writeWealth(tinyxml2::XMLElement& parent) const;
};
