#include "ingest/bulletin_values.h"

#include "ingest/read_rows.h"
#include "reading/reading.h"

#include <cstddef>
#include <istream>
#include <iterator>

// Cloud cover words and their codes; extended rows glue the column separator to a word.
static const cloud_word short_cloud_words[] = {
    {"CL", 0}, {"FW", 1}, {"SC", 3}, {"BK", 7}, {"OV", 10}};
static const cloud_word ext_cloud_words[] = {{"CL|", 0}, {"CL", 0},   {"PC|", 5},
                                             {"PC", 5},  {"OV|", 10}, {"OV", 10}};

// The rows of a short-range MOS bulletin (NAM, ETA, GFS, AVN), each reader's in the order
// they stand: four temperatures, the dew points at their times (the 7th, 11th, 15th and
// 19th of 19), four 12-hour probabilities; clouds, directions and speeds from hour 6.
static const row_rule mos_temp_pop[] = {
    {temp_row, "N/X", nullptr, value_form::whole_numbers, "a whole number", 1, 1, 4},
    {dew_point_row, "DPT", nullptr, value_form::whole_numbers, "a whole number", 7, 4, 4, 3},
    {pop_row, "P12", nullptr, value_form::whole_numbers, "a whole number", 1, 1, 4},
};
static const row_rule mos_sky_wind[] = {
    {cloud_row, "CLD", nullptr, value_form::cloud_words, "a cloud word (CL, FW, SC, BK or OV)", 1,
     1, short_columns, 0, short_cloud_words, static_cast<int>(std::size(short_cloud_words))},
    {direction_row, "WDR", nullptr, value_form::whole_numbers, "a whole number", 1, 1,
     short_columns},
    {speed_row, "WSP", nullptr, value_form::whole_numbers, "a whole number", 1, 1, short_columns},
};

// The same rows of a National Blend bulletin (NBS) of 1200 UTC. Its temperature row is
// "TXN" (NBM 4 and later) or "N/X" (NBM 3), and that row and P12 begin with the value at
// hour 12 (today's maximum and probability), before the four that stand under the hours of
// a MOS bulletin. SKY (percent) stands for the cloud words; it and the wind rows run a
// value of three digits into the one before it, so they are read by columns.
static const row_rule blend_temp_pop[] = {
    {temp_row, "TXN", "N/X", value_form::whole_numbers, "a whole number", 2, 1, 4, 1},
    {dew_point_row, "DPT", nullptr, value_form::whole_numbers, "a whole number", 7, 4, 4, 3},
    {pop_row, "P12", nullptr, value_form::whole_numbers, "a whole number", 2, 1, 4, 1},
};
static const row_rule blend_sky_wind[] = {
    {cloud_row, "SKY", nullptr, value_form::columns, "a sky cover", 1, 1, short_columns},
    {direction_row, "WDR", nullptr, value_form::columns, "a whole number", 1, 1, short_columns},
    {speed_row, "WSP", nullptr, value_form::columns, "a whole number", 1, 1, short_columns},
};

template <std::size_t n> static row_table table(const row_rule (&rows)[n]) {
    return row_table{rows, static_cast<int>(n)};
}

// Reads the pairs of the row labelled label (found at row), each pair followed by a column
// separator, into values. Returns false, with why set, at a value that is no integer.
static bool read_pairs(std::istream& in, std::int32_t* values, const char* label, long long row,
                       fault& why) {
    char mark = 0;
    for (int i = 0; i < 2 * extended_days; i += 2) {
        int a = 0, b = 0;
        if (!read_int(in, a) || !read_int(in, b))
            return value_fault(in, label, row, "a whole number", why);
        // A mark fails only at the end of input, where the next read fails in turn.
        read_mark(in, mark);
        values[i] = a;
        values[i + 1] = b;
    }
    return true;
}

// Words of the extended temperature rows before the days the run reads: the columns of
// days 1 and 2 and the first of day 3's.
static const int skipped_day_columns = 5;

