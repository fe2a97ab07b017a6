#pragma once

#include "diagnostics/fault.h"
#include "ingest/bulletin_layout.h"
#include "ingest/bulletin_values.h"

#include <cstdint>
#include <istream>
#include <string>

// How the readers take the rows of a bulletin: finding a row's label within the bulletin,
// reading its values as the bulletin writes them, and saying what is wrong and where when
// they cannot be read.

// A cloud word and the code the forecast takes for it (tenths of the sky covered).
struct cloud_word {
    const char* word;
    std::int32_t code;
};

// How a row writes its values.
enum class value_form {
    // Integers with an optional sign, as MOS writes them: a value runs into the one before
    // it only by its sign ("-8-10" is -8 and -10).
    whole_numbers,
    // Right-aligned three-character columns, as the National Blend writes them: a word
    // longer than one column is columns counted from its right end, so "98100" is 98 and
    // 100, "100105" is 100 and 105, "12-99" is 12 and -99.
    columns,
    // Cloud words of the table the row names.
    cloud_words,
};

// One row as a reader takes it: its label, or where a bulletin lacks it the label an
// older one writes instead; how its values are written and what each is, for a fault
// ("a whole number"); and which of them it keeps, value numbers first, first + step, ...
// (count of them), counted from the label.
struct row_rule {
    bulletin_row row; // where its values go: the block's array of that row (row_values)
    const char* label;
    const char* older_label; // NBM 3's "N/X" for "TXN"; null for none
    value_form form;
    const char* value_name;
    int first, step, count;
    // The value number of the row's value at hour 12, which the block keeps apart
    // (today_value); 0 where the row has none there, and the block gets its marker of no
    // value.
    int today = 0;
    const cloud_word* words = nullptr; // the known words of a cloud_words row
    int word_count = 0;
};

// The rows one reader takes from one kind of short-range bulletin, in the order they
// stand.
struct row_table {
    const row_rule* rows;
    int count;
};

// Where the rows of one bulletin are searched: its body from start, no label at or beyond
// limit (none when negative), and the validator's notes of where the first noted of
// noted_labels first stand in the body (bulletin_layout's first_label_at).
struct row_bounds {
    long long start;
    long long limit;
    const long long* first_at;
    int noted;
};

// The bounds of bulletin k's rows as layout tells them.
row_bounds bulletin_bounds(const bulletin_layout& layout, int k);

// Finds the row that rule names, which comes after the row labelled after (none when null),
// searching within body, and reads the values it keeps into values, and
// its value at hour 12 into today where that is not null, noting in place where and under
// which label it found the row. False, with why set, when the bulletin has no such row or
// a value cannot be read.
bool read_row(std::istream& in, const row_rule& rule, const char* after, const row_bounds& body,
              std::int32_t* values, std::int32_t* today, row_place& place, fault& why);

// Reads the rows of table, in their order, into block, noting in places (indexed by
// bulletin_row) where it found them.
template <class Block>
bool read_rows(std::istream& in, const row_table& table, Block& block, const row_bounds& body,
               row_place* places, fault& why) {
    const char* after = nullptr;
    for (int i = 0; i < table.count; ++i) {
        const row_rule& rule = table.rows[i];
        row_place& place = places[rule.row];
        if (!read_row(in, rule, after, body, row_values(block, rule.row),
                      today_value(block, rule.row), place, why))
            return false;
        after = place.label;
    }
    return true;
}

// Reads one extended bulletin's rows into its block from where the stream stands,
// searching within body, and records in places where it found them. False on any failed
// read, with why saying what is wrong in the bulletin and where (no position: the
// bulletin as a whole).
template <class Block>
using block_reader = bool (*)(std::istream& in, Block& block, const row_bounds& body,
                              row_place* places, fault& why);

