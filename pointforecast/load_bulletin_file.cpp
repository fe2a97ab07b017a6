#include "pointforecast/load_bulletin_file.h"

#include "calendar/bulletin_date.h"
#include "pointforecast/compute_city_forecast.h"
#include "pointforecast/day_columns.h"
#include "reading/places.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ios>
#include <istream>

// The date and cycle of the first header as a time, when both are real.
static bool issued_time(const bulletin_header& first, utc_time& issued) {
    utc_time date{0, 0, 0, 0};
    const int hour = cycle_hour(first.cycle);
    if (hour < 0 || !parse_bulletin_date(first.date_word, date)) return false;
    date.hour = hour;
    issued = date;
    return true;
}

static bool read_bulletins(std::istream& in, const std::string& name, loaded_bulletins& loaded,
                           bool short_range_only, fault& why) {
    bulletin_rows rows;
    const int count = short_range_only ? short_range_bulletin_count : bulletin_count;
    if (!validate_bulletin_file(in, loaded.layout, why, count) ||
        !read_temp_pop(in, loaded.layout, loaded.values, rows, why) ||
        !read_sky_wind(in, loaded.layout, loaded.values, rows, why)) {
        why.file = name;
        place_line(in, why);
        return false;
    }
    const std::string gap = first_city_gap(loaded.values);
    if (!gap.empty()) {
        why = fault{fault_kind::invalid_bulletins, gap + ": no station has a value", name, 0, -1};
        return false;
    }
    loaded.dated = issued_time(loaded.layout.header[0], loaded.issued);
    loaded.warnings = missing_value_notes(loaded.values, loaded.layout, rows);
    for (fault& w : loaded.warnings) w.file = name;
    // Lines are counted only when there is something to say.
    if (!loaded.warnings.empty()) place_lines(in, loaded.warnings);
    return true;
}

bool load_bulletin_file(std::istream& in, const std::string& name, loaded_bulletins& loaded,
                        fault& why, bool short_range_only) {
    // A damaged disk makes the stream buffer throw, since the readers take characters from
    // it directly; that is a file that cannot be read, like any other.
    try {
        return read_bulletins(in, name, loaded, short_range_only, why);
    } catch (const std::ios_base::failure&) {
        why = fault{fault_kind::missing_file, std::strerror(EIO), name, 0, -1};
        return false;
    }
}

namespace {

struct ordered_note {
    long long row;
    int value;
    fault note;
};

// The notes of one bulletin, gathered value by value.
struct bulletin_notes {
    std::vector<ordered_note>& notes;
    const bulletin_layout& layout;
    const row_place* places; // the bulletin's rows
    int k;
    bool blend;
};

// Notes value index of the bulletin's row when it is the bulletin's marker of no value,
// numbered along the row as the forecaster counts.
void note_value(const bulletin_notes& b, bulletin_row row, const std::int32_t* values, int index) {
    const std::int32_t value = values[index];
    if (!is_missing(value, row, b.blend)) return;
    const row_place& place = b.places[row];
    const int number = place.first + place.step * index;
    b.notes.push_back({place.label_at, number,
                       fault{fault_kind::refused_input,
                             bulletin_name(b.layout, b.k) + ": " + place.label + " value " +
                                 std::to_string(number) + " is missing (" + std::to_string(value) +
                                 "); the city value rests on the other stations",
                             "", 0, place.label_at}});
}

// The notes of a bulletin's two blocks: the day values of days first_day to last_day and
// the sky and wind values of rows first_row to last_row, as the tables take them.
template <class TempPop, class SkyWind>
void note_bulletin(const bulletin_notes& b, const TempPop& temp_pop, const SkyWind& sky_wind,
                   int first_day, int last_day, int first_row, int last_row) {
    for (int d = first_day; d < last_day; ++d)
        for (int c = 0; c < day_column_count; ++c)
            if (day_value_exists(d, c))
                note_value(b, day_columns[c].row, row_values(temp_pop, day_columns[c].row),
                           day_value_index(d, c));
    for (int r = first_row; r < last_row; ++r)
        for (int q = 0; q < hour_quantity_count; ++q)
            if (hour_value_exists(r, q))
                note_value(b, hour_quantities[q].row, row_values(sky_wind, hour_quantities[q].row),
                           r - first_row);
}

} // namespace

std::vector<fault> missing_value_notes(const bulletin_values& v, const bulletin_layout& layout,
                                       const bulletin_rows& rows) {
    std::vector<ordered_note> notes;
    for (int k = 0; k < layout.count; ++k) {
        const int s = station_of(k);
        const int g = group_of(k);
        // One note says it all of a bulletin that is absent.
        if (layout.absent[k]) {
            const long long at = layout.header[k].station_at;
            notes.push_back({at, 0,
                             fault{fault_kind::refused_input,
                                   bulletin_name(layout, k) +
                                       " is absent: no bulletin of the station was among the "
                                       "products; the city values rest on the other stations",
                                   "", 0, at}});
            continue;
        }
        const bulletin_notes b{notes, layout, rows.row[k], k, g == 0 && v.blend[s]};
        if (g == 0)
            note_bulletin(b, v.eta_temp_pop[s], v.eta_sky_wind[s], 0, short_days, 0, short_rows);
        else if (g == 1)
            note_bulletin(b, v.avn_temp_pop[s], v.avn_sky_wind[s], 0, short_days, 0, short_rows);
        else
            note_bulletin(b, v.mrf_temp_pop[s], v.mrf_sky_wind[s], short_days, forecast_days,
                          short_rows, sky_wind_rows);
    }
    // The two readers' rows interleave in a bulletin, and the tables take a row's values
    // in their own order.
    std::stable_sort(notes.begin(), notes.end(), [](const ordered_note& x, const ordered_note& y) {
        return x.row != y.row ? x.row < y.row : x.value < y.value;
    });
    std::vector<fault> ordered;
    ordered.reserve(notes.size());
    for (ordered_note& n : notes) ordered.push_back(std::move(n.note));
    return ordered;
}

std::string group_words(const bulletin_layout& layout, int g,
                        std::string (*word)(const bulletin_header&)) {
    std::string joined;
    for (int s = 0; s < station_count; ++s) {
        const std::string one = word(layout.header[g * station_count + s]);
        if (("/" + joined + "/").find("/" + one + "/") != std::string::npos) continue;
        joined += (joined.empty() ? "" : "/") + one;
    }
    return joined;
}

static std::string group_models(const bulletin_layout& layout, int g) {
    return group_words(layout, g, [](const bulletin_header& h) { return h.model; });
}

void guidance_names(const bulletin_layout& layout, std::string& short_models,
                    std::string& extended_model) {
    if (group_models(layout, 0) == "ETA") {
        short_models = "ETA and AVN";
        extended_model = "MRF";
        return;
    }
    short_models = group_models(layout, 0) + " and " + group_models(layout, 1);
    extended_model = group_models(layout, 2);
}
