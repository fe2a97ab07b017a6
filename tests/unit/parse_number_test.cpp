#include "reading/parse_number.h"

#include <gtest/gtest.h>

TEST(ParseNumber, TakesOnlyAWholeWordThatIsANumber) {
    struct {
        const char* word;
        bool ok;
        double value;
    } const cases[] = {
        {"0.7", true, 0.7},   {"1", true, 1},       {"-0.5", true, -0.5}, {"+.5", true, 0.5},
        {"5.", true, 5},      {"1.5e0", true, 1.5}, {"7E-1", true, 0.7},  {"0,7", false, 0},
        {",7", false, 0},     {"0.7abc", false, 0}, {"70%", false, 0},    {"1e", false, 0},
        {"1e+", false, 0},    {".", false, 0},      {"-", false, 0},      {"", false, 0},
        {"inf", false, 0},    {"nan", false, 0},    {"0x1p3", false, 0},  {"1e999", false, 0},
        {"-1e999", false, 0}, {"1.2.3", false, 0},  {" 1", false, 0},     {"1 ", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("word \"") + c.word + "\"");
        double value = 0;
        EXPECT_EQ(parse_number(c.word, value), c.ok);
        EXPECT_EQ(value, c.value);
    }
}
