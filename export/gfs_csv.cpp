#include "calendar/iso_date.h"
#include "export/gfs_export.h"
#include "export/json_number.h"

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
