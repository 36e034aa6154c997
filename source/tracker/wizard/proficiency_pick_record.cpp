#include "tracker/wizard/proficiency_pick_record.h"

ProficiencyPickRecord* findPickRecord(std::vector<ProficiencyPickRecord>& records, const std::string& id,
                                      const std::string& domain) {
    for (ProficiencyPickRecord& record : records) {
        if (record.matches(id, domain)) return &record;
    }
    return nullptr;
}
