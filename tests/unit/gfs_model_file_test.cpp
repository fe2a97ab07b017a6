#include "gfs/gfs_model_file.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

class ReadGfsRows : public ::testing::Test {
  protected:
    bool read(const std::string& text) {
        std::istringstream in(text, std::ios::in | std::ios::binary);
        return read_gfs_rows(in, rows, row_at, why);
    }
    gfs_row rows[gfs_row_count] = {};
    fault why;
    long long row_at[gfs_row_count] = {};
};

const char* const header = "FIELD MEAN SEA-LEVEL 2 M TEMPERATUR TEMPERATURE TEMPERATURE "
                           "TEMPERATURE THICKNESS 2 METER RELATI 6HR PRECIPITAT AVERAGE TOTAL "
                           "WIND DIRECTION WIND SPEED\nLEVEL 850 MB 700 MB 500 MB 500 MB 10 M 10 "
                           "M\nUNITS HPA DEGC DEGC DEGC DEGC DM PCT MM PCT DEG KNTS\n";
const char* const values = " 1013.25 10 5 -2 -20 552 80 2.54 50 270 10\n";

// "FHR" and count rows, the first one written as first, the others as "[HHH]" rows.
std::string data(int count, const std::string& first) {
    std::string text = "FHR\n" + first;
    for (int i = 1; i < count; ++i) {
        std::string hour = std::to_string(i * 6);
        text += "[" + std::string(3 - hour.size(), '0') + hour + "]" + values;
    }
    return text;
}

} // namespace

TEST_F(ReadGfsRows, ReadsFortyEightMarkedRows) {
    ASSERT_TRUE(read(std::string(header) + data(gfs_row_count, "[000]" + std::string(values))));
    const gfs_row& r = rows[0];
    EXPECT_EQ(r.hour, 0);
    EXPECT_EQ(r.mslp, 1013.25);
    EXPECT_EQ(r.t2m, 10);
    EXPECT_EQ(r.t850, 5);
    EXPECT_EQ(r.t700, -2);
    EXPECT_EQ(r.t500, -20);
    EXPECT_EQ(r.thickness, 552);
    EXPECT_EQ(r.rh, 80);
    EXPECT_EQ(r.precip, 2.54);
    EXPECT_EQ(r.cloud, 50);
    EXPECT_EQ(r.wind_dir, 270);
    EXPECT_EQ(r.wind_speed, 10);
    EXPECT_EQ(rows[1].hour, 6);
    EXPECT_EQ(rows[47].hour, 282);
    EXPECT_EQ(rows[47].wind_speed, 10);
}

TEST_F(ReadGfsRows, MissingMarkTakesAFirstCharacter) {
    struct {
        const char* first_row;
        int hour;
        double mslp;
    } const cases[] = {
        {"+6 1013.25 10 5 -2 -20 552 80 2.54 50 270 10\n", 6, 13.25},
        {"+6  :1013.25 10 5 -2 -20 552 80 2.54 50 270 10\n", 6, 1013.25},
        {"12] 1013.25 10 5 -2 -20 552 80 2.54 50 270 10\n", 2, 1013.25},
        {"06] 1013.25 10 5 -2 -20 552 80 2.54 50 270 10\n", 6, 1013.25},
        {"-6:1013.25 10 5 -2 -20 552 80 2.54 50 270 10\n", 6, 1013.25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first_row);
        ASSERT_TRUE(read(data(gfs_row_count, c.first_row)));
        EXPECT_EQ(rows[0].hour, c.hour);
        EXPECT_EQ(rows[0].mslp, c.mslp);
        EXPECT_EQ(rows[0].t2m, 10);
        EXPECT_EQ(rows[1].hour, 6);
    }
}

