#pragma once
// One press of a dice row's Roll button: which dice, each die as it fell, the signed modifier
// and the total.
#include <string>
#include <vector>

struct DiceRoll {
    std::string label;
    unsigned count = 0;
    std::vector<int> rolls;
    // Negative when subtracted.
    int modifier = 0;
    int total = 0;
};
