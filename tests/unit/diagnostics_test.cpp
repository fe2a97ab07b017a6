#include "diagnostics/diagnostics.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

// Names and words from the inputs reach standard error: none may split a line or command
// the terminal, and what is printable, UTF-8 included, stays as it is.
TEST(Diagnose, LinesAreSafeToPrint) {
    using namespace std::string_literals;
    struct {
        std::string what, shown;
    } const cases[] = {
        {"wrote week.out", "wrote week.out"},
        {"maximum 410 °F is outside -80 to 140 °F", "maximum 410 °F is outside -80 to 140 °F"},
        {"four bytes: \xf0\x9f\x98\x80", "four bytes: \xf0\x9f\x98\x80"},
        {"wrote a\nb.out", "wrote a\\x0ab.out"},
        {"\x1b[2J", "\\x1b[2J"},
        {"a\0b"s, "a\\x00b"},
        {"\x7f", "\\x7f"},
        {"C1 \xc2\x9b and \xc2\xa0", "C1 \\xc2\\x9b and \xc2\xa0"},
        {"latin-1 \xe9t\xe9", "latin-1 \\xe9t\\xe9"},
        {"cut \xe2\x82", "cut \\xe2\\x82"},
        {"overlong \xc0\xaf \xe0\x80\xaf", "overlong \\xc0\\xaf \\xe0\\x80\\xaf"},
        {"surrogate \xed\xa0\x80", "surrogate \\xed\\xa0\\x80"},
        {"beyond \xf4\x90\x80\x80", "beyond \\xf4\\x90\\x80\\x80"},
        {"stray \x80\xbf", "stray \\x80\\xbf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        std::ostringstream sink;
        diagnose(diagnostics{&sink, nullptr, "vuzazav"}, c.what);
        EXPECT_EQ(sink.str(), "vuzazav: " + c.shown + "\n");
    }
}
