#include "cli/parse_command_line.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace {

const cli_option options[] = {{'o', "output", true}, {0, "date", true}, {0, "quiet", false}};

struct parse {
    bool ok;
    command_line parsed;
    std::string error;
};

parse parse_of(const std::vector<std::string>& args) {
    parse p{false, {}, ""};
    p.ok = parse_command_line(args, options, std::size(options), p.parsed, p.error);
    return p;
}

} // namespace

TEST(ParseCommandLine, ValuesInEveryForm) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{"-o", "x.out", "in.txt"},
                                                 {"-ox.out", "in.txt"},
                                                 {"--output", "x.out", "in.txt"},
                                                 {"in.txt", "--output=x.out"},
                                                 {"-o", "first.out", "in.txt", "-o", "x.out"}}) {
        parse p = parse_of(args);
        ASSERT_TRUE(p.ok) << p.error;
        EXPECT_EQ(p.parsed.options.at("output"), "x.out");
        EXPECT_EQ(p.parsed.operands, std::vector<std::string>{"in.txt"});
    }
    // A value may look like an option; "-" and everything after "--" are operands.
    parse p = parse_of({"--date", "-3", "-", "--", "-o", "--quiet"});
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(p.parsed.options.at("date"), "-3");
    EXPECT_EQ(p.parsed.operands, (std::vector<std::string>{"-", "-o", "--quiet"}));
    EXPECT_TRUE(parse_of({"-h"}).parsed.options.count("help"));
}

TEST(ParseCommandLine, SaysWhatIsWrong) {
    EXPECT_EQ(parse_of({"-x"}).error, "unknown option -x");
    EXPECT_EQ(parse_of({"--outputs=a"}).error, "unknown option --outputs");
    EXPECT_EQ(parse_of({"in.txt", "-o"}).error, "option --output needs a value");
    EXPECT_EQ(parse_of({"--quiet=yes"}).error, "option --quiet takes no value");
    EXPECT_FALSE(parse_of({"--date"}).ok);
}

// An option that applies to the files after it (verify's --station) knows where it stood.
TEST(ParseCommandLine, OptionsKeepTheirPlaceAmongOperands) {
    parse p = parse_of({"a.txt", "--date", "1", "b.txt", "c.txt", "--date=2", "--", "--date"});
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.parsed.given.size(), 2u);
    EXPECT_EQ(p.parsed.given[0].value, "1");
    EXPECT_EQ(p.parsed.given[0].operands_before, 1u);
    EXPECT_EQ(p.parsed.given[1].value, "2");
    EXPECT_EQ(p.parsed.given[1].operands_before, 3u);
    EXPECT_EQ(p.parsed.operands.size(), 4u);
}
