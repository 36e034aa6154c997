#pragma once
// What the last level-up gave a character, for the level-up report window.
#include <cstdint>
#include <map>

struct LevelUpReport {
    std::int32_t hitPointsGained = 0;
    // Spell level to castings gained.
    std::map<std::int32_t, std::int32_t> arcaneCastingsGained;
    std::map<std::int32_t, std::int32_t> divineCastingsGained;
    // A throw fell (lower is better): the attack throw, any saving throw.
    bool attackImproved = false;
    bool savesImproved = false;
};
