#pragma once
// What the proficiency picker has done to one proficiency (id and domain) before Next Step
// writes it to the character: taken it new, raised it some ranks, or both.
#include <cstdint>
#include <string>
#include <vector>

struct ProficiencyPickRecord {
    // Picked in this window, not owned before.
    std::uint8_t isNew = 0;
    std::string id;
    std::string domain;
    // Ranks added in this window.
    std::uint32_t upgrades = 0;

    bool matches(const std::string& otherId, const std::string& otherDomain) const {
        return id == otherId && domain == otherDomain;
    }
    // The picks this record spends: one for a new pick, one per upgrade.
    std::uint32_t picksSpent() const { return upgrades + (isNew ? 1 : 0); }
};

// The record of that id and domain, or null.
ProficiencyPickRecord* findPickRecord(std::vector<ProficiencyPickRecord>& records, const std::string& id,
                                      const std::string& domain);
