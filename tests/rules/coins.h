#pragma once
// A purse of the given coin counts, smallest coin first, for the rules tests.
#include "rules/money.h"

inline Money coins(int copper, int silver, int electrum, int gold, int platinum) {
    Money money;
    money.copper = copper;
    money.silver = silver;
    money.electrum = electrum;
    money.gold = gold;
    money.platinum = platinum;
    return money;
}