// Reads the "X/N", "DPT" and "P24" rows of one extended bulletin, searching no label at or
// beyond limit (none when negative). Returns false, with why set, at a missing label, a
// value that is no integer, or the end of input before the last value.
static bool read_ext_temp_pop(std::istream& in, ext_temp_pop& b, long long limit, row_place* places,
                              fault& why) {
    long long row = -1;
    if (!find_row(in, "X/N", nullptr, limit, row, why) ||
        !skip_row_words(in, skipped_day_columns, "X/N", row, why) ||
        !read_pairs(in, b.temp, "X/N", row, why))
        return false;
    places[temp_row] = row_place{row, "X/N", skipped_day_columns + 1, 1};
    // Missing climate normals are written "999" right behind the last maximum ("57999999"),
    // so the maximum is what stands before the last six digits.
    std::int32_t& last = b.temp[2 * extended_days - 1];
    if (last > 999 || last < -999) last /= 1000000;
    if (!find_row(in, "DPT", "X/N", limit, row, why) ||
        !skip_row_words(in, skipped_day_columns, "DPT", row, why) ||
        !read_pairs(in, b.dew_point, "DPT", row, why))
        return false;
    places[dew_point_row] = row_place{row, "DPT", skipped_day_columns + 1, 1};
    char mark = 0;
    if (!find_row(in, "P24", "DPT", limit, row, why)) return false;
    read_mark(in, mark);
    if (!skip_row_words(in, 2, "P24", row, why)) return false;
    for (int i = 0; i < extended_days; ++i) {
        int value = 0;
        if (!read_int(in, value)) return value_fault(in, "P24", row, "a whole number", why);
        read_mark(in, mark);
        b.pop24[i] = value;
    }
    // The two columns passed over after the empty first one are its values 1 and 2.
    places[pop_row] = row_place{row, "P24", 3, 1};
    return true;
}

// Words of the extended cloud and wind rows before hour 72: the columns of hours 12 to 60.
static const int skipped_hour_columns = 4;

// Reads the "CLD" and "WND" rows of one extended bulletin, searching no label at or beyond
// limit (none when negative). Returns false, with why set, at a missing label, an unknown
// cloud word, a value that is no integer, or the end of input before the last value.
static bool read_ext_sky_wind(std::istream& in, ext_sky_wind& b, long long limit, row_place* places,
                              fault& why) {
    long long row = -1;
    if (!find_row(in, "CLD", nullptr, limit, row, why) ||
        !skip_row_words(in, skipped_hour_columns, "CLD", row, why) ||
        !read_cloud_words(in, b.cloud, extended_columns, "CLD", row, read_column_word,
                          ext_cloud_words, static_cast<int>(std::size(ext_cloud_words)),
                          "a cloud word (CL, PC or OV)", why))
        return false;
    places[cloud_row] = row_place{row, "CLD", skipped_hour_columns + 1, 1};
    if (!find_row(in, "WND", "CLD", limit, row, why) ||
        !skip_row_words(in, skipped_hour_columns, "WND", row, why))
        return false;
    // The first value stands alone before a separator, the others in pairs, each pair
    // followed by one.
    int a = 0, b2 = 0;
    char mark = 0;
    if (!read_int(in, a)) return value_fault(in, "WND", row, "a whole number", why);
    // A mark fails only at the end of input, where the next read fails in turn.
    read_mark(in, mark);
    b.speed[0] = a;
    for (int k = 1; k < extended_columns; k += 2) {
        if (!read_int(in, a) || !read_int(in, b2))
            return value_fault(in, "WND", row, "a whole number", why);
        read_mark(in, mark);
        b.speed[k] = a;
        b.speed[k + 1] = b2;
    }
    places[speed_row] = row_place{row, "WND", skipped_hour_columns + 1, 1};
    places[direction_row] = row_place{};
    return true;
}

// What the file lacks, as the layout says.
static void note_lacking(const bulletin_layout& layout, bulletin_values& values) {
    for (int k = 0; k < bulletin_count; ++k)
        values.absent[k] = k < layout.count && layout.absent[k];
    values.count = layout.count;
}

bool read_temp_pop(std::istream& in, const bulletin_layout& layout, bulletin_values& values,
                   bulletin_rows& rows, fault& why) {
    note_lacking(layout, values);
    return read_bulletin_blocks(in, layout, table(mos_temp_pop), table(blend_temp_pop),
                                values.eta_temp_pop, values.avn_temp_pop, read_ext_temp_pop,
                                values.mrf_temp_pop, values.blend, rows, why);
}

bool read_sky_wind(std::istream& in, const bulletin_layout& layout, bulletin_values& values,
                   bulletin_rows& rows, fault& why) {
    note_lacking(layout, values);
    return read_bulletin_blocks(in, layout, table(mos_sky_wind), table(blend_sky_wind),
                                values.eta_sky_wind, values.avn_sky_wind, read_ext_sky_wind,
                                values.mrf_sky_wind, values.blend, rows, why);
}
