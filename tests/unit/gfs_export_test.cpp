// The JSON and CSV documents of the GFS run, read back with the library that wrote them.
#include "export/gfs_export.h"

#include "gfs/gfs_table.h"

#include "document_text.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <fstream>
#include <string>

using json = nlohmann::json;

TEST(GfsDocuments, RowsAreTheTablesWithValidTimesAndThePoint) {
    std::ifstream file(VUZAZAV_SOURCE_DIR "/examples/gfs_model.txt", std::ios::binary);
    gfs_model model;
    gfs_table_row table[gfs_row_count];
    fault why;
    ASSERT_TRUE(load_gfs_file(file, "gfs_model.txt", model, why));
    ASSERT_TRUE(compute_gfs_table(model, table, why));
    const gfs_export_input in{"vuzazav-cli test", "gfs_model.txt", &model, table};
    const json doc = json::parse(gfs_json(in));
    EXPECT_EQ(doc["run"], "2024-03-04T00:00:00Z");
    EXPECT_EQ(number(doc["point"]["latitude"]), 44.05);
    EXPECT_EQ(number(doc["point"]["longitude"]), -97.20);
    ASSERT_EQ(doc["rows"].size(), static_cast<std::size_t>(gfs_row_count));
    const auto lines = csv_lines(gfs_csv(in));
    ASSERT_EQ(lines.size(), 1u + gfs_row_count);
    for (int i = 0; i < gfs_row_count; ++i) {
        const json& row = doc["rows"][i];
        EXPECT_EQ(row["hour"], table[i].hour);
        double values[gfs_value_columns];
        gfs_table_values(table[i], values);
        for (int c = 0; c < gfs_value_columns; ++c) {
            EXPECT_EQ(number(row[gfs_value_keys[c]]), values[c]);
            EXPECT_EQ(std::stod(lines[1 + i][2 + c]), values[c]);
        }
        EXPECT_EQ(lines[1 + i][1], row["valid"]);
    }
    EXPECT_EQ(doc["rows"][1]["valid"], "2024-03-04T06:00:00Z");

    // Without MODEL RUN: and POINT: lines there is neither run nor point.
    gfs_model bare = model;
    bare.run_known = bare.point_known = false;
    const json none = json::parse(gfs_json(gfs_export_input{"p", "m", &bare, table}));
    EXPECT_TRUE(none["run"].is_null());
    EXPECT_TRUE(none["point"].is_null());
    EXPECT_TRUE(none["rows"][0]["valid"].is_null());
}
