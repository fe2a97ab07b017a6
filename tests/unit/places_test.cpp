#include "reading/places.h"

#include "reading/reading.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

TEST(QuoteWord, CutsAfterFortyCharactersNamingTheLength) {
    const std::string forty(40, 'x'), e_acute = "\xc3\xa9";
    std::string accents;
    for (int i = 0; i < 45; ++i) accents += e_acute;
    struct {
        std::string word;
        std::size_t size;
        std::string quoted;
    } const cases[] = {
        {"NAM", 0, "\"NAM\""},
        {forty, 0, "\"" + forty + "\""},
        {forty + "y", 0, "\"" + forty + "...\" (41 bytes)"},
        // Characters, not bytes, are cut: no UTF-8 character is split.
        {accents, 0, "\"" + accents.substr(0, 80) + "...\" (90 bytes)"},
        // The start of a longer word, as a read kept it.
        {"abc", 5000, "\"abc...\" (5000 bytes)"},
        {std::string(kept_word_length, 'z'), 0,
         "\"" + std::string(40, 'z') + "...\" (256 bytes or more)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.quoted);
        EXPECT_EQ(quote_word(c.word, c.size), c.quoted);
    }
}

TEST(QuotedWordAt, QuotesTheWholeWordFromItsStart) {
    const std::string huge(100000, 'x');
    std::istringstream in("row 12 " + huge + " 5  ");
    bool begun = false;
    EXPECT_EQ(quoted_word_at(in, 7 + 70000, &begun),
              "\"" + std::string(40, 'x') + "...\" (100000 bytes)");
    EXPECT_TRUE(begun);
    // A read that failed stops right after its word.
    EXPECT_EQ(quoted_word_at(in, 6, &begun), "\"12\"");
    EXPECT_TRUE(begun);
    EXPECT_EQ(quoted_word_at(in, 4, &begun), "\"12\"");
    EXPECT_FALSE(begun);
    EXPECT_EQ(quoted_word_at(in, 7 + 100000 + 3), "");
    EXPECT_EQ(quoted_word_at(in, 7 + 100000 + 50), "");
}
