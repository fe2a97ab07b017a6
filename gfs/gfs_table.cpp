#include "gfs/gfs_table.h"

#include "arith/temp_adjustment.h"
#include "arith/unit_conversions.h"
#include "reading/places.h"

#include <cmath>
#include <iomanip>
#include <ostream>
#include <string>

void gfs_table_values(const gfs_table_row& r, double* values) {
    const double v[gfs_value_columns] = {
        r.mslp_inhg,      r.t2m_f,        r.t850_f,       r.t700_f,       r.t500_f,
        r.thickness_dm,   r.rh_pct,       r.precip_in,    r.cloud_pct,    r.wind_dir_deg,
        r.wind_speed_mph, r.adjustment_f, r.t2m_raised_f, r.t2m_lowered_f};
    for (int c = 0; c < gfs_value_columns; ++c) values[c] = v[c];
}

bool compute_gfs_table(const gfs_model& model, gfs_table_row* table, fault& why) {
    for (int i = 0; i < gfs_row_count; ++i) {
        const gfs_row& r = model.rows[i];
        // The adjustment's wind reference is in miles per hour and its temperatures in
        // Celsius, so only the wind is converted before it.
        const double wind_speed = knots_to_mph(r.wind_speed);
        const temp_adjustment a = compute_temp_adjustment(r.t2m, r.t850, r.rh, wind_speed);
        gfs_table_row& t = table[i];
        t = gfs_table_row{r.hour,
                          hpa_to_inhg(r.mslp),
                          celsius_to_fahrenheit(r.t2m),
                          celsius_to_fahrenheit(r.t850),
                          celsius_to_fahrenheit(r.t700),
                          celsius_to_fahrenheit(r.t500),
                          r.thickness,
                          r.rh,
                          mm_to_inches(r.precip),
                          r.cloud,
                          r.wind_dir,
                          wind_speed,
                          celsius_difference_to_fahrenheit(a.adj),
                          celsius_to_fahrenheit(a.plus),
                          celsius_to_fahrenheit(a.minus)};
        double values[gfs_value_columns];
        gfs_table_values(t, values);
        for (int c = 0; c < gfs_value_columns; ++c) {
            if (std::isfinite(values[c])) continue;
            why = fault{fault_kind::incorrect_format,
                        "row " + std::to_string(i + 1) + " of " + std::to_string(gfs_row_count) +
                            ": its " + gfs_columns[c + 1].title + " comes out as no finite number",
                        "", 0, model.row_at[i]};
            return false;
        }
    }
    return true;
}

bool load_gfs_table(std::istream& in, const std::string& name, gfs_model& model,
                    gfs_table_row* table, fault& why) {
    if (!load_gfs_file(in, name, model, why)) return false;
    if (compute_gfs_table(model, table, why)) return true;
    why.file = name;
    place_line(in, why);
    return false;
}

void write_gfs_table(std::ostream& out, const gfs_table_row* rows) {
    out.unsetf(std::ios::floatfield);
    out.precision(6);
    out << std::left;
    for (const gfs_column& c : gfs_columns) out << std::setw(c.width) << c.title;
    out << '\n';
    for (int i = 0; i < gfs_row_count; ++i) {
        double values[gfs_value_columns];
        gfs_table_values(rows[i], values);
        out << std::left << std::setw(gfs_columns[0].width) << rows[i].hour;
        for (int c = 0; c < gfs_value_columns; ++c)
            out << std::setw(gfs_columns[c + 1].width) << values[c];
        out << '\n';
    }
}
