// Counts typed by users: one to nine digits only, never wrapped or cut.
#include <gtest/gtest.h>

#include "tracker/typed_count.h"

namespace {

TEST(TypedCount, OneToNineDigitsAreACountAndNothingElseIs) {
    struct Case {
        std::string text;
        std::optional<std::uint32_t> value;
    };
    const Case cases[] = {
        {"0", 0u},           {"000", 0u},          {"7", 7u},           {"42", 42u},
        {"999999999", 999999999u}, {"000000001", 1u},
        // Ten or more digits would wrap or pass a signed field: no count, not 999999999.
        {"1000000000", std::nullopt}, {"4294967296", std::nullopt}, {"0000000000", std::nullopt},
        {"", std::nullopt},  {"-5", std::nullopt},  {"+5", std::nullopt}, {"1.5", std::nullopt},
        {"12a", std::nullopt}, {" 5", std::nullopt}, {"5 ", std::nullopt}, {"\xB2", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(typedcount::parse(c.text), c.value);
    }
}

} // namespace