// The skeleton both readers share: reads bulletins 1-4 into first by the rows of mos, or
// of blend for a National Blend bulletin (which blend_bulletins then marks), 5-8 into
// second by the rows of mos, and 9-12 into third (read_ext), every bulletin from its own
// body, as many as the layout counts. The blocks of an absent bulletin, and of the
// extended ones a short-range-only file lacks, are zeros that nothing takes for values.
// Returns false at the first block that fails, with why naming the bulletin.
template <class Short, class Ext>
bool read_bulletin_blocks(std::istream& in, const bulletin_layout& layout, const row_table& mos,
                          const row_table& blend, Short* first, Short* second,
                          block_reader<Ext> read_ext, Ext* third, bool* blend_bulletins,
                          bulletin_rows& rows, fault& why) {
    for (int k = 0; k < bulletin_count; ++k) {
        // Each bulletin is read from its own body; its searches end at the next header.
        const row_bounds body = bulletin_bounds(layout, k);
        row_place* at = rows.row[k];
        const int s = station_of(k);
        if (group_of(k) == 0) blend_bulletins[s] = is_blend_bulletin(layout.header[k]);
        if (k >= layout.count || layout.absent[k]) {
            if (group_of(k) == 0)
                first[s] = Short{};
            else if (group_of(k) == 1)
                second[s] = Short{};
            else
                third[s] = Ext{};
            for (int r = 0; r < bulletin_row_count; ++r) at[r] = row_place{};
            continue;
        }
        why = fault{fault_kind::invalid_bulletins, "the file can no longer be read", "", 0, -1};
        in.clear();
        bool ok = !in.seekg(layout.body_start[k]).fail();
        if (group_of(k) == 0) {
            ok = ok && read_rows(in, blend_bulletins[s] ? blend : mos, first[s], body, at, why);
        } else if (group_of(k) == 1) {
            ok = ok && read_rows(in, mos, second[s], body, at, why);
        } else {
            ok = ok && read_ext(in, third[s], body, at, why);
        }
        if (!ok) {
            why.kind = fault_kind::invalid_bulletins;
            why.what = bulletin_name(layout, k) + ": " + why.what;
            if (why.position < 0) why.position = layout.header[k].station_at;
            return false;
        }
    }
    return true;
}

// Finds the row labelled label, which comes after the row labelled after (none when
// null), searching from where the stream stands within body, and sets row to the label's
// position. False, with why set, when the bulletin has no such row.
bool find_row(std::istream& in, const char* label, const char* after, const row_bounds& body,
              long long& row, fault& why);

// Reads count cloud words of the row labelled label (found at row) into codes, each word
// as read_one takes it and coded by the table words. False, with why saying that known
// belongs there, at an unknown word or the end of the file.
bool read_cloud_words(std::istream& in, std::int32_t* codes, int count, const char* label,
                      long long row, bool (*read_one)(std::istream&, std::string&),
                      const cloud_word* words, int word_count, const char* known, fault& why);

// Skips count column words of the row labelled label (found at row). False, with why
// set, when the file ends first.
bool skip_row_words(std::istream& in, int count, const char* label, long long row, fault& why);

// Sets why for a read of the row labelled label (found at row) that failed: the word
// where what belongs ("a whole number") stands instead, or the end of the file. Returns
// false.
bool value_fault(std::istream& in, const char* label, long long row, const char* what, fault& why);

// One value of a row written in three-character columns, and where its column ends: how
// many characters its last one stands after the first of the row's label.
struct placed_value {
    int end;
    std::int32_t value;
};

// The values of a row of line (which starts at byte position line_at) written in
// three-character columns after its label of label_size characters at label_start, each
// word split into columns from its right end as read_row reads such rows, with where each
// column ends: at most room of them, count saying how many. False, with why set (the
// word's position), at a word that is no whole numbers in columns or when more than room
// columns stand there.
bool placed_columns(const std::string& line, std::size_t label_start, std::size_t label_size,
                    long long line_at, placed_value* values, int room, int& count, fault& why);