TEST_F(ReadGfsRows, RejectsWhatIsNoRowData) {
    const std::string row = "[000]" + std::string(values);
    const std::string full = data(gfs_row_count, row);
    const struct {
        const char* what;
        std::string text;
        bool ok;
    } cases[] = {
        {"no FHR", std::string(header) + full.substr(4), false},
        {"FHR only inside a word", "FHRS\n" + full.substr(4), false},
        {"47 rows", data(gfs_row_count - 1, row), false},
        {"last row short of a value", full.substr(0, full.size() - 4), false},
        {"hour is no integer", data(gfs_row_count, "[x] 1013.25 10 5 -2 -20 552 80 0 50 270 10"),
         false},
        {"hour with a fraction",
         data(gfs_row_count, "[6.5] 1013.25 10 5 -2 -20 552 80 0 50 270 10"), false},
        {"missing value", data(gfs_row_count, "[000] 1013.25 10 5 -2 -20 552 M 0 50 270 10"),
         false},
        {"decimal comma", data(gfs_row_count, "[000] 1013,25 10 5 -2 -20 552 80 0 50 270 10"),
         false},
        {"empty file", "", false},
        {"last value ends the file", full.substr(0, full.size() - 1), true},
        {"text after the rows", full + "END OF SERIES\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(read(c.text), c.ok);
    }
}

namespace {

// A stream buffer over a text that counts how often it is repositioned: a file stream's
// every tellg or seekg is a system call.
class counting_buffer : public std::stringbuf {
  public:
    explicit counting_buffer(const std::string& text)
        : std::stringbuf(text, std::ios::in | std::ios::binary) {}
    long seeks = 0;

  protected:
    pos_type seekoff(off_type off, std::ios_base::seekdir dir,
                     std::ios_base::openmode which) override {
        ++seeks;
        return std::stringbuf::seekoff(off, dir, which);
    }
    pos_type seekpos(pos_type pos, std::ios_base::openmode which) override {
        ++seeks;
        return std::stringbuf::seekpos(pos, which);
    }
};

struct loaded_model {
    bool ok;
    gfs_model model;
    long seeks;
};

loaded_model load_text(const std::string& text) {
    counting_buffer buffer(text);
    std::istream in(&buffer);
    loaded_model result{};
    fault why;
    result.ok = load_gfs_file(in, "model.txt", result.model, why);
    result.seeks = buffer.seeks;
    return result;
}

const std::string rows_part =
    std::string(header) + data(gfs_row_count, "[000]" + std::string(values));

} // namespace

TEST(LoadGfsFile, LongPreambleIsReadWithoutASeekPerLine) {
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "REMARK  POINT TIME SERIES OF THE GLOBAL MODEL: NO DATA IN THIS LINE\n";
    text += "MODEL RUN:  12 UTC WED 09 DEC 2026\nPOINT:  LAT 44.05 N   LON 97.20 W\n" + rows_part;
    const loaded_model m = load_text(text);
    ASSERT_TRUE(m.ok);
    EXPECT_LT(m.seeks, 200);
    EXPECT_TRUE(m.model.run_known);
    EXPECT_EQ(m.model.run_time.day, 9);
    EXPECT_TRUE(m.model.point_known);
    EXPECT_EQ(m.model.longitude, -97.20);
}

TEST(LoadGfsFile, RunAndPointAreFoundWhereverTheBlocksEnd) {
    // The preamble is searched 64 KiB at a time: the words and the blanks between them
    // are put across that boundary at every place near it.
    const std::string::size_type block = 65536;
    for (int blanks : {1, 3, 300}) {
        for (std::string::size_type at = block - 320; at <= block + 8; ++at) {
            SCOPED_TRACE("MODEL at " + std::to_string(at) + ", " + std::to_string(blanks) +
                         " blanks");
            // Decoys first: none of them is the run or the point.
            std::string text = "XMODEL RUN: 01 UTC MON 01 JAN 2001\n MODEL RUN:X\n"
                               "MODEL RUNS: 02 UTC MON 01 JAN 2001\n POINT: LAT 1 N LON 1 E\n";
            text += std::string(at - text.size() - 1, '.') + "\n";
            text += "MODEL" + std::string(blanks, ' ') + "RUN:  06 UTC FRI 05 MAR 2010\n";
            text += "POINT:" + std::string(blanks, ' ') + "LAT 44.05 N LON 97.20 W\n" + rows_part;
            const loaded_model m = load_text(text);
            ASSERT_TRUE(m.ok);
            EXPECT_TRUE(m.model.run_known);
            EXPECT_EQ(m.model.run_time.hour, 6);
            EXPECT_EQ(m.model.run_time.year, 2010);
            EXPECT_TRUE(m.model.point_known);
            EXPECT_EQ(m.model.latitude, 44.05);
        }
    }
}

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
const std::string whole_header = field_names + "\n" + levels + "\n" + units + "\n";
const std::string first_row = "FHR\n[000] 1030.2 -8.5 -12 -21.3 -34.6 522 78 0 15 330 12\n";

// The header with its first occurrence of from replaced by to.
std::string whole_header_with(const std::string& from, const std::string& to) {
    std::string text = whole_header;
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
        {"three lines with data", "NCEP GFS POINT SERIES\nRUN 00Z\n\n" + whole_header + first_row,
         true},
        {"file starts with FIELD", one_word_a_line(whole_header), true},
        {"one long line", field_names + " " + levels + " " + units, true},
        {"tabs and CRLF", "RUN\r\n" + field_names + "\t" + levels + "\r\n" + units + "\r\n", true},
        {"header with no data", whole_header, true},
        {"no line break after KNTS", "PREAMBLE " + field_names + " " + levels + " " + units, true},
        {"FHR in the preamble is not looked at", "FHR\n" + whole_header, true},
        {"many preamble lines", std::string(200, 'x') + "\nA B C\n\n\n 1 2 3\n" + whole_header,
         true},
    };
    for (const header_case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(check(c.text), c.ok);
    }
}

TEST_F(CheckGfsHeader, RejectsAnyDifferentWord) {
    const header_case cases[] = {
        {"lower case", whole_header_with("TEMPERATUR ", "temperatur "), false},
        {"TEMPERATURE for TEMPERATUR", whole_header_with("TEMPERATUR ", "TEMPERATURE "), false},
        {"three DEGC", whole_header_with("DEGC DEGC DEGC DEGC", "DEGC DEGC DEGC"), false},
        {"five DEGC", whole_header_with("DEGC DEGC DEGC DEGC", "DEGC DEGC DEGC DEGC DEGC"), false},
        {"extra word", whole_header_with("LEVEL", "LEVEL LEVEL"), false},
        {"missing word", whole_header_with("10 M\n", "10\n"), false},
        {"swapped words", whole_header_with("850 MB 700 MB", "700 MB 850 MB"), false},
        {"FIELD in the preamble", "THE FIELD VALUES FOLLOW\n" + whole_header, false},
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
        {"cut after DEG", whole_header.substr(0, whole_header.rfind("KNTS")), false},
    };
    for (const header_case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(check(c.text), c.ok);
    }
}
