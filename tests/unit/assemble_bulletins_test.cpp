#include "assemble/assemble_bulletins.h"
#include "calendar/bulletin_date.h"

#include "bulletin_text.h"
#include "scratch_directory.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

static const char* const received_models[3] = {"NAM", "GFS", "GFSX"};

// Bulletin k of the valid file as received for station and model on date.
static bulletin received(int k, const std::string& station, const std::string& model,
                         const std::string& date) {
    bulletin b = valid_bulletin(k);
    b[0] = header_line(station, model, date, k < 8 ? "1200" : "0000");
    return b;
}

// The twelve bulletins of date as received, their second line telling the date; the file
// takes them with their model words as they are.
static std::vector<bulletin> dated_set(const std::string& date) {
    std::vector<bulletin> all;
    for (int k = 0; k < 12; ++k) {
        const char* model = received_models[k / 4];
        all.push_back(received(k, station_ids[k % 4], model, date));
        all.back()[1] = "DT   " + date;
    }
    return all;
}

static std::string lines(const bulletin& b, const std::string& end) {
    std::string text;
    for (const std::string& line : b) text += line + end;
    return text;
}

struct assembly {
    bool ok;
    std::string text;
    std::vector<std::string> problems; // the scratch directory dropped from file names
    std::string taken;
    std::vector<std::string> absent;
};

// Writes the products to files product0.txt, ... (or takes a name starting with '@' as the
// file named by the rest) and assembles them.
static assembly assemble(const std::vector<std::string>& products, const char* wanted = nullptr,
                         short_range_choice choice = short_range_choice::either,
                         const assemble_options& options = {}) {
    scratch_directory dir;
    std::vector<std::string> names;
    for (const std::string& product : products) {
        names.push_back((dir.path / ("product" + std::to_string(names.size()) + ".txt")).string());
        if (product[0] == '@')
            names.back() = product.substr(1);
        else
            std::ofstream(names.back(), std::ios::binary) << product;
    }
    utc_time date{0, 0, 0, 0};
    if (wanted) {
        EXPECT_TRUE(parse_bulletin_date(wanted, date));
    }
    assembly a{false, "unchanged", {"unchanged"}, "", {}};
    std::vector<fault> problems;
    assemble_findings found;
    a.ok = assemble_bulletins(names, wanted ? &date : nullptr, choice, a.text, a.taken, problems,
                              &found, options);
    a.absent = found.absent;
    a.problems.clear();
    for (const fault& p : problems) a.problems.push_back(p.what);
    const std::string prefix = (dir.path / "").string();
    for (std::string& p : a.problems)
        if (p.find(prefix) != std::string::npos) p.erase(p.find(prefix), prefix.size());
    return a;
}

