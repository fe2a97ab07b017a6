#include "gfs/gfs_header.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

class CheckGfsHeader : public ::testing::Test {
  protected:
    bool check(const std::string& text) {
        std::istringstream in(text, std::ios::in | std::ios::binary);
        return check_gfs_header(in, field_at, why);
    }
    fault why;
    long long field_at = -1;
};

const std::string field_names = "FIELD MEAN SEA-LEVEL 2 M TEMPERATUR TEMPERATURE TEMPERATURE "
                                "TEMPERATURE THICKNESS 2 METER RELATI 6HR PRECIPITAT AVERAGE "
                                "TOTAL WIND DIRECTION WIND SPEED";
const std::string levels = "LEVEL 850 MB 700 MB 500 MB 500 MB 10 M 10 M";
const std::string units = "UNITS HPA DEGC DEGC DEGC DEGC DM PCT MM PCT DEG KNTS";
const std::string header = field_names + "\n" + levels + "\n" + units + "\n";
const std::string data = "FHR\n[000] 1030.2 -8.5 -12 -21.3 -34.6 522 78 0 15 330 12\n";

// The header with its first occurrence of from replaced by to.
std::string header_with(const std::string& from, const std::string& to) {
    std::string text = header;
    return text.replace(text.find(from), from.size(), to);
}

std::string one_word_a_line(std::string text) {
    for (char& c : text)
        if (c == ' ') c = '\n';
    return text;
}

struct header_case {
    const char* what;
    std::string text;
    bool ok;
};

} // namespace

TEST_F(CheckGfsHeader, AcceptsTheHeaderHoweverItIsSpread) {
    const header_case cases[] = {
        {"three lines with data", "NCEP GFS POINT SERIES\nRUN 00Z\n\n" + header + data, true},
        {"file starts with FIELD", one_word_a_line(header), true},
        {"one long line", field_names + " " + levels + " " + units, true},
        {"tabs and CRLF", "RUN\r\n" + field_names + "\t" + levels + "\r\n" + units + "\r\n", true},
        {"header with no data", header, true},
        {"no line break after KNTS", "PREAMBLE " + field_names + " " + levels + " " + units, true},
        {"FHR in the preamble is not looked at", "FHR\n" + header, true},
        {"many preamble lines", std::string(200, 'x') + "\nA B C\n\n\n 1 2 3\n" + header, true},
    };
    for (const header_case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(check(c.text), c.ok);
    }
}

TEST_F(CheckGfsHeader, RejectsAnyDifferentWord) {
    const header_case cases[] = {
        {"lower case", header_with("TEMPERATUR ", "temperatur "), false},
        {"TEMPERATURE for TEMPERATUR", header_with("TEMPERATUR ", "TEMPERATURE "), false},
        {"three DEGC", header_with("DEGC DEGC DEGC DEGC", "DEGC DEGC DEGC"), false},
        {"five DEGC", header_with("DEGC DEGC DEGC DEGC", "DEGC DEGC DEGC DEGC DEGC"), false},
        {"extra word", header_with("LEVEL", "LEVEL LEVEL"), false},
        {"missing word", header_with("10 M\n", "10\n"), false},
        {"swapped words", header_with("850 MB 700 MB", "700 MB 850 MB"), false},
        {"FIELD in the preamble", "THE FIELD VALUES FOLLOW\n" + header, false},
    };
    for (const header_case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(check(c.text), c.ok);
    }
}

TEST_F(CheckGfsHeader, RejectsAFileThatEndsTooSoon) {
    const header_case cases[] = {
        {"empty", "", false},
        {"only preamble", "NCEP GFS POINT SERIES\nRUN 00Z\n", false},
        {"FIELD at the very end", "PREAMBLE FIELD", false},
        {"cut after DEG", header.substr(0, header.rfind("KNTS")), false},
    };
    for (const header_case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(check(c.text), c.ok);
    }
}
