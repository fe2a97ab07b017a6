#pragma once

#include "diagnostics/fault.h"
#include "ingest/bulletin_layout.h"

#include <cstdint>
#include <istream>
#include <string>

// Reads one bulletin's rows into its block from where the stream stands, searching no
// label at or beyond limit (none when negative), and records where it found each row's
// label in rows. False on any failed read, with why saying what is wrong in the bulletin
// and where (no position: the bulletin as a whole).
template <class Block>
using block_reader = bool (*)(std::istream& in, Block& block, long long limit, long long* rows,
                              fault& why);

// The skeleton both array readers share: reads bulletins 1-4 into first, 5-8 into second
// (read_short; read_blend for a National Blend bulletin among 1-4) and 9-12 into third
// (read_ext), every bulletin from its own body. Returns false at the first block that
// fails, with why naming the bulletin.
template <class Short, class Ext>
bool read_bulletin_blocks(std::istream& in, const bulletin_layout& layout,
                          block_reader<Short> read_short, block_reader<Short> read_blend,
                          Short* first, Short* second, block_reader<Ext> read_ext, Ext* third,
                          bulletin_rows& rows, fault& why) {
    for (int k = 0; k < bulletin_count; ++k) {
        // Each bulletin is read from its own body; its searches end at the next header.
        const long long limit = k + 1 < bulletin_count ? layout.header[k + 1].station_at : -1;
        long long* at = rows.label_at[k];
        why = fault{fault_kind::invalid_bulletins, "the file can no longer be read", "", 0, -1};
        in.clear();
        bool ok = !in.seekg(layout.body_start[k]).fail();
        const int s = station_of(k);
        if (group_of(k) == 0 && is_blend_bulletin(layout.header[k]))
            ok = ok && read_blend(in, first[s], limit, at, why);
        else if (group_of(k) == 0)
            ok = ok && read_short(in, first[s], limit, at, why);
        else if (group_of(k) == 1)
            ok = ok && read_short(in, second[s], limit, at, why);
        else
            ok = ok && read_ext(in, third[s], limit, at, why);
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
// null), searching no label at or beyond limit, and sets row to the label's position.
// False, with why set, when the bulletin has no such row.
bool find_row(std::istream& in, const char* label, const char* after, long long limit,
              long long& row, fault& why);

// Reads count integers of the row labelled label, found at row, into values. False at the
// first that is no 32-bit integer, with why set by value_fault.
bool read_ints(std::istream& in, std::int32_t* values, int count, const char* label, long long row,
               fault& why);

// Skips count column words of the row labelled label (found at row). False, with why
// set, when the file ends first.
bool skip_row_words(std::istream& in, int count, const char* label, long long row, fault& why);

// Sets why for a read of the row labelled label (found at row) that failed: the word
// where what belongs ("a whole number") stands instead, or the end of the file. Returns
// false.
bool value_fault(std::istream& in, const char* label, long long row, const char* what, fault& why);

// A cloud word and the code the forecast takes for it (tenths of the sky covered).
struct cloud_word {
    const char* word;
    std::int32_t code;
};

// The code of word in a table of count cloud words. False when the word is not in it.
bool cloud_code(const std::string& word, const cloud_word* words, int count, std::int32_t& code);
