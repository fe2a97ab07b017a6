#include "pointforecast/missing_value_notes.h"

#include <algorithm>
#include <string>

namespace {

struct ordered_note {
    long long row;
    int value;
    fault note;
};

// The notes of one bulletin, gathered row by row.
struct bulletin_notes {
    std::vector<ordered_note>& notes;
    const bulletin_layout& layout;
    int k;
};

// Notes each of count values that holds marker. Row row_index of the reader's rows holds
// them, labelled label; value i is the row's value number first + step * i, counted as the
// forecaster counts them, the words the readers skip included.
void note_row(const bulletin_notes& b, const bulletin_rows& rows, int row_index, const char* label,
              const std::int32_t* values, int count, int first, int step, std::int32_t marker) {
    const long long row = rows.label_at[b.k][row_index];
    for (int i = 0; i < count; ++i) {
        if (values[i] != marker) continue;
        const int number = first + step * i;
        b.notes.push_back(
            {row, number,
             fault{fault_kind::refused_input,
                   bulletin_name(b.layout, b.k) + ": " + label + " value " +
                       std::to_string(number) + " is missing (" + std::to_string(marker) +
                       "); the city value rests on the other stations",
                   "", 0, row}});
    }
}

void note_short(const bulletin_notes& b, const short_temp_pop& tp, const short_sky_wind& sw,
                const bulletin_rows& tp_rows, const bulletin_rows& sw_rows) {
    const std::int32_t t = missing_temp_pop_value, w = missing_wind_value;
    // A National Blend bulletin's temperature and P12 rows begin with a value the readers
    // pass over, and its sky covers are its SKY row.
    const bool blend = is_blend_bulletin(b.layout.header[b.k]);
    const int first = blend ? 2 : 1;
    note_row(b, tp_rows, 0, blend ? "TXN" : "N/X", tp.temp, 4, first, 1, t);
    note_row(b, tp_rows, 1, "DPT", tp.dew_point, 4, 7, 4, t); // the 7th, 11th, 15th, 19th
    note_row(b, tp_rows, 2, "P12", tp.pop12, 4, first, 1, t);
    if (sw.sky_percent != 0) note_row(b, sw_rows, 0, "SKY", sw.cloud, short_columns, 1, 1, t);
    note_row(b, sw_rows, 1, "WDR", sw.direction, short_columns, 1, 1, w);
    note_row(b, sw_rows, 2, "WSP", sw.speed, short_columns, 1, 1, w);
}

void note_ext(const bulletin_notes& b, const ext_temp_pop& tp, const ext_sky_wind& sw,
              const bulletin_rows& tp_rows, const bulletin_rows& sw_rows) {
    const std::int32_t t = missing_temp_pop_value, w = missing_wind_value;
    // Five values are skipped before the pairs, two before the P24 values, four before
    // the WND values.
    note_row(b, tp_rows, 0, "X/N", tp.low_temp, extended_days, 6, 2, t);
    note_row(b, tp_rows, 0, "X/N", tp.high_temp, extended_days, 7, 2, t);
    note_row(b, tp_rows, 1, "DPT", tp.low_dew_point, extended_days, 6, 2, t);
    note_row(b, tp_rows, 1, "DPT", tp.high_dew_point, extended_days, 7, 2, t);
    note_row(b, tp_rows, 2, "P24", tp.pop24, extended_days, 3, 1, t);
    note_row(b, sw_rows, 1, "WND", sw.speed, extended_columns, 5, 1, w);
}

} // namespace

std::vector<fault> missing_value_notes(const bulletin_values& v, const bulletin_layout& layout,
                                       const bulletin_rows& temp_pop_rows,
                                       const bulletin_rows& sky_wind_rows) {
    std::vector<ordered_note> notes;
    for (int k = 0; k < bulletin_count; ++k) {
        const int s = station_of(k);
        const bulletin_notes b{notes, layout, k};
        if (group_of(k) == 0)
            note_short(b, v.eta_temp_pop[s], v.eta_sky_wind[s], temp_pop_rows, sky_wind_rows);
        else if (group_of(k) == 1)
            note_short(b, v.avn_temp_pop[s], v.avn_sky_wind[s], temp_pop_rows, sky_wind_rows);
        else
            note_ext(b, v.mrf_temp_pop[s], v.mrf_sky_wind[s], temp_pop_rows, sky_wind_rows);
    }
    // The two readers' rows interleave in a bulletin, and a row's pairs are stored apart.
    std::stable_sort(notes.begin(), notes.end(), [](const ordered_note& x, const ordered_note& y) {
        return x.row != y.row ? x.row < y.row : x.value < y.value;
    });
    std::vector<fault> ordered;
    ordered.reserve(notes.size());
    for (ordered_note& n : notes) ordered.push_back(std::move(n.note));
    return ordered;
}
