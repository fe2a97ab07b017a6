#pragma once

// Shared by the validator's and the readers' fuzz targets: the validator's notes of where
// the row labels stand must be where each first stands as a word in its body, and a reader
// must read with them exactly what it reads by searching each whole body.

#include "ingest/bulletin_layout.h"
#include "ingest/bulletin_values.h"
#include "ingest/read_rows.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <iterator>
#include <string>

// Aborts where a note of layout is not where its label first stands as a word in its body
// of text: at the body's start or after white space, before white space or the end.
inline void check_notes(const std::string& text, const bulletin_layout& layout) {
    auto white = [&text](std::size_t i) {
        return text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r');
    };
    for (int k = 0; k < layout.count; ++k) {
        const row_bounds body = bulletin_bounds(layout, k);
        for (int i = 0; i < body.noted; ++i) {
            const std::string label = noted_labels[i];
            long long first = -1;
            for (auto at = static_cast<std::size_t>(body.start);
                 first < 0 && at < text.size() &&
                 (body.limit < 0 || at < static_cast<std::size_t>(body.limit));
                 ++at)
                if ((at == static_cast<std::size_t>(body.start) || white(at - 1)) &&
                    text.compare(at, label.size(), label) == 0 &&
                    (at + label.size() == text.size() || white(at + label.size())))
                    first = static_cast<long long>(at);
            if (layout.first_label_at[k][i] != first) std::abort();
        }
    }
}

// Runs read (read_temp_pop or read_sky_wind) on in with layout and with layout without
// its notes, and aborts where the values, the rows' places or the faults differ.
template <class Reader>
void read_with_and_without_notes(std::istream& in, const bulletin_layout& layout, Reader read) {
    bulletin_layout unnoted = layout;
    std::fill(std::begin(unnoted.noted_count), std::end(unnoted.noted_count), 0);
    bulletin_values values{}, searched_values{};
    bulletin_rows rows, searched_rows;
    fault why, searched_why;
    const bool ok = read(in, layout, values, rows, why);
    const bool searched_ok = read(in, unnoted, searched_values, searched_rows, searched_why);
    if (ok != searched_ok || why.what != searched_why.what ||
        why.position != searched_why.position ||
        std::memcmp(&values, &searched_values, sizeof values) != 0)
        std::abort();
    for (int k = 0; k < bulletin_count; ++k)
        for (int r = 0; r < bulletin_row_count; ++r) {
            const row_place &a = rows.row[k][r], &b = searched_rows.row[k][r];
            if (a.label_at != b.label_at || a.label != b.label || a.first != b.first ||
                a.step != b.step)
                std::abort();
        }
}
