#include "grib/gfs_fields.h"

#include "arith/unit_conversions.h"

#include <cmath>
#include <cstdio>
#include <string>

// Surfaces of GRIB2 code table 4.5.
static const long surface_ground = 1;
static const long entire_atmosphere = 10;
static const long isobaric = 100;
static const long mean_sea = 101;
static const long above_ground = 103;

// Statistical processes of code table 4.10.
static const long average = 0;
static const long accumulation = 1;

static bool is_gfs_parameter(long discipline, long category, long number) {
    if (discipline != 0) return false;
    return (category == 0 && number == 0) || (category == 1 && (number == 1 || number == 8)) ||
           (category == 2 && (number == 2 || number == 3)) ||
           (category == 3 && (number == 1 || number == 5)) || (category == 6 && number == 1);
}

static int instant_field(const message_keys& k) {
    if (k.category == 3 && k.number == 1 && k.surface == mean_sea) return field_mslp;
    if (k.category == 0 && k.number == 0 && k.surface == above_ground && k.level == 2)
        return field_t2m;
    if (k.category == 0 && k.number == 0 && k.surface == isobaric) {
        if (k.level == 850) return field_t850;
        if (k.level == 700) return field_t700;
        if (k.level == 500) return field_t500;
    }
    if (k.category == 3 && k.number == 5 && k.surface == isobaric) {
        if (k.level == 500) return field_gh500;
        if (k.level == 1000) return field_gh1000;
    }
    if (k.category == 1 && k.number == 1 && k.surface == above_ground && k.level == 2)
        return field_rh2m;
    if (k.category == 2 && k.surface == above_ground && k.level == 10)
        return k.number == 2 ? field_u10 : field_v10;
    return -1;
}

int identify_gfs_field(const message_keys& k, long& hour) {
    if (k.discipline != 0) return -1;
    hour = k.end;
    if (k.statistics < 0) return k.start == k.end ? instant_field(k) : -1;
    if (k.category == 1 && k.number == 8 && k.surface == surface_ground &&
        k.statistics == accumulation) {
        if (k.start == k.end - 6) return field_tp6;
        if (k.start == 0 && k.end > 0) return field_tp_total;
    }
    if (k.category == 6 && k.number == 1 && k.surface == entire_atmosphere &&
        k.statistics == average && k.start == k.end - 6)
        return field_tcc6;
    return -1;
}

bool is_instant_cloud(const message_keys& k) {
    return k.discipline == 0 && k.category == 6 && k.number == 1 &&
           k.surface == entire_atmosphere && k.statistics < 0;
}

bool is_gfs_candidate(const message_keys& k) {
    if (!is_gfs_parameter(k.discipline, k.category, k.number)) return false;
    if (k.surface < 0 || instant_field(k) >= 0) return true;
    // The accumulated precipitation and the averaged or instantaneous cloud.
    return (k.category == 1 && k.number == 8 && k.surface == surface_ground) ||
           (k.category == 6 && k.number == 1 && k.surface == entire_atmosphere);
}

const char* gfs_field_name(int field) {
    static const char* const names[gfs_field_count] = {
        "mean sea-level pressure",
        "2 m temperature",
        "850 hPa temperature",
        "700 hPa temperature",
        "500 hPa temperature",
        "500 hPa height",
        "1000 hPa height",
        "2 m relative humidity",
        "6 h precipitation",
        "run total precipitation",
        "6 h average total cloud",
        "10 m u-wind",
        "10 m v-wind",
    };
    return field >= 0 && field < gfs_field_count ? names[field] : "?";
}

