// The GFS model file from GRIB2 files made here with ecCodes from its own samples.
#include "gfs/gfs_model_file.h"
#include "grib/gfs_point.h"
#include "grib2_messages.h"
#include "grib2_writer.h"
#include "scratch_directory.h"
#include "test_paths.h"

#include <eccodes.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace fs = std::filesystem;

namespace {

// A field as GFS writes it, by the short name ecCodes gives it; its value is each message's.
struct field_kind {
    const char* short_name;
    grib2::field field;
};
const field_kind prmsl{"prmsl", {3, 1, 101, 0, -1, 0, 0}}, t2{"2t", {0, 0, 103, 2, -1, 0, 0}},
    t850{"t", {0, 0, 100, 85000, -1, 0, 0}}, t700{"t", {0, 0, 100, 70000, -1, 0, 0}},
    t500{"t", {0, 0, 100, 50000, -1, 0, 0}}, gh500{"gh", {3, 5, 100, 50000, -1, 0, 0}},
    gh1000{"gh", {3, 5, 100, 100000, -1, 0, 0}}, r2{"2r", {1, 1, 103, 2, -1, 0, 0}},
    tp6{"tp", {1, 8, 1, 0, 1, 6, 0}}, tcc6{"tcc", {6, 1, 10, 0, 0, 6, 0}},
    tcc{"tcc", {6, 1, 10, 0, -1, 0, 0}}, u10{"10u", {2, 2, 103, 10, -1, 0, 0}},
    v10{"10v", {2, 3, 103, 10, -1, 0, 0}};

// The city's nearest point of the test grid is 44.00 N, 97.25 W. Every other point differs
// from it by more than 1000.
const long ni = grib2::test_ni, nj = grib2::test_nj, nearest = grib2::test_point;

std::string message(const field_kind& kind, long hour, double value, long date = 20261209,
                    long run_hour = 12, long length = -1) {
    codes_handle* h = grib2::eccodes_message(kind.field, grib2::test_lat_lon, 24, date, run_hour);
    grib2::set_hour(h, hour, length < 0 ? kind.field.length : length);
    std::vector<double> values(ni * nj);
    for (long i = 0; i < ni * nj; ++i) values[i] = value + 1000 + i;
    values[nearest] = value;
    grib2::set_values(h, values);
    char name[32] = "";
    size_t size = sizeof name;
    codes_get_string(h, "shortName", name, &size);
    EXPECT_STREQ(name, kind.short_name);
    return grib2::take_message(h);
}

// The 6-hour precipitation ending at row r (hour 6r + 6), and the total from hour 0.
double bucket(int r) {
    return 0.3 * (r % 5) + 0.04;
}
double total(int r) {
    return r < 0 ? 0 : total(r - 1) + bucket(r);
}

// How the precipitation of each hour after 6 is given.
enum precip_form { buckets, totals, both };

// The messages of one run, hour by hour: values that tell the fields and the hours apart.
std::vector<std::string> make_run(precip_form form) {
    const long date = 20261209;
    std::vector<std::string> messages;
    for (int r = 0; r < 48; ++r) {
        const long h = 6 * r + 6;
        messages.push_back(message(prmsl, h, 101012 + 100 * r, date));
        messages.push_back(message(t2, h, 273.15 + r - 20.24, date));
        messages.push_back(message(t850, h, 263.02 + 0.1 * r, date));
        messages.push_back(message(t700, h, 253.07, date));
        messages.push_back(message(t500, h, 243.07, date));
        messages.push_back(message(gh500, h, 5600 + r, date));
        messages.push_back(message(gh1000, h, 120, date));
        messages.push_back(message(r2, h, 40 + r + 0.4, date));
        if (form != totals || r == 0) messages.push_back(message(tp6, h, bucket(r), date));
        if (form != buckets && r > 0) messages.push_back(message(tp6, h, total(r), date, 12, h));
        messages.push_back(message(tcc6, h, r + 0.6, date));
        // Calm, then from the north, the west and the north-east.
        const double u[] = {0, 0, 5, -3}, v[] = {0, -5, 0, -4};
        messages.push_back(message(u10, h, r < 4 ? u[r] : 1, date));
        messages.push_back(message(v10, h, r < 4 ? v[r] : 1, date));
    }
    return messages;
}

// Each form made once: ecCodes takes a millisecond a message.
std::vector<std::string> run_messages(precip_form form) {
    static std::vector<std::string> made[3];
    if (made[form].empty()) made[form] = make_run(form);
    return made[form];
}

std::string write_file(const scratch_directory& dir, const std::string& name,
                       const std::vector<std::string>& messages) {
    const std::string path = (dir.path / name).string();
    std::ofstream out(path, std::ios::binary);
    for (const std::string& m : messages) out << m;
    return path;
}

struct loaded {
    bool ok;
    gfs_point_series series;
    std::vector<std::string> notes;
    fault why;
};

loaded load(const std::vector<std::string>& files, double lat = 44.05, double lon = -97.20) {
    loaded result{};
    gfs_point_request request{files, lat, lon};
    result.ok = load_gfs_point(request, result.series, result.notes, result.why);
    return result;
}

loaded load_messages(const std::vector<std::string>& messages) {
    scratch_directory dir;
    return load({write_file(dir, "run.grib2", messages)});
}

TEST(GfsPoint, TakesTheNearestPointAndConvertsEveryField) {
    for (double lon : {-97.20, 262.80}) {
        scratch_directory dir;
        const loaded run = load({write_file(dir, "run", run_messages(buckets))}, 44.05, lon);
        ASSERT_TRUE(run.ok) << run.why.what;
        EXPECT_DOUBLE_EQ(run.series.grid_latitude, 44.0);
        EXPECT_DOUBLE_EQ(run.series.grid_longitude, -97.25) << lon;
        EXPECT_EQ(run.series.rows[47].hour, 288);
        EXPECT_DOUBLE_EQ(run.series.rows[47].t2m, 26.8);
        EXPECT_DOUBLE_EQ(run.series.rows[47].thickness, 552.7);
        EXPECT_TRUE(run.notes.empty());
        // Calm, north, west, north-east; m/s in knots.
        const double direction[] = {0, 360, 270, 37}, speed[] = {0, 10, 10, 10};
        for (int r = 0; r < 4; ++r) {
            EXPECT_DOUBLE_EQ(run.series.rows[r].wind_dir, direction[r]) << r;
            EXPECT_DOUBLE_EQ(run.series.rows[r].wind_speed, speed[r]) << r;
        }
    }
}

TEST(GfsPoint, PrecipitationFromBucketsTotalsOrBothIsTheSame) {
    const loaded from_buckets = load_messages(run_messages(buckets));
    ASSERT_TRUE(from_buckets.ok);
    const std::string expected = format_gfs_model_file(from_buckets.series);
    for (int r = 0; r < 48; ++r)
        EXPECT_NEAR(from_buckets.series.rows[r].precip, std::round(bucket(r) * 10) / 10, 1e-9);

    const loaded from_totals = load_messages(run_messages(totals));
    ASSERT_TRUE(from_totals.ok) << from_totals.why.what;
    EXPECT_EQ(format_gfs_model_file(from_totals.series), expected);
    ASSERT_EQ(from_totals.notes.size(), 47u);
    EXPECT_EQ(from_totals.notes[0], "hour 12: precipitation from the run totals 0-12 minus 0-6");

    // Buckets where there are, totals where not; a falling total is no negative rain.
    std::vector<std::string> mixed = run_messages(both);
    mixed.erase(std::remove(mixed.begin(), mixed.end(), message(tp6, 96, bucket(15))), mixed.end());
    std::replace(mixed.begin(), mixed.end(), message(tp6, 96, total(15), 20261209, 12, 96),
                 message(tp6, 96, total(14) - 0.5, 20261209, 12, 96));
    const loaded from_both = load_messages(mixed);
    ASSERT_TRUE(from_both.ok) << from_both.why.what;
    ASSERT_EQ(from_both.notes.size(), 1u);
    EXPECT_EQ(from_both.notes[0].rfind("hour 96: precipitation from the run totals 0-96 minus "
                                       "0-90, whose difference -0.5",
                                       0),
              0u)
        << from_both.notes[0];
    EXPECT_DOUBLE_EQ(from_both.series.rows[15].precip, 0.0);
    EXPECT_DOUBLE_EQ(from_both.series.rows[16].precip, from_buckets.series.rows[16].precip);
}

TEST(GfsPoint, MessagesShuffledAcrossFilesAndRepeatedGiveTheSameRun) {
    const loaded whole = load_messages(run_messages(both));
    ASSERT_TRUE(whole.ok);
    std::vector<std::string> messages = run_messages(both);
    // A wrong value read first, then the right one: the last counts.
    messages.insert(messages.begin(), message(t500, 150, 200.0));
    std::shuffle(messages.begin() + 1, messages.end(), std::mt19937(17));
    scratch_directory dir;
    const auto third = static_cast<std::ptrdiff_t>(messages.size() / 3);
    const std::vector<std::string> files = {
        write_file(dir, "a", {messages.begin(), messages.begin() + third}),
        write_file(dir, "b", {messages.begin() + third, messages.begin() + 2 * third}),
        write_file(dir, "c", {messages.begin() + 2 * third, messages.end()})};
    const loaded shuffled = load(files);
    ASSERT_TRUE(shuffled.ok) << shuffled.why.what;
    EXPECT_EQ(format_gfs_model_file(shuffled.series), format_gfs_model_file(whole.series));
}

TEST(GfsPoint, RefusesWhatCannotMakeTheFile) {
    struct {
        const char* name;
        std::vector<std::string> messages;
        const char* says;
    } cases[] = {
        {"missing hour", {}, "hour 96: no message of this hour"},
        {"missing field", {}, "hour 96: no 10 m v-wind"},
        {"instant cloud", {}, "hour 96: no 6 h average total cloud (an instantaneous"},
        {"two runs", {}, "two runs are mixed"},
        {"grid winds", {}, "uvRelativeToGrid"},
        {"edition 1", {}, "GRIB edition 1, not GRIB2"},
        {"no GRIB", {"HELLO WORLD\n"}, "no GRIB2 file"},
    };
    // A message made again from the same values is the same bytes.
    const std::vector<std::string> run = run_messages(buckets);
    auto without = [&](const std::vector<std::string>& drop) {
        std::vector<std::string> kept;
        for (const std::string& m : run)
            if (std::find(drop.begin(), drop.end(), m) == drop.end()) kept.push_back(m);
        return kept;
    };
    std::vector<std::string> hour_96;
    for (int r = 15, i = 0; i < 12; ++i) hour_96.push_back(run[12 * r + i]);
    cases[0].messages = without(hour_96);
    cases[1].messages = without({message(v10, 96, 1)});
    cases[2].messages = without({message(tcc6, 96, 15.6)});
    cases[2].messages.push_back(message(tcc, 96, 15.6));
    cases[3].messages = run;
    cases[3].messages.push_back(message(t500, 96, 243.07, 20261209, 6));
    cases[4].messages = run;
    {
        codes_handle* h =
            codes_handle_new_from_message_copy(nullptr, run[11].data(), run[11].size());
        codes_set_long(h, "uvRelativeToGrid", 1);
        const void* bytes = nullptr;
        size_t size = 0;
        codes_get_message(h, &bytes, &size);
        cases[4].messages[11].assign(static_cast<const char*>(bytes), size);
        codes_handle_delete(h);
        codes_handle* g = codes_grib_handle_new_from_samples(nullptr, "GRIB1");
        codes_get_message(g, &bytes, &size);
        cases[5].messages = {std::string(static_cast<const char*>(bytes), size)};
        codes_handle_delete(g);
    }
    for (const auto& c : cases) {
        const loaded result = load_messages(c.messages);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_NE(result.why.what.find(c.says), std::string::npos)
            << c.name << ": " << result.why.what;
    }
    const loaded off_grid = [&] {
        scratch_directory dir;
        return load({write_file(dir, "run", run)}, 40.0, -97.2);
    }();
    EXPECT_FALSE(off_grid.ok);
    EXPECT_NE(off_grid.why.what.find("outside the grid"), std::string::npos) << off_grid.why.what;
}

// The run's 2 m temperature of hour 96 as the writer makes it: the same grid, the point's
// value where the sample-made message has it.
std::vector<std::string> run_with_t2m_96(const std::vector<std::string>& data, long date = 20261209,
                                         long run_hour = 12) {
    std::vector<std::string> messages = run_messages(buckets);
    const std::string made = message(t2, 96, 273.15 + 15 - 20.24);
    std::vector<std::string> sections = {grib2::identification(date, run_hour), grib2::test_grid(),
                                         grib2::product(0, 0, 103, 2, 96)};
    sections.insert(sections.end(), data.begin(), data.end());
    std::replace(messages.begin(), messages.end(), made, grib2::message(sections));
    return messages;
}

std::vector<double> t2m_96_values() {
    std::vector<double> values(ni * nj);
    for (long i = 0; i < ni * nj; ++i) values[i] = 268.91 + i;
    values[nearest] = 267.91;
    return values;
}

TEST(GfsPoint, AMissingValueAtThePointIsRefusedBitmapOrNot) {
    const std::vector<double> values = t2m_96_values();
    std::vector<bool> at_point(values.size()), elsewhere(values.size());
    at_point[nearest] = true;
    elsewhere[nearest + 1] = true;
    std::vector<bool> bitmap(values.size(), true);
    bitmap[nearest] = false;
    std::vector<double> present;
    for (std::size_t i = 0; i < values.size(); ++i)
        if (bitmap[i]) present.push_back(values[i]);
    struct {
        const char* what;
        std::vector<std::string> data;
        bool refused;
    } const cases[] = {
        {"missing in complex packing's data", grib2::complex_data(values, at_point), true},
        {"missing by the bitmap", grib2::simple_data(present, bitmap), true},
        {"missing beside the point", grib2::complex_data(values, elsewhere), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const loaded run = load_messages(run_with_t2m_96(c.data));
        EXPECT_EQ(run.ok, !c.refused);
        if (c.refused)
            EXPECT_NE(
                run.why.what.find("2 m temperature of hour 96 has no value at the grid point"),
                std::string::npos)
                << run.why.what;
        else
            EXPECT_DOUBLE_EQ(run.series.rows[15].t2m, -5.2);
    }
}

TEST(GfsPoint, WhatCannotBeWeatherIsRefusedAndAValueOf9999UnderABitmapIsAValue) {
    std::vector<double> values = t2m_96_values();
    const std::vector<std::string> simple = grib2::simple_data(values);
    values[nearest] = std::nan("");
    struct {
        const char* what;
        std::vector<std::string> messages;
        const char* says;
    } const cases[] = {
        {"not a number", run_with_t2m_96(grib2::ieee_data(values)),
         "2 m temperature of hour 96 is nan, no number"},
        {"30 February", run_with_t2m_96(simple, 20260230), "year 2026 month 2 day 30 at 12:00:00"},
        {"hour 99", run_with_t2m_96(simple, 20261209, 99), "no real date and time"},
        {"year 0", run_with_t2m_96(simple, 1209), "year 0 month 12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const loaded run = load_messages(c.messages);
        EXPECT_FALSE(run.ok);
        EXPECT_NE(run.why.what.find(c.says), std::string::npos) << run.why.what;
    }
    // ecCodes gives 9999 for a point the bitmap leaves out; the point here is in it.
    values = t2m_96_values();
    values[nearest] = 9999;
    std::vector<bool> bitmap(values.size(), true);
    bitmap[0] = false;
    values.erase(values.begin());
    const loaded run = load_messages(run_with_t2m_96(grib2::simple_data(values, bitmap)));
    ASSERT_TRUE(run.ok) << run.why.what;
    EXPECT_DOUBLE_EQ(run.series.rows[15].t2m, 9725.9);
}

TEST(GfsPoint, AWideValueIsWrittenWhole) {
    loaded run = load_messages(run_messages(buckets));
    ASSERT_TRUE(run.ok);
    run.series.rows[3].t2m = 1e35;
    run.series.rows[4].mslp = -1e300;
    std::istringstream written(format_gfs_model_file(run.series), std::ios::in | std::ios::binary);
    gfs_model model;
    fault why;
    ASSERT_TRUE(load_gfs_file(written, "gfs_model.txt", model, why)) << why.what;
    EXPECT_EQ(model.rows[3].t2m, 1e35);
    EXPECT_EQ(model.rows[4].mslp, -1e300);
    EXPECT_EQ(model.rows[3].t850, run.series.rows[3].t850);
}

#ifndef _WIN32
int run_in(const scratch_directory& dir, const std::string& command) {
    const int status = std::system(("cd '" + dir.path.string() + "' && " + command).c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(GfsPoint, TheWrittenFileFeedsTheGfsRunAndTheMenu) {
    scratch_directory dir;
    write_file(dir, "run.grib2", run_messages(both));
    const std::string cli = "'" VUZAZAV_CLI "' gfs-point ";
    EXPECT_EQ(run_in(dir, cli + "-o run.grib2 run.grib2 2>/dev/null"), 3);
    EXPECT_EQ(run_in(dir, cli + "--lat 44 run.grib2 2>/dev/null"), 2);
    ASSERT_EQ(run_in(dir, cli + "run.grib2 2>/dev/null"), 0);
    std::ifstream written(dir.path / "gfs_model.txt");
    std::stringstream text;
    text << written.rdbuf();
    EXPECT_NE(text.str().find("\nMODEL RUN:  12 UTC WED 09 DEC 2026\n"), std::string::npos);
    EXPECT_NE(
        text.str().find("\n[006]  1010.1          -20.2           -10.1        -20.1        "
                        "-30.1        548.0      40              0.0             1              "
                        "0               0\n"),
        std::string::npos)
        << text.str();
    // The header word for word as the sample has it.
    std::ifstream sample(source_path() + "/examples/gfs_model.txt");
    std::string line, header;
    for (int i = 0; std::getline(sample, line) && i < 10; ++i)
        if (i >= 6) header += line + "\n";
    EXPECT_NE(text.str().find(header), std::string::npos);

    EXPECT_EQ(run_in(dir, "'" VUZAZAV_CLI "' gfs gfs_model.txt 2>/dev/null"), 0);
    fs::remove(dir.path / "gfs_model.out");
    std::ofstream(dir.path / "keys") << "1\ngfs_model.txt\n6\n";
    ASSERT_EQ(run_in(dir, "'" + program_path() + "' <keys >menu.txt 2>/dev/null"), 0);
    std::ifstream menu(dir.path / "menu.txt");
    std::stringstream shown;
    shown << menu.rdbuf();
    EXPECT_NE(shown.str().find("You have a valid file."), std::string::npos) << shown.str();
    EXPECT_TRUE(fs::exists(dir.path / "gfs_model.out"));
}
#endif

} // namespace
