#include "export/gfs_export.h"

#include "calendar/iso_date.h"
#include "export/json_number.h"

#include <nlohmann/json.hpp>

using json = nlohmann::ordered_json;

std::string gfs_json(const gfs_export_input& in) {
    const gfs_model& model = *in.model;
    json doc;
    doc["program"] = in.program;
    doc["input"] = in.input;
    doc["run"] = model.run_known ? json(iso_time(model.run_time)) : json(nullptr);
    json point = nullptr;
    if (model.point_known) {
        point = json::object();
        point["latitude"] = json_number(model.latitude);
        point["longitude"] = json_number(model.longitude);
    }
    doc["point"] = point;
    json rows = json::array();
    for (int i = 0; i < gfs_row_count; ++i) {
        const gfs_table_row& r = in.table[i];
        json row;
        row["hour"] = r.hour;
        row["valid"] =
            model.run_known ? json(iso_time(add_hours(model.run_time, r.hour))) : json(nullptr);
        double values[gfs_value_columns];
        gfs_table_values(r, values);
        for (int c = 0; c < gfs_value_columns; ++c) row[gfs_value_keys[c]] = json_number(values[c]);
        rows.push_back(row);
    }
    doc["rows"] = rows;
    // A file name may hold any byte; what is no UTF-8 becomes U+FFFD rather than no file.
    return doc.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string gfs_csv(const gfs_export_input& in) {
    std::string text = "hour,valid";
    for (const char* key : gfs_value_keys) text += std::string(",") + key;
    text += "\r\n";
    for (int i = 0; i < gfs_row_count; ++i) {
        const gfs_table_row& r = in.table[i];
        text += std::to_string(r.hour) + ',';
        if (in.model->run_known) text += iso_time(add_hours(in.model->run_time, r.hour));
        double values[gfs_value_columns];
        gfs_table_values(r, values);
        for (double v : values) text += ',' + csv_number(v);
        text += "\r\n";
    }
    return text;
}
