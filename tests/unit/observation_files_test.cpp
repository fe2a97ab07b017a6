#include "calendar/utc_time.h"
#include "verify/observation_files.h"

#include "test_paths.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

struct read_result {
    bool ok;
    observations observed;
    warning_list warnings;
    fault why;
};

read_result read_csv(const std::string& text) {
    read_result r{};
    std::istringstream in(text);
    r.ok = read_mesonet_csv(in, "obs.csv", r.observed, r.warnings, r.why);
    return r;
}

read_result read_cf6(const std::string& text, const std::string& station = "") {
    read_result r{};
    std::istringstream in(text);
    r.ok = read_cf6_products(in, "cf6.txt", station, r.observed, r.warnings, r.why);
    return r;
}

std::string sample(const std::string& name) {
    std::ifstream in(source_path() + "/tests/data/verify/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

long long day(int year, int month, int date) {
    return days_since_epoch(utc_time{year, month, date, 0});
}

// Max and min of station on a date, NaN where nothing was taken.
station_day seen(const read_result& r, int station, long long date) {
    auto found = r.observed.days.find(date);
    if (found == r.observed.days.end()) return {std::nan(""), std::nan("")};
    return found->second[static_cast<std::size_t>(station)];
}

// A product as typed from a web page: no transmission lines, no identifier line.
const std::string bare_product = "PRELIMINARY LOCAL CLIMATOLOGICAL DATA (WS FORM: F-6)\n"
                                 "                                          MONTH:     MARCH\n"
                                 "                                          YEAR:      2024\n"
                                 "DY MAX MIN AVG DEP HDD\n"
                                 "==========================\n"
                                 "\n"
                                 " 1  42  32  37  13  28\n"
                                 " 2   M  -3  44  20  21\n"
                                 "31 100   M  44  20  21\n"
                                 "==========================\n"
                                 "SM  760  364       862\n";

} // namespace

TEST(ObservationMesonetCsv, ReadsColumnsByNameInAnyOrder) {
    const read_result r = read_csv("\xEF\xBB\xBFmin_temp_f,station,precip_in,day,max_temp_f\r\n"
                                   "12,FSD,0.01,2026-12-08,30\r\n"
                                   "5,DSM,0.00,2026-12-08,25\r\n"
                                   "M,KHON,0.00,2026-12-08,\r\n"
                                   "None,BKX,0.00,2026-12-08,None\r\n"
                                   "-4.5,fsd,0.00,2026-12-09,150\r\n"
                                   "13,FSD,0.00,2026-12-08,31.5\r\n"
                                   "\r\n");
    ASSERT_TRUE(r.ok) << r.why.what;
    EXPECT_EQ(seen(r, 3, day(2026, 12, 8)).max_f, 31.5);
    EXPECT_EQ(seen(r, 3, day(2026, 12, 8)).min_f, 13);
    EXPECT_EQ(seen(r, 3, day(2026, 12, 9)).min_f, -4.5);
    EXPECT_TRUE(std::isnan(seen(r, 3, day(2026, 12, 9)).max_f));
    EXPECT_TRUE(std::isnan(seen(r, 1, day(2026, 12, 8)).max_f));
    EXPECT_TRUE(std::isnan(seen(r, 1, day(2026, 12, 8)).min_f));
    EXPECT_TRUE(std::isnan(seen(r, 0, day(2026, 12, 8)).max_f));
    ASSERT_EQ(r.warnings.kept.size(), 1u);
    EXPECT_EQ(r.warnings.kept[0].line, 6);
}

TEST(ObservationMesonetCsv, RefusesWithTheLine) {
    const std::string header = "station,day,max_temp_f,min_temp_f\n";
    struct {
        std::string text;
        long long line;
        const char* what;
    } cases[] = {
        {"station,day,min_temp_f\nFSD,2026-12-08,3\n", 1, "the header names no max_temp_f column"},
        {header + "FSD,2026-12-08,30,12\nFSD,2026-12-09,30\n", 3,
         "the line has 3 fields where the header has 4"},
        {header + "\nFSD,2026-02-30,30,12\n", 3,
         "the day \"2026-02-30\" is no date of the form YYYY-MM-DD that exists"},
        {header + "FSD,12/08/2026,30,12\n", 2,
         "the day \"12/08/2026\" is no date of the form YYYY-MM-DD that exists"},
        {header + "FSD,2026-12-08,NaN,12\n", 2, "max_temp_f \"NaN\" is no number"},
        {header + "FSD,2026-12-08,30,1e999\n", 2, "min_temp_f \"1e999\" is no number"},
        {header + "FSD,2026-12-08,37F,12\n", 2, "max_temp_f \"37F\" is no number"},
        {header + "FSD,\"2026-12-08,30,12\n", 2,
         "the quote that opens field 2 is not closed on its line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const read_result r = read_csv(c.text);
        ASSERT_FALSE(r.ok);
        EXPECT_EQ(r.why.what, c.what);
        EXPECT_EQ(r.why.file, "obs.csv");
        EXPECT_EQ(r.why.line, c.line);
    }
    // A quoted field may hold the separator.
    const read_result quoted = read_csv("station,name,day,max_temp_f,min_temp_f\n"
                                        "FSD,\"Sioux Falls, SD\",2026-12-08,30,12\n");
    ASSERT_TRUE(quoted.ok) << quoted.why.what;
    EXPECT_EQ(seen(quoted, 3, day(2026, 12, 8)).max_f, 30);
}

TEST(ObservationCf6Products, ReadsTheDaysOfTheReceivedProduct) {
    const std::string fsd = sample("cf6-fsd-202002.txt");
    ASSERT_NE(fsd.find("CF6FSD\n"), std::string::npos);
    // As NOAAPort sends it: framed, each line ending in CR CR LF, followed by the station
    // that is not one of the four.
    std::string framed = "\x01\r\r\n";
    for (char c : fsd) framed += c == '\n' ? std::string("\r\r\n") : std::string(1, c);
    framed += "\x03" + sample("cf6-dsm-202002.txt");
    for (const std::string& text : {fsd, framed}) {
        const read_result r = read_cf6(text);
        ASSERT_TRUE(r.ok) << r.why.line << ": " << r.why.what;
        EXPECT_EQ(r.observed.days.size(), 22u);
        EXPECT_EQ(seen(r, 3, day(2020, 2, 1)).max_f, 42);
        EXPECT_EQ(seen(r, 3, day(2020, 2, 13)).max_f, 4);
        EXPECT_EQ(seen(r, 3, day(2020, 2, 13)).min_f, -10);
        EXPECT_EQ(seen(r, 3, day(2020, 2, 22)).min_f, 27);
        EXPECT_TRUE(std::isnan(seen(r, 0, day(2020, 2, 13)).max_f));
    }
    const read_result dsm = read_cf6(sample("cf6-dsm-202002.txt"));
    ASSERT_TRUE(dsm.ok) << dsm.why.what;
    EXPECT_TRUE(dsm.observed.days.empty());
    ASSERT_EQ(dsm.warnings.kept.size(), 1u);
    EXPECT_EQ(dsm.warnings.kept[0].what,
              "KDSM (CF6DSM) is not one of KBKX, KHON, KMHE, KFSD; its product is passed over");
    EXPECT_EQ(dsm.warnings.kept[0].line, 3);
}

TEST(ObservationCf6Products, TakesTheStationArgumentWhereTheProductNamesNone) {
    const read_result r = read_cf6(bare_product, "hon");
    ASSERT_TRUE(r.ok) << r.why.what;
    EXPECT_EQ(seen(r, 1, day(2024, 3, 2)).min_f, -3);
    EXPECT_TRUE(std::isnan(seen(r, 1, day(2024, 3, 2)).max_f));
    EXPECT_EQ(seen(r, 1, day(2024, 3, 31)).max_f, 100);

    const read_result none = read_cf6(bare_product);
    ASSERT_FALSE(none.ok);
    EXPECT_EQ(none.why.line, 1);
    EXPECT_EQ(none.why.what, "no station: the product has no CF6 identifier line; give "
                             "--station ID before the file");

    // The identifier line, the STATION: line and --station must name one station.
    const std::string fsd = sample("cf6-fsd-202002.txt");
    EXPECT_TRUE(read_cf6(fsd, "fsd").ok);
    const read_result other = read_cf6(fsd, "KHON");
    ASSERT_FALSE(other.ok);
    EXPECT_EQ(other.why.line, 3);
    EXPECT_EQ(other.why.what, "the identifier CF6FSD names KFSD, --station KHON");
    std::string dsm_under_fsd = fsd;
    dsm_under_fsd.replace(dsm_under_fsd.find("SIOUX FALLS SD"), 14, "DES MOINES IA");
    const read_result place = read_cf6(dsm_under_fsd);
    ASSERT_FALSE(place.ok);
    EXPECT_EQ(place.why.line, 6);
    EXPECT_EQ(place.why.what, "STATION: \"DES MOINES IA\" is not KFSD (SIOUX FALLS), which the "
                              "identifier CF6FSD names");
    std::string named = bare_product;
    named.insert(named.find("  MONTH"), "                                          STATION:   "
                                        "HURON SD\n");
    EXPECT_FALSE(read_cf6(named, "KMHE").ok);
    const read_result by_place = read_cf6(named);
    ASSERT_TRUE(by_place.ok) << by_place.why.what;
    EXPECT_EQ(seen(by_place, 1, day(2024, 3, 2)).min_f, -3);
    named.replace(named.find("HURON SD"), 8, "DES MOINES IA");
    const read_result elsewhere = read_cf6(named);
    ASSERT_TRUE(elsewhere.ok) << elsewhere.why.what;
    EXPECT_TRUE(elsewhere.observed.days.empty());
    ASSERT_EQ(elsewhere.warnings.kept.size(), 1u);
    EXPECT_EQ(elsewhere.warnings.kept[0].line, 2);
}

TEST(ObservationCf6Products, RefusesWithTheLine) {
    auto with = [](const std::string& from, const std::string& to,
                   std::string text = bare_product) {
        return text.replace(text.find(from), from.size(), to);
    };
    struct {
        std::string text;
        long long line;
        const char* what;
    } cases[] = {
        {with("DY MAX MIN", "DY HI  LOW"), 1,
         "the CF6 product that begins here has no column header line \"DY MAX MIN ...\"; its "
         "days cannot be found"},
        {with("MONTH:     MARCH", "MONTH:     MARCHE"), 2, "MONTH: \"MARCHE\" is no month"},
        {with("          YEAR:      2024", ""), 4,
         "the column header comes before the product names its YEAR"},
        {with("31 100   M", "30 100   M", with("MARCH", "FEBRUARY")), 9,
         "FEBRUARY 2024 has no day 30"},
        {with(" 2   M  -3", " 2   M  3x"), 8,
         "day 2: the MIN column holds \"3x\" where a whole number or M belongs"},
        {"station,day,max_temp_f,min_temp_f\n", 0,
         "no CF6 product: no line \"PRELIMINARY LOCAL CLIMATOLOGICAL DATA (WS FORM: F-6)\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const read_result r = read_cf6(c.text, "KMHE");
        ASSERT_FALSE(r.ok);
        EXPECT_EQ(r.why.what, c.what);
        EXPECT_EQ(r.why.line, c.line);
    }
}

// Whatever a cut leaves, the reader ends with an answer, never outside the text.
TEST(ObservationCf6Products, EndsOnEveryCutOfTheProduct) {
    const std::string fsd = sample("cf6-fsd-202002.txt");
    for (std::size_t size = 0; size < fsd.size(); size += 7) {
        const read_result r = read_cf6(fsd.substr(0, size));
        EXPECT_LE(r.observed.days.size(), 22u);
    }
}

// A line longer than any product's is refused, not held: memory stays bounded.
TEST(ObservationLines, AnEndlessLineIsRefused) {
    const std::string endless(200 * 1024, '7');
    const read_result csv = read_csv("station,day,max_temp_f,min_temp_f\n" + endless + "\n");
    EXPECT_FALSE(csv.ok);
    EXPECT_EQ(csv.why.line, 2);
    EXPECT_NE(csv.why.what.find("longer than 65536 bytes"), std::string::npos);
    const read_result cf6 = read_cf6(endless);
    EXPECT_FALSE(cf6.ok);
    EXPECT_EQ(cf6.why.line, 1);
}

TEST(ObservationMetar, ReadsTheTemperatureGroups) {
    const auto f = [](double celsius) { return ((celsius * 9) / 5) + 32; };
    const metar_temperatures t =
        decode_metar("KFSD 080053Z 18010KT 1/2SM CLR M02/M08 A3012 RMK AO2 SLP210 T10171078 "
                     "10089 21011 56014");
    EXPECT_EQ(t.now_f, f(-1.7)); // the T group's tenths, not the body's whole degrees
    EXPECT_EQ(t.six_hour_max_f, f(8.9));
    EXPECT_EQ(t.six_hour_min_f, f(-1.1));
    EXPECT_EQ(decode_metar("METAR KHON 080053Z AUTO 00000KT 10SM CLR 05/ A3001 RMK AO2").now_f,
              f(5));
    EXPECT_TRUE(std::isnan(decode_metar("KMHE 080053Z AUTO 10SM CLR M/M A3001 RMK AO2").now_f));
    // A group of the remarks' shape in the body is no remark.
    EXPECT_TRUE(std::isnan(decode_metar("KMHE 080053Z 10089 M/M").six_hour_max_f));
}

TEST(ObservationHourlyFiles, CycleFilesAndTheMesonetsAsosCsv) {
    observations in;
    warning_list warnings;
    fault why;
    std::istringstream cycle("2026/12/08 00:53\n"
                             "KFSD 080053Z 18010KT 10SM CLR M02/M08 A3012 RMK AO2 T10171078\n"
                             "\n"
                             "2026/12/08 00:54\n"
                             "KDSM 080054Z 18010KT 10SM CLR 02/M08 A3012\n"
                             "\n"
                             "2026/12/08 01:53\n"
                             "SPECI KFSD 080153Z 18010KT 10SM CLR M03/M08\n"
                             "     A3012 RMK AO2 T10281078\n");
    ASSERT_EQ(recognise_verify_input(cycle), verify_input::metar_cycle);
    ASSERT_TRUE(read_metar_cycle(cycle, "00Z.TXT", in, warnings, why)) << why.what;
    const long long midnight = day(2026, 12, 8) * 1440;
    ASSERT_EQ(in.hourly[3].size(), 2u);
    EXPECT_EQ(in.hourly[3][0].minute, midnight + 53);
    EXPECT_EQ(in.hourly[3][1].minute, midnight + 113);
    EXPECT_EQ(in.hourly[3][1].value_f, ((-2.8 * 9) / 5) + 32);
    std::istringstream bad("2026/02/30 00:53\nKFSD 300053Z M02/M08\n");
    EXPECT_FALSE(read_metar_cycle(bad, "00Z.TXT", in, warnings, why));
    EXPECT_EQ(why.line, 1);

    observations csv;
    std::istringstream asos("station,valid,lon,lat,tmpf,metar\n"
                            "HON,2026-12-08 00:53,-98.2,44.4,37.00,\n"
                            "HON,2026-12-08 01:53,-98.2,44.4,M,\n"
                            "FSD,2026-12-08 00:53,-96.7,43.6,29.00,KFSD 080053Z M02/M08 RMK "
                            "T10171078\n"
                            "DSM,2026-12-08 00:53,-93.6,41.5,150.00,\n");
    ASSERT_TRUE(read_mesonet_csv(asos, "asos.csv", csv, warnings, why)) << why.what;
    ASSERT_EQ(csv.hourly[1].size(), 1u);
    EXPECT_EQ(csv.hourly[1][0].value_f, 37);
    ASSERT_EQ(csv.hourly[3].size(), 1u);
    EXPECT_EQ(csv.hourly[3][0].value_f, ((-1.7 * 9) / 5) + 32);
    EXPECT_TRUE(csv.days.empty());
    std::istringstream no_time("station,valid,tmpf\nHON,2026-12-08T00:53,37\n");
    EXPECT_FALSE(read_mesonet_csv(no_time, "asos.csv", csv, warnings, why));
    EXPECT_EQ(why.line, 2);
}
