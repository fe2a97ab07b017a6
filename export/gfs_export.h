#pragma once

#include "gfs/gfs_model_file.h"
#include "gfs/gfs_table.h"

#include <string>

// Everything the JSON and CSV documents of a GFS run show.
struct gfs_export_input {
    std::string program; // "vuzazav-cli 1.2.0"
    std::string input;   // the model file, as the user named it
    const gfs_model* model;
    const gfs_table_row* table; // the 48 rows of the table file
};

// The keys of the table's values after the hour, in its column order.
inline constexpr const char* gfs_value_keys[gfs_value_columns] = {
    "pressure_inhg",  "t2m_f",        "t850_f",       "t700_f",       "t500_f",
    "thickness_dm",   "rh_pct",       "precip_in",    "cloud_pct",    "wind_dir_deg",
    "wind_speed_mph", "adjustment_f", "t2m_raised_f", "t2m_lowered_f"};

// The documents, whole.
std::string gfs_json(const gfs_export_input& in);
std::string gfs_csv(const gfs_export_input& in);