TEST(AssembleBulletins, ProductsAsReceivedGiveTheHandPastedFile) {
    const std::string date = "8/12/2017", sample = std::string(VUZAZAV_SOURCE_DIR) +
                                                   "/tests/data/products/met-nc1-2017081212.txt";
    std::ifstream in(sample, std::ios::binary);
    std::string met((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t kfsd = met.find("KFSD   NAM");
    ASSERT_NE(kfsd, std::string::npos);

    // What a forecaster pastes: the sample's KFSD bulletin, a reissued KHON GFS bulletin,
    // an extended header received with a leading blank.
    std::vector<bulletin> pasted = dated_set(date);
    std::istringstream sample_lines(met.substr(kfsd, met.find("\n\n", kfsd) - kfsd));
    pasted[3].clear();
    for (std::string line; std::getline(sample_lines, line);) pasted[3].push_back(line);
    set_row(pasted[5], "WDR  44 33 34 34 35 36 01 02 02 03 05 07 10 12 13 15 16 17 17 18 18");
    pasted[8][0] = " " + pasted[8][0];
    pasted[9][0] = header_line("KHON", "MRF", date, "0000");

    std::vector<bulletin> got = dated_set(date);
    got[1][0] = header_line("KHON", "NAM", "08/12/2017", "1200");
    got[9][0] = header_line("KHON", "MRF", "8/12/2017", "0000");
    const bulletin foreign = received(0, "KFOZ", "NAM", date);
    const std::string crlf = "\r\n", framed = "\r\r\n";

    // Saved with heading lines and CR LF; a second product follows without "$$".
    const std::string nam = "906 \r\nFOUS46 KWNO 121200\r\nMETNC1\r\n" + lines(got[0], crlf) +
                            crlf + lines(foreign, crlf) + crlf + lines(got[1], crlf) +
                            "907 \r\nFOUS46 KWNO 121200\r\nMETNC2\r\n" + lines(got[2], crlf) +
                            crlf + " " + crlf;
    // Two NOAAPort products, alphabetical order with a foreign station; ETX alone ends one.
    const std::string start = "\x01\r\r\n123 \r\r\nFOUS21 KWNO 121200\r\r\nMAVUSA\r\r\n";
    std::string gfs = start;
    gfs += "\x1e" + lines(got[4], framed) + "$$" + framed + "\x1e" + lines(got[7], framed) +
           "\x03" + start;
    for (int k : {5, 6}) gfs += "\x1e" + lines(got[k], framed) + "$$" + framed;
    gfs += "\x1e" + lines(received(5, "KSUX", "GFS", date), framed) + "\x03";
    // A byte-order mark, a leading blank, CR CR LF and no framing.
    std::string gfsx = "\xEF\xBB\xBF " + lines(got[8], framed);
    for (int k : {9, 10, 11}) gfsx += framed + lines(got[k], framed);
    // A corrected KHON bulletin, and a line longer than a block that ends like a header.
    bulletin reissue = got[5];
    set_row(reissue, pasted[5][row_index(pasted[5], "WDR")]);
    const std::string late = lines(reissue, "\n") + lines(foreign, "\n") +
                             std::string(600000, 'x') + " " +
                             header_line("KBKX", "NAM", date, "1200") + "\n";
    const std::string older = file_text(dated_set("8/11/2017"));

    assembly a = assemble({older, "@" + sample, nam, gfs, gfsx, late});
    ASSERT_TRUE(a.ok) << a.problems[0];
    EXPECT_EQ(a.text, file_text(pasted));

    forecast_arrays arrays;
    read_result r = read_text(a.text, arrays);
    EXPECT_TRUE(r.valid && r.temp_pop && r.sky_wind);
    EXPECT_EQ(elements(temp_pop_block(arrays, 3), 4), (std::vector<std::int32_t>{64, 75, 49, 73}));
    EXPECT_EQ(sky_wind_block(arrays, 5)[19], 44);
}

TEST(AssembleBulletins, ChoosesTheLatestCompleteDateOrTheOneAsked) {
    // Compared as text, 12/31/2009 would come after 1/02/2010.
    std::vector<bulletin> partial = dated_set("1/03/2010");
    partial.erase(partial.begin() + 10);
    // A date word without leading zeros is written with them.
    std::vector<bulletin> january = dated_set("1/02/2010");
    january[0][0] = header_line("KBKX", "NAM", "1/2/2010", "1200");
    const std::vector<std::string> products = {
        file_text(january), file_text(dated_set("12/31/2009")), file_text(partial)};
    struct {
        const char* wanted;
        const char* chosen;
        std::vector<std::string> problems;
    } cases[] = {
        // The latest date lacks a bulletin: nothing is written, though 1/02/2010 is whole.
        {nullptr,
         nullptr,
         {"the latest date, 1/03/2010, lacks bulletins; nothing is written (--date takes an "
          "older date):",
          "missing KMHE GFSX or MRF 0000 UTC bulletin of 1/03/2010"}},
        {"1/2/2010", "1/02/2010", {}},
        {"12/31/2009", "12/31/2009", {}},
        {"1/3/2010", nullptr, {"missing KMHE GFSX or MRF 0000 UTC bulletin of 1/03/2010"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wanted ? c.wanted : "latest");
        assembly a = assemble(products, c.wanted);
        EXPECT_EQ(a.ok, c.chosen != nullptr);
        EXPECT_EQ(a.text, c.chosen ? file_text(dated_set(c.chosen)) : "");
        EXPECT_EQ(a.problems, c.problems);
    }
    // A date that no product has lacks all twelve.
    assembly none = assemble(products, "5/5/2010");
    ASSERT_EQ(none.problems.size(), 12u);
    // With no short-range bulletin at all, both guidances it looked for are named.
    EXPECT_EQ(none.problems[0],
              "missing KBKX NAM or ETA, or NBM NBS, 1200 UTC bulletin of 5/05/2010");
    EXPECT_EQ(none.problems[11], "missing KFSD GFSX or MRF 0000 UTC bulletin of 5/05/2010");
}

TEST(AssembleBulletins, ReportsWhatItCannotUse) {
    std::vector<bulletin> all = dated_set("3/04/2010");
    std::vector<bulletin> long_one = all, station_in_body = all, foreign = all;
    for (int i = 0; i < 1100; ++i) long_one[11].push_back(long_one[11][4]);
    station_in_body[0].push_back("REM  KHON");
    for (bulletin& b : foreign) b[0].replace(0, 4, "KSUX");
    std::vector<bulletin> partial(all.begin() + 1, all.end());
    struct {
        const char* name;
        std::vector<std::string> products, problems;
    } cases[] = {
        {"unreadable product",
         {file_text(all), "@vuzazav-no-such-product.txt"},
         {"cannot read vuzazav-no-such-product.txt: " + std::string(std::strerror(ENOENT))}},
        {"no bulletin of the stations",
         {file_text(foreign)},
         {"no NAM, ETA, NBM, GFS, AVN, GFSX or MRF guidance bulletin of KBKX, KHON, KMHE or "
          "KFSD was found"}},
        {"no complete date",
         {file_text(partial)},
         {"the latest date, 3/04/2010, lacks bulletins; nothing is written (--date takes an "
          "older date):",
          "missing KBKX NAM or ETA 1200 UTC bulletin of 3/04/2010"}},
        {"bulletin without an end",
         {file_text(long_one)},
         {"the KFSD GFSX 0000 UTC bulletin of 3/04/2010 in product0.txt has no end within "
          "65536 characters"}},
        {"station word in a body",
         {file_text(station_in_body)},
         {"the KBKX NAM 1200 UTC bulletin of 3/04/2010 in product0.txt holds the station "
          "word KHON"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        assembly a = assemble(c.products);
        EXPECT_FALSE(a.ok);
        EXPECT_EQ(a.text, "");
        EXPECT_EQ(a.problems, c.problems);
    }
}

// The NBS bulletin of station s from the test data (real 1200 UTC bulletins renamed).
static bulletin nbs_bulletin(int s) {
    const char* const names[4] = {"kbkx", "khon", "kmhe", "kfsd"};
    std::ifstream in(std::string(VUZAZAV_SOURCE_DIR) + "/tests/data/nbs/" + names[s] + ".txt");
    bulletin b;
    for (std::string line; std::getline(in, line);) b.push_back(line);
    return b;
}

TEST(AssembleBulletins, TakesNbsWhereTheNamBulletinsAreNotAllThere) {
    const std::string date = "3/04/2010", framed = "\r\r\n";
    const std::vector<bulletin> set = dated_set(date);
    // The national NBS product in NOAAPort framing, a foreign station among the four.
    std::string nbs = "\x01\r\r\n832 \r\r\nFOUS16 KWNO 041200\r\r\nNBSUSA\r\r\n";
    bulletin foreign = nbs_bulletin(1);
    foreign[0].replace(0, 4, "KSUX");
    for (int s = 0; s < 4; ++s) {
        if (s == 2) nbs += "\x1e" + lines(foreign, framed) + framed;
        nbs += "\x1e" + lines(nbs_bulletin(s), framed) + framed;
    }
    nbs += "\x03";
    std::string mav, mex, three_nam;
    for (int k = 4; k < 8; ++k) mav += lines(set[k], "\n") + "\n";
    for (int k = 8; k < 12; ++k) mex += lines(set[k], "\n") + "\n";
    for (int k = 0; k < 3; ++k) three_nam += lines(set[k], "\n") + "\n";

    std::vector<bulletin> expected = set;
    for (int s = 0; s < 4; ++s) expected[s] = nbs_bulletin(s);
    assembly a = assemble({mav, three_nam, nbs, mex});
    ASSERT_TRUE(a.ok) << a.problems[0];
    EXPECT_EQ(a.text, file_text(expected));
    EXPECT_EQ(a.taken, "3/04/2010: NBM NBS 1200 UTC, GFS MOS 1200 UTC, GFSX MOS 0000 UTC");
    forecast_arrays arrays;
    const read_result r = read_text(a.text, arrays);
    EXPECT_TRUE(r.valid && r.temp_pop && r.sky_wind) << r.why.what;

    // All four NAM bulletins there: they are taken, as received.
    a = assemble({nbs, file_text(set)});
    ASSERT_TRUE(a.ok) << a.problems[0];
    EXPECT_EQ(a.text, file_text(set));
    EXPECT_EQ(a.taken, "3/04/2010: NAM MOS 1200 UTC, GFS MOS 1200 UTC, GFSX MOS 0000 UTC");

    // Forced, the other guidance is passed over.
    a = assemble({nbs, file_text(set)}, nullptr, short_range_choice::nbm);
    ASSERT_TRUE(a.ok) << a.problems[0];
    EXPECT_EQ(a.text.substr(0, 4), "KBKX");
    EXPECT_EQ(a.taken, "3/04/2010: NBM NBS 1200 UTC, GFS MOS 1200 UTC, GFSX MOS 0000 UTC");
    a = assemble({mav, three_nam, nbs, mex}, nullptr, short_range_choice::nam);
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.problems.back(), "missing KFSD NAM or ETA 1200 UTC bulletin of 3/04/2010");
    // NBM forced where there is none: NBM is what it lacks, not NAM.
    a = assemble({mav, three_nam, mex}, nullptr, short_range_choice::nbm);
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.problems.back(), "missing KFSD NBM NBS 1200 UTC bulletin of 3/04/2010");

    // Neither set whole: the nearer one's gaps are listed.
    std::string two_nbs = lines(nbs_bulletin(0), "\n") + "\n" + lines(nbs_bulletin(3), "\n");
    a = assemble({mav, two_nbs, mex});
    EXPECT_FALSE(a.ok);
    ASSERT_EQ(a.problems.size(), 3u);
    EXPECT_EQ(a.problems[1], "missing KHON NBM NBS 1200 UTC bulletin of 3/04/2010");
    EXPECT_EQ(a.problems[2], "missing KMHE NBM NBS 1200 UTC bulletin of 3/04/2010");
}

TEST(AssembleBulletins, WritesAbsentStationsOnlyWhereAllowed) {
    const std::vector<bulletin> set = dated_set("3/04/2010");
    std::vector<bulletin> lacking;
    for (int k = 0; k < 12; ++k)
        if (k != 1 && k != 6) lacking.push_back(set[k]);
    const std::string products = file_text(lacking);
    assemble_options allow;
    allow.allow_missing_stations = true;
    EXPECT_FALSE(assemble({products}).ok);

    assembly a = assemble({products}, nullptr, short_range_choice::either, allow);
    ASSERT_TRUE(a.ok) << a.problems[0];
    std::vector<bulletin> expected = set;
    for (int k : {1, 6}) expected[k] = {expected[k][0], absent_body};
    EXPECT_EQ(a.text, file_text(expected));
    EXPECT_EQ(a.absent, (std::vector<std::string>{"KHON NAM MOS 1200 UTC bulletin of 3/04/2010",
                                                  "KMHE GFS MOS 1200 UTC bulletin of 3/04/2010"}));
    // Given back as a product, an absent bulletin is no bulletin received.
    EXPECT_FALSE(assemble({a.text}).ok);

    // Three of a group's four are too many: KFSD and KHON GFS go too.
    lacking.erase(lacking.begin() + 4, lacking.begin() + 6);
    a = assemble({file_text(lacking)}, nullptr, short_range_choice::either, allow);
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.problems.back(), "at most 2 stations of a group of four may be absent");
}

TEST(AssembleBulletins, ShortRangeOnlyTakesBulletinsOneToEight) {
    const std::vector<bulletin> set = dated_set("3/04/2010");
    assemble_options short_only;
    short_only.short_range_only = true;
    // The extended bulletins, whether there or not, are left out.
    for (int given : {8, 12}) {
        SCOPED_TRACE(given);
        assembly a = assemble({file_text({set.begin(), set.begin() + given})}, nullptr,
                              short_range_choice::either, short_only);
        ASSERT_TRUE(a.ok) << a.problems[0];
        EXPECT_EQ(a.text, file_text({set.begin(), set.begin() + 8}));
        EXPECT_EQ(a.taken, "3/04/2010: NAM MOS 1200 UTC, GFS MOS 1200 UTC");
    }
}
