#include "grib/make_gfs_rows.h"

#include "grib/round_at.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

const double zero_celsius = 273.15; // K
const double pi = 3.14159265358979323846;

std::string hour_words(int row) {
    return "hour " + std::to_string(6 * (row + 1));
}

// The run total from hour 0 to the end of row (row -1 is hour 0); false when absent. The
// total to hour 6 is the first bucket.
bool run_total(const point_values& values, int row, double& total) {
    if (row < 0) {
        total = 0;
        return true;
    }
    for (int field : {field_tp_total, field_tp6}) {
        if (values.have[row][field] && (field == field_tp_total || row == 0)) {
            total = values.value[row][field];
            return true;
        }
    }
    return false;
}

// What the row lacks, "" for nothing.
std::string missing_fields(const point_values& values, int row) {
    static const int needed[] = {field_mslp, field_t2m,   field_t850,   field_t700,
                                 field_t500, field_gh500, field_gh1000, field_rh2m,
                                 field_tp6,  field_tcc6,  field_u10,    field_v10};
    double total = 0;
    std::string lacking;
    int count = 0;
    for (int field : needed) {
        if (values.have[row][field]) continue;
        if (field == field_tp6 && run_total(values, row, total) &&
            run_total(values, row - 1, total))
            continue;
        ++count;
        lacking += lacking.empty() ? "no " : ", no ";
        lacking += gfs_field_name(field);
        if (field == field_tcc6 && values.instant_cloud[row])
            lacking += " (an instantaneous one stands in for no average)";
    }
    if (count == sizeof needed / sizeof needed[0]) return "no message of this hour";
    return lacking;
}

void fill_row(const point_values& values, int row, gfs_row& out, std::vector<std::string>& notes) {
    const double* v = values.value[row];
    out.hour = 6 * (row + 1);
    out.mslp = round_at(v[field_mslp] / 100, 10);
    out.t2m = round_at(v[field_t2m] - zero_celsius, 10);
    out.t850 = round_at(v[field_t850] - zero_celsius, 10);
    out.t700 = round_at(v[field_t700] - zero_celsius, 10);
    out.t500 = round_at(v[field_t500] - zero_celsius, 10);
    out.thickness = round_at((v[field_gh500] - v[field_gh1000]) / 10, 10);
    out.rh = round_at(v[field_rh2m], 1);
    out.cloud = round_at(v[field_tcc6], 1);

    double precip = v[field_tp6];
    if (!values.have[row][field_tp6]) {
        double to_end = 0, to_start = 0;
        run_total(values, row, to_end);
        run_total(values, row - 1, to_start);
        precip = to_end - to_start;
        std::string note = hour_words(row) + ": precipitation from the run totals 0-" +
                           std::to_string(6 * (row + 1)) + " minus 0-" + std::to_string(6 * row);
        if (precip < 0) {
            char amount[32];
            std::snprintf(amount, sizeof amount, "%g", precip);
            note += ", whose difference " + std::string(amount) + " mm is taken as 0";
            precip = 0;
        }
        notes.push_back(note);
    }
    out.precip = round_at(precip, 10);

    const double u = v[field_u10], w = v[field_v10];
    out.wind_speed = round_at(std::sqrt(u * u + w * w) * 3600 / 1852, 1);
    // The direction the wind blows from, 360 for north, so that 0 stays calm.
    double direction = round_at(std::atan2(-u, -w) * 180 / pi, 1);
    if (direction <= 0) direction += 360;
    out.wind_dir = out.wind_speed == 0 ? 0.0 : direction;
}

} // namespace

bool make_gfs_rows(const point_values& values, gfs_row* rows, std::vector<std::string>& notes,
                   fault& why) {
    const std::string no_message = "no message of this hour";
    bool complete = true;
    for (int row = 0; row < gfs_row_count; ++row) {
        const std::string lacking = missing_fields(values, row);
        if (lacking.empty()) continue;
        // Hours missing whole, as when a file is left out, make one line.
        int last = row;
        if (!complete && lacking == no_message) {
            while (last + 1 < gfs_row_count && missing_fields(values, last + 1) == no_message)
                ++last;
        }
        if (complete) {
            why = {fault_kind::refused_input, hour_words(row) + ": " + lacking, ""};
            notes.clear();
        } else if (last > row) {
            notes.push_back("also hours " + std::to_string(6 * (row + 1)) + " to " +
                            std::to_string(6 * (last + 1)) + ": no message of these hours");
        } else {
            notes.push_back("also " + hour_words(row) + ": " + lacking);
        }
        complete = false;
        row = last;
    }
    if (!complete) return false;
    for (int row = 0; row < gfs_row_count; ++row) fill_row(values, row, rows[row], notes);
    return true;
}
