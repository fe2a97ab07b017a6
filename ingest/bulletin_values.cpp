#include "ingest/bulletin_values.h"

#include "ingest/read_rows.h"
#include "reading/reading.h"
#include "reading/text_lines.h"

#include <algorithm>
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

// The National Blend's own rows (nbm_row), each by its label, or the label NBM 3 wrote.
struct nbm_row_label {
    const char* label;
    const char* older_label;
};
static const nbm_row_label nbm_row_labels[nbm_row_count] = {
    {"TXN", "N/X"},   {"XND", nullptr}, {"TMP", nullptr}, {"TSD", nullptr}, {"DPT", nullptr},
    {"DSD", nullptr}, {"WSP", nullptr}, {"WSD", nullptr}, {"GST", nullptr}, {"GSD", nullptr},
    {"Q06", nullptr}, {"Q12", nullptr}, {"S06", nullptr}, {"PZR", nullptr}, {"PSN", nullptr},
    {"PPL", nullptr}, {"PRA", nullptr}, {"T03", nullptr}, {"T06", nullptr}, {"T12", nullptr},
};

template <std::size_t n> static row_table table(const row_rule (&rows)[n]) {
    return row_table{rows, static_cast<int>(n)};
}

// Reads count values (an even number) of the row labelled label (found at row) in pairs,
// each pair followed by a column separator, into values. Returns false, with why set, at a
// value that is no integer.
static bool read_pairs(std::istream& in, std::int32_t* values, int count, const char* label,
                       long long row, fault& why) {
    char mark = 0;
    for (int i = 0; i < count; i += 2) {
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

// Reads the "X/N", "DPT" and "P24" rows of one extended bulletin, searching within body.
// Returns false, with why set, at a missing label, a value that is no integer, or the end
// of input before the last value.
static bool read_ext_temp_pop(std::istream& in, ext_temp_pop& b, const row_bounds& body,
                              row_place* places, fault& why) {
    long long row = -1;
    if (!find_row(in, "X/N", nullptr, body, row, why) ||
        !skip_row_words(in, skipped_day_columns, "X/N", row, why) ||
        !read_pairs(in, b.temp, 2 * extended_days, "X/N", row, why))
        return false;
    places[temp_row] = row_place{row, "X/N", skipped_day_columns + 1, 1};
    // Missing climate normals are written "999" right behind the last maximum ("57999999"),
    // so the maximum is what stands before the last six digits.
    std::int32_t& last = b.temp[2 * extended_days - 1];
    if (last > 999 || last < -999) last /= 1000000;
    if (!find_row(in, "DPT", "X/N", body, row, why) ||
        !skip_row_words(in, skipped_day_columns, "DPT", row, why) ||
        !read_pairs(in, b.dew_point, 2 * extended_days, "DPT", row, why))
        return false;
    places[dew_point_row] = row_place{row, "DPT", skipped_day_columns + 1, 1};
    char mark = 0;
    if (!find_row(in, "P24", "DPT", body, row, why)) return false;
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

// Reads the "CLD" and "WND" rows of one extended bulletin, searching within body. Returns
// false, with why set, at a missing label, an unknown cloud word, a value that is no
// integer, or the end of input before the last value.
static bool read_ext_sky_wind(std::istream& in, ext_sky_wind& b, const row_bounds& body,
                              row_place* places, fault& why) {
    long long row = -1;
    if (!find_row(in, "CLD", nullptr, body, row, why) ||
        !skip_row_words(in, skipped_hour_columns, "CLD", row, why) ||
        !read_cloud_words(in, b.cloud, extended_columns, "CLD", row, read_column_word,
                          ext_cloud_words, static_cast<int>(std::size(ext_cloud_words)),
                          "a cloud word (CL, PC or OV)", why))
        return false;
    places[cloud_row] = row_place{row, "CLD", skipped_hour_columns + 1, 1};
    if (!find_row(in, "WND", "CLD", body, row, why) ||
        !skip_row_words(in, skipped_hour_columns, "WND", row, why))
        return false;
    // The first value stands alone before a separator, the others in pairs, each pair
    // followed by one.
    int first = 0;
    char mark = 0;
    if (!read_int(in, first)) return value_fault(in, "WND", row, "a whole number", why);
    // A mark fails only at the end of input, where the next read fails in turn.
    read_mark(in, mark);
    b.speed[0] = first;
    if (!read_pairs(in, b.speed + 1, extended_columns - 1, "WND", row, why)) return false;
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

namespace {

// Columns of an NBS row at most: the 23 of a 1200 UTC bulletin, and room for a few more.
const int most_nbm_columns = 32;
// Characters of the label of every NBS row.
const std::size_t nbm_label_size = 3;

// The row of nbm_row_labels that label names, or -1.
int nbm_row_of(const std::string& label) {
    for (int r = 0; r < nbm_row_count; ++r)
        if (label == nbm_row_labels[r].label ||
            (nbm_row_labels[r].older_label && label == nbm_row_labels[r].older_label))
            return r;
    return -1;
}

// The hours of an NBS bulletin's FHR row by where their columns end, -1 where none ends.
struct hour_columns {
    int hour_at[4 * most_nbm_columns];
};

// Reads one row line's values into row r of rows, each under the hour whose column ends
// where its own does. False, with why set, where a value stands under no hour.
bool place_row(const placed_value* values, int count, const hour_columns& hours,
               const std::string& label, nbm_rows& rows, int r, fault& why) {
    std::int32_t value[nbm_hour_count];
    bool present[nbm_hour_count] = {};
    for (int j = 0; j < count; ++j) {
        const int end = values[j].end;
        const int hour =
            end >= 0 && end < static_cast<int>(std::size(hours.hour_at)) ? hours.hour_at[end] : -1;
        if (hour < 0) {
            why.what = "the " + label + " row's value " + std::to_string(j + 1) + " (" +
                       std::to_string(values[j].value) + ") stands under no FHR column";
            return false;
        }
        // Hours beyond those of a 1200 UTC bulletin are not taken.
        const int i = (hour - nbm_hour(0)) / 3;
        if (hour < nbm_hour(0) || (hour - nbm_hour(0)) % 3 != 0 || i >= nbm_hour_count) continue;
        value[i] = values[j].value;
        present[i] = !is_missing(values[j].value, temp_row, true);
    }
    for (int i = 0; i < nbm_hour_count; ++i) {
        rows.present[r][i] = present[i];
        rows.value[r][i] = present[i] ? value[i] : missing_blend_value;
    }
    return true;
}

// Reads bulletin k's rows from its FHR row on. False, with why set, where it has no FHR
// row that can be read; a row that cannot be read is noted in notes and left out.
bool read_nbm_bulletin(std::istream& in, const bulletin_layout& layout, int k, nbm_rows& rows,
                       std::vector<fault>& notes, fault& why) {
    const row_bounds body = bulletin_bounds(layout, k);
    const long long limit = body.limit;
    long long fhr_at = -1;
    in.clear();
    if (in.seekg(layout.body_start[k]).fail() || !find_row(in, "FHR", nullptr, body, fhr_at, why))
        return false;
    in.clear();
    if (fhr_at < 0 || in.seekg(fhr_at).fail()) {
        why.what = "the file ends at its FHR row";
        return false;
    }
    bool seen[nbm_row_count] = {};
    hour_columns hours;
    std::fill(std::begin(hours.hour_at), std::end(hours.hour_at), -1);
    bool fhr = true;
    std::string line;
    bool too_long = false;
    for (long long line_at = fhr_at; line_at < limit || limit < 0;) {
        if (!read_received_line(in, line, too_long)) break;
        const long long next = in.eof() ? -1 : static_cast<long long>(in.tellg());
        // The rows end at the first line that is none: a blank line, "$$", a header.
        std::size_t label_start = 0;
        while (label_start < line.size() && is_blank(line[label_start])) ++label_start;
        std::size_t label_end = label_start;
        while (label_end < line.size() && !is_white(static_cast<unsigned char>(line[label_end])))
            ++label_end;
        if (label_end - label_start != nbm_label_size) break;
        const std::string label = line.substr(label_start, nbm_label_size);
        const int r = fhr ? -1 : nbm_row_of(label);
        if (fhr || (r >= 0 && !seen[r])) {
            placed_value values[most_nbm_columns];
            int count = 0;
            fault bad{fault_kind::refused_input, "", "", 0, line_at};
            bool ok = !too_long;
            if (!ok) bad.what = "the " + label + " row is longer than any NBS row";
            ok = ok && placed_columns(line, label_start, nbm_label_size, line_at, values,
                                      most_nbm_columns, count, bad);
            if (fhr) {
                for (int j = 0; ok && j < count; ++j)
                    if (values[j].end < static_cast<int>(std::size(hours.hour_at)))
                        hours.hour_at[values[j].end] = values[j].value;
                if (!ok) {
                    why = bad;
                    return false;
                }
                fhr = false;
            } else {
                seen[r] = true;
                if (ok) ok = place_row(values, count, hours, label, rows, r, bad);
                if (!ok) {
                    bad.what =
                        bulletin_name(layout, k) + ": " + bad.what + "; its values are left out";
                    notes.push_back(bad);
                }
            }
        }
        if (next < 0) break;
        line_at = next;
    }
    return true;
}

} // namespace

void read_nbm_rows(std::istream& in, const bulletin_layout& layout, nbm_bulletins& nbm,
                   std::vector<fault>& notes) {
    for (int s = 0; s < station_count; ++s) {
        nbm_rows& rows = nbm.station[s];
        for (int r = 0; r < nbm_row_count; ++r)
            for (int i = 0; i < nbm_hour_count; ++i) {
                rows.value[r][i] = missing_blend_value;
                rows.present[r][i] = false;
            }
        // Bulletins 1-4 are the stations' first short-range ones, in station order; an
        // absent one has none of its rows, which the absence has already said.
        nbm.given[s] = is_blend_bulletin(layout.header[s]) && !layout.absent[s];
        if (!nbm.given[s]) continue;
        fault why{fault_kind::refused_input, "", "", 0, layout.header[s].station_at};
        if (!read_nbm_bulletin(in, layout, s, rows, notes, why)) {
            if (why.position < 0) why.position = layout.header[s].station_at;
            why.kind = fault_kind::refused_input;
            why.what = bulletin_name(layout, s) + ": " + why.what + "; its NBM rows are left out";
            notes.push_back(why);
        }
    }
    in.clear();
}