namespace {

// Value rounded half away from zero to a multiple of 1 / per_unit (10 for tenths), without
// a negative zero.
double round_at(double value, int per_unit) {
    const double scaled = value * per_unit;
    // A conversion such as K - 273.15 leaves a decimal tie a hair off (-2.7499999999999716
    // for -2.75): noise below a millionth of the last digit must not decide it.
    const double snapped = std::round(scaled * 1e6) / 1e6;
    const double rounded = std::round(snapped) / per_unit;
    return rounded == 0 ? 0.0 : rounded;
}

// What a row lacks when not one message of its hour was read.
const char* const no_message = "no message of this hour";

std::string hour_words(int row) {
    return "hour " + std::to_string(6 * (row + 1));
}

std::string number_words(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
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
    if (count == sizeof needed / sizeof needed[0]) return no_message;
    return lacking;
}

void fill_row(const point_values& values, int row, gfs_row& out, std::vector<std::string>& notes) {
    const double* v = values.value[row];
    out.hour = 6 * (row + 1);
    out.mslp = round_at(pascals_to_hpa(v[field_mslp]), 10);
    out.t2m = round_at(kelvin_to_celsius(v[field_t2m]), 10);
    out.t850 = round_at(kelvin_to_celsius(v[field_t850]), 10);
    out.t700 = round_at(kelvin_to_celsius(v[field_t700]), 10);
    out.t500 = round_at(kelvin_to_celsius(v[field_t500]), 10);
    out.thickness = round_at(metres_to_decametres(v[field_gh500] - v[field_gh1000]), 10);
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
            note += ", whose difference " + number_words(precip) + " mm is taken as 0";
            precip = 0;
        }
        notes.push_back(note);
    } else if (round_at(precip, 10) < 0) {
        // A bucket below 0 is packing's noise or worse; no rain is less than none.
        notes.push_back(hour_words(row) + ": the 6 h precipitation " + number_words(precip) +
                        " mm is taken as 0");
        precip = 0;
    }
    out.precip = round_at(precip, 10);

    const double u = v[field_u10], w = v[field_v10];
    out.wind_speed = round_at(metres_per_second_to_knots(std::sqrt(u * u + w * w)), 1);
    // The direction the wind blows from, 360 for north, so that 0 stays calm.
    double direction = round_at(radians_to_degrees(std::atan2(-u, -w)), 1);
    if (direction <= 0) direction += 360;
    out.wind_dir = out.wind_speed == 0 ? 0.0 : direction;
}

// Refuses a row that holds what cannot be weather: a value that comes out as no finite
// number (from finite values that overflow), or a percentage outside 0 to 100.
bool check_row(const point_values& values, int row, const gfs_row& out, fault& why) {
    const double* v = values.value[row];
    struct made {
        double value;
        const char* name;
        int from, and_from; // fields, -1 for none
    } const made_of[] = {
        {out.mslp, "mean sea-level pressure", field_mslp, -1},
        {out.t2m, "2 m temperature", field_t2m, -1},
        {out.t850, "850 hPa temperature", field_t850, -1},
        {out.t700, "700 hPa temperature", field_t700, -1},
        {out.t500, "500 hPa temperature", field_t500, -1},
        {out.thickness, "500 hPa thickness", field_gh500, field_gh1000},
        {out.rh, "2 m relative humidity", field_rh2m, -1},
        {out.precip, "6 h precipitation", -1, -1},
        {out.cloud, "6 h average total cloud", field_tcc6, -1},
        {out.wind_speed, "10 m wind", field_u10, field_v10},
    };
    for (const made& m : made_of) {
        const bool percent = m.from == field_rh2m || m.from == field_tcc6;
        if (std::isfinite(m.value) && (!percent || (m.value >= 0 && m.value <= 100))) continue;
        std::string what = hour_words(row) + ": " + m.name;
        if (percent) {
            what += " " + number_words(v[m.from]) + " % is outside 0 to 100 %";
        } else {
            what += " comes out as no finite number";
            for (int f : {m.from, m.and_from})
                if (f >= 0)
                    what += std::string(f == m.from ? " from " : " and ") + gfs_field_name(f) +
                            " " + number_words(v[f]);
        }
        why = {fault_kind::refused_input, what, ""};
        return false;
    }
    return true;
}

} // namespace

bool make_gfs_rows(const point_values& values, gfs_row* rows, std::vector<std::string>& notes,
                   fault& why) {
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
    for (int row = 0; row < gfs_row_count; ++row) {
        fill_row(values, row, rows[row], notes);
        if (!check_row(values, row, rows[row], why)) {
            notes.clear();
            return false;
        }
    }
    return true;
}
