// The forecast documents read back as `forecast --json` writes them, and refused with the
// line where they are not.
#include "export/forecast_export.h"
#include "pointforecast/compute_city_forecast.h"
#include "verify/forecast_document.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace {

// The sample bulletins' document, as `forecast --json` writes it, of all twelve or of the
// first eight alone.
std::string sample_document(bool short_range_only = false) {
    std::ifstream file(VUZAZAV_SOURCE_DIR "/examples/bulletins.txt", std::ios::binary);
    loaded_bulletins loaded;
    city_forecast forecast;
    fault why;
    EXPECT_TRUE(load_bulletin_file(file, "bulletins.txt", loaded, why, short_range_only));
    EXPECT_TRUE(compute_city_forecast(loaded.values, 0.7, forecast, why));
    forecast_export_input in{"vuzazav-cli 1.1.0", "bulletins.txt", 0.7, &loaded, &forecast, {}};
    header_lines(file, loaded.layout, in.header_line);
    return forecast_json(in);
}

bool read_text(const std::string& text, forecast_document& doc, fault& why) {
    std::istringstream in(text);
    return read_forecast_document(in, "f.json", doc, why);
}

} // namespace

TEST(VerifyDocuments, ReadsBackWhatTheForecastWrites) {
    forecast_document doc;
    fault why;
    ASSERT_TRUE(read_text(sample_document(), doc, why)) << why.what;
    EXPECT_TRUE(doc.dated);
    EXPECT_EQ(doc.issued.year, 2010);
    EXPECT_EQ(doc.issued.day, 4);
    EXPECT_EQ(doc.first_models, std::vector<std::string>{"ETA"});
    EXPECT_EQ(doc.second_models, (std::vector<std::string>{"AVN", "GFS"}));
    EXPECT_DOUBLE_EQ(doc.high[0].first, 38.329502856000005);
    EXPECT_TRUE(std::isnan(doc.high[3].first)); // the extended days have one guidance
    EXPECT_FALSE(std::isnan(doc.high[3].issued));
}

// A forecast of the short range alone is verified on days 1 and 2.
TEST(VerifyDocuments, ReadsAShortRangeOnlyDocument) {
    forecast_document doc;
    fault why;
    ASSERT_TRUE(read_text(sample_document(true), doc, why)) << why.what;
    EXPECT_DOUBLE_EQ(doc.high[0].first, 38.329502856000005);
    EXPECT_TRUE(std::isnan(doc.high[2].issued));
    EXPECT_TRUE(std::isnan(doc.low[6].station_first[0]));
    std::string text = sample_document(true);
    text.replace(text.find("\"short_range_only\": true"), 24, "\"short_range_only\": false");
    EXPECT_FALSE(read_text(text, doc, why));
    EXPECT_EQ(why.what, "\"guidance\" is no list of the twelve bulletins");
}

TEST(VerifyDocuments, ReadsEachStationsValues) {
    // Day 1's low gets station values of its own in place of the sample's.
    std::string text = sample_document();
    const std::size_t start = text.find("\"station_values\": {");
    std::size_t end = text.find('{', start);
    for (int depth = 0; end < text.size(); ++end) {
        depth += text[end] == '{' ? 1 : text[end] == '}' ? -1 : 0;
        if (depth == 0) break;
    }
    text.replace(start, end + 1 - start,
                 "\"station_values\": {\"first\": {\"KBKX\": 22, \"KHON\": null, \"KMHE\": "
                 "21, \"KFSD\": 23}, \"second\": {\"KFSD\": 19.5}}");
    forecast_document doc;
    fault why;
    ASSERT_TRUE(read_text(text, doc, why)) << why.what;
    EXPECT_TRUE(doc.station_values);
    EXPECT_EQ(doc.low[0].station_first[0], 22);
    EXPECT_TRUE(std::isnan(doc.low[0].station_first[1]));
    EXPECT_EQ(doc.low[0].station_second[3], 19.5);
    EXPECT_TRUE(std::isnan(doc.low[0].station_second[0]));
    EXPECT_EQ(doc.high[0].station_first[3], 39); // the sample's own
    text.replace(text.find("\"KMHE\": 21"), 10, "\"KMHE\": \"21\"");
    EXPECT_FALSE(read_text(text, doc, why));
    EXPECT_NE(why.what.find("KMHE \"21\" is no temperature"), std::string::npos) << why.what;
}

TEST(VerifyDocuments, RefusesWithTheLine) {
    const std::string good = sample_document();
    const auto refused = [&](std::string text, long long line, const std::string& says) {
        forecast_document doc;
        fault why;
        EXPECT_FALSE(read_text(text, doc, why)) << says;
        EXPECT_EQ(why.line, line) << why.what;
        EXPECT_NE(why.what.find(says), std::string::npos) << why.what;
        EXPECT_LT(why.what.size(), 200u); // whatever the document holds
    };
    const auto edit = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    refused("{\n  \"program\": \"vuzazav-cli\",\n  oops\n}\n", 3, "no JSON document");
    refused(edit("vuzazav-cli 1.1.0", "another program"), 2, "no forecast document");
    refused(edit("2010-03-04T12:00:00Z", "2010-02-30T12:00:00Z"), 5, "no real time");
    refused(edit("\"date\": \"2010-03-07\"", "\"date\": \"2010-03-08\""), 378, "day 3 is dated");
    refused(edit("\"value\": 21.329432374", "\"value\": \"21\""), 108, "no temperature");
    refused(
        edit("\"input\": \"bulletins.txt\"", "\"input\": \"" + std::string(1 << 20, 'x') + "\""), 0,
        "larger than 1 MiB");
    // Hostile documents: nesting that would overflow the stack of whoever walks it, a
    // number no double holds, words far longer than any the program writes.
    refused(
        edit("\"vuzazav-cli 1.1.0\"", std::string(100000, '[') + "\n" + std::string(100000, ']')),
        2, "nest deeper than 8");
    refused(edit("\"value\": 21.329432374", "\"value\": 1e999"), 109,
            "beyond the range of a double");
    refused(edit("\"ETA\"", '"' + std::string(900 * 1024, 'N') + '"'), 10, "is no model word");
    refused(edit("vuzazav-cli 1.1.0", std::string(900 * 1024, 'x')), 2, "no forecast document");
}
