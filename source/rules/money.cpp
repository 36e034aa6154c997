#include "rules/money.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>
#include <string>

#include "rules/catalogue_reader.h"

namespace {

std::int32_t clampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// One way to repair a negative coin: take `taken` of the source, add `added` to the coin.
struct Exchange {
    std::int32_t Money::*source;
    std::int64_t taken;
    std::int64_t added;
};

struct Repair {
    std::int32_t Money::*coin;
    std::array<Exchange, 4> sources;
};

// Smaller coins are gathered first in whole exchanges, then larger ones are broken, smallest
// first; breaking puts the whole worth into the negative coin.
const std::array<Repair, 5> repairs = {{
    {&Money::copper, {{{&Money::silver, 1, 10}, {&Money::electrum, 1, 50}, {&Money::gold, 1, 100}, {&Money::platinum, 1, 500}}}},
    {&Money::silver, {{{&Money::copper, 10, 1}, {&Money::electrum, 1, 5}, {&Money::gold, 1, 10}, {&Money::platinum, 1, 50}}}},
    {&Money::electrum, {{{&Money::copper, 50, 1}, {&Money::silver, 5, 1}, {&Money::gold, 1, 2}, {&Money::platinum, 1, 10}}}},
    {&Money::gold, {{{&Money::copper, 100, 1}, {&Money::silver, 10, 1}, {&Money::electrum, 2, 1}, {&Money::platinum, 1, 5}}}},
    {&Money::platinum, {{{&Money::copper, 500, 1}, {&Money::silver, 50, 1}, {&Money::electrum, 10, 1}, {&Money::gold, 5, 1}}}},
}};

struct CoinName {
    const char* name;
    std::int32_t Money::*coin;
};

const std::array<CoinName, 5> coinsLargestFirst = {{
    {"Platinum", &Money::platinum},
    {"Gold", &Money::gold},
    {"Electrum", &Money::electrum},
    {"Silver", &Money::silver},
    {"Copper", &Money::copper},
}};

} // namespace

std::int64_t Money::totalInCopper() const {
    return std::int64_t{copper} + std::int64_t{silver} * copperPerSilver + std::int64_t{electrum} * copperPerElectrum +
           std::int64_t{gold} * copperPerGold + std::int64_t{platinum} * copperPerPlatinum;
}

bool Money::isZero() const { return copper == 0 && silver == 0 && electrum == 0 && gold == 0 && platinum == 0; }

void Money::addMoney(const Money& amount) {
    for (const auto& coin : coinsLargestFirst) {
        this->*coin.coin = clampToInt32(std::int64_t{this->*coin.coin} + amount.*coin.coin);
    }
}

Money Money::negated() const {
    Money result;
    for (const auto& coin : coinsLargestFirst) result.*coin.coin = clampToInt32(-std::int64_t{this->*coin.coin});
    return result;
}

void Money::subtractMoney(const Money& amount) {
    subtractWithBorrowing(amount);
    if (hasNegativeCoin()) makeChange();
}

bool Money::hasNegativeCoin() const { return copper < 0 || silver < 0 || electrum < 0 || gold < 0 || platinum < 0; }

void Money::makeChange() {
    if (totalInCopper() < 0) return;
    // Smallest first, with each coin's worth in copper.
    const std::array<std::pair<std::int32_t Money::*, std::int64_t>, 5> coins = {{
        {&Money::copper, 1},
        {&Money::silver, copperPerSilver},
        {&Money::electrum, copperPerElectrum},
        {&Money::gold, copperPerGold},
        {&Money::platinum, copperPerPlatinum},
    }};
    // Larger coins are broken first and debts pushed down, so the walk runs from the top.
    for (std::size_t index = coins.size(); index-- > 0;) {
        std::int32_t& coin = this->*coins[index].first;
        const std::int64_t worth = coins[index].second;
        while (coin < 0) {
            const std::int64_t shortfall = -std::int64_t{coin} * worth;
            std::size_t larger = coins.size();
            for (std::size_t up = index + 1; up < coins.size(); ++up) {
                if (this->*coins[up].first <= 0) continue;
                if (larger == coins.size()) larger = up;
                if (coins[up].second >= shortfall) {
                    larger = up;
                    break;
                }
            }
            if (larger == coins.size() && index == 0) break;
            if (larger == coins.size()) {
                // Only smaller coins are left to pay with: the debt moves down one coin. The
                // coin values divide each other, so this is exact; copper always has a larger
                // coin here, because the total is not negative.
                std::int32_t& smaller = this->*coins[index - 1].first;
                smaller = clampToInt32(std::int64_t{smaller} - shortfall / coins[index - 1].second);
                coin = 0;
                break;
            }
            std::int32_t& source = this->*coins[larger].first;
            // As many pieces as the shortfall needs, at once.
            const std::int64_t pieces =
                std::min<std::int64_t>(source, (shortfall + coins[larger].second - 1) / coins[larger].second);
            source = static_cast<std::int32_t>(source - pieces);
            coin = clampToInt32(std::int64_t{coin} + pieces * (coins[larger].second / worth));
        }
    }
}

void Money::subtractWithBorrowing(const Money& amount) {
    for (const auto& coin : coinsLargestFirst) {
        this->*coin.coin = clampToInt32(std::int64_t{this->*coin.coin} - amount.*coin.coin);
    }
    for (const Repair& repair : repairs) {
        std::int32_t& coin = this->*repair.coin;
        for (const Exchange& exchange : repair.sources) {
            if (coin >= 0) break;
            std::int32_t& source = this->*exchange.source;
            if (source < exchange.taken) continue;
            // As many whole exchanges as the coin needs and the source allows, at once: one at a
            // time would take billions of turns near the int32 range.
            const std::int64_t needed = (-std::int64_t{coin} + exchange.added - 1) / exchange.added;
            const std::int64_t count = std::min(needed, std::int64_t{source} / exchange.taken);
            source = static_cast<std::int32_t>(source - count * exchange.taken);
            coin = static_cast<std::int32_t>(coin + count * exchange.added);
        }
    }
}

void Money::readMoney(const tinyxml2::XMLElement& element) {
    for (const tinyxml2::XMLElement* child = element.FirstChildElement(); child; child = child->NextSiblingElement()) {
        const std::string name = child->Name();
        for (const auto& coin : coinsLargestFirst) {
            if (name != coin.name) continue;
            if (const char* value = child->Attribute("value")) this->*coin.coin = readInt(value);
        }
    }
}

void Money::writeMoney(tinyxml2::XMLElement& parent) const {
    tinyxml2::XMLDocument* document = parent.GetDocument();
    for (const auto& coin : coinsLargestFirst) {
        tinyxml2::XMLElement* child = document->NewElement(coin.name);
        child->SetAttribute("value", formatInt(this->*coin.coin).c_str());
        parent.InsertEndChild(child);
    }
}
