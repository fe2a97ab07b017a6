#include "pointforecast/missing_value_notes.h"

#include <algorithm>
#include <string>

namespace {

// Where an element of a bulletin's block comes from: the reader's row index, the row's
// label, and the number of the value in the row counting from the label, as the
// forecaster counts them (the words the readers skip count too). A null label marks an
// element without a missing marker (cloud codes).
struct element_source {
    int row;
    const char* label;
    int value;
};

element_source temp_pop_source(bool extended, int i) {
    if (!extended) {
        if (i < 4) return {0, "N/X", i + 1};
        if (i < 8) return {1, "DPT", 7 + 4 * (i - 4)}; // the 7th, 11th, 15th, 19th
        return {2, "P12", i - 7};
    }
    // Five values are skipped before the pairs; element i < 5 is the first of pair i + 1.
    if (i < 10) return {0, "X/N", i < 5 ? 6 + 2 * i : 7 + 2 * (i - 5)};
    if (i < 20) return {1, "DPT", i < 15 ? 6 + 2 * (i - 10) : 7 + 2 * (i - 15)};
    return {2, "P24", 3 + (i - 20)}; // after two skipped values
}

element_source sky_wind_source(bool extended, int i) {
    if (!extended) {
        if (i < 19) return {0, nullptr, 0};
        if (i < 38) return {1, "WDR", i - 18};
        return {2, "WSP", i - 37};
    }
    if (i < 11) return {0, nullptr, 0};
    return {1, "WND", 5 + (i - 11)}; // after four skipped values
}

struct ordered_note {
    long long row;
    int value;
    file_note note;
};

// Adds a note for each element of bulletin k's block that holds marker.
void add_notes(std::vector<ordered_note>& notes, const bulletin_layout& layout, int k,
               const std::int32_t* block, int size, const long long* rows, std::int32_t marker,
               element_source (*source)(bool, int)) {
    for (int i = 0; i < size; ++i) {
        element_source from = source(k >= 8, i);
        if (!from.label || block[i] != marker) continue;
        long long row = rows[k * rows_per_bulletin + from.row];
        notes.push_back(
            {row,
             from.value,
             {row, bulletin_name(layout, k) + ": " + from.label + " value " +
                       std::to_string(from.value) + " is missing (" + std::to_string(marker) +
                       "); the city value rests on the other stations"}});
    }
}

} // namespace

std::vector<file_note> missing_value_notes(const station_arrays& a, const bulletin_layout& layout,
                                           const long long* temp_pop_rows,
                                           const long long* sky_wind_rows) {
    std::vector<ordered_note> notes;
    for (int k = 0; k < bulletin_count; ++k) {
        const int s = k % 4;
        const std::int32_t* temp_pop = k < 4   ? a.eta_temp_pop + s * 12
                                       : k < 8 ? a.avn_temp_pop + s * 12
                                               : a.mrf_temp_pop + s * 25;
        const std::int32_t* sky_wind = k < 4   ? a.eta_sky_wind + s * 57
                                       : k < 8 ? a.avn_sky_wind + s * 57
                                               : a.mrf_sky_wind + s * 22;
        add_notes(notes, layout, k, temp_pop, k < 8 ? 12 : 25, temp_pop_rows,
                  missing_temp_pop_value, temp_pop_source);
        add_notes(notes, layout, k, sky_wind, k < 8 ? 57 : 22, sky_wind_rows, missing_wind_value,
                  sky_wind_source);
    }
    // The two readers' rows interleave in a bulletin, and a row's pairs are stored apart.
    std::stable_sort(notes.begin(), notes.end(), [](const ordered_note& x, const ordered_note& y) {
        return x.row != y.row ? x.row < y.row : x.value < y.value;
    });
    std::vector<file_note> ordered;
    ordered.reserve(notes.size());
    for (const ordered_note& n : notes) ordered.push_back(n.note);
    return ordered;
}
