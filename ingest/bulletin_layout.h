#pragma once

#include "arith/stations.h"
#include "diagnostics/fault.h"
#include "ingest/bulletin_header.h"

#include <iosfwd>
#include <iterator>
#include <string>

// Bulletins in a bulletin file: four short-range ETA, NAM or NBM, four AVN (or GFS), four
// MRF (or GFSX).
inline constexpr int bulletin_count = 12;

// Each group of four bulletins: the model words a bulletin file accepts, in the order the
// refusals name them; the names the products carry, current name first; and the cycle.
// The validator and the assembler both read this one table.
struct bulletin_group {
    const char* file_models[3]; // null after the last word a group accepts
    const char* product_models[2];
    const char* cycle;
};
inline constexpr bulletin_group bulletin_groups[3] = {
    {{"ETA", "NAM", "NBM"}, {"NAM", "ETA"}, "1200"},
    {{"AVN", "GFS", nullptr}, {"GFS", "AVN"}, "1200"},
    {{"MRF", "GFSX", nullptr}, {"GFSX", "MRF"}, "0000"},
};

// The group of bulletin k (0-11) and its station.
inline constexpr int group_of(int k) {
    return k / station_count;
}
inline constexpr int station_of(int k) {
    return k % station_count;
}

// The model word of the National Blend of Models, whose short-range bulletins (NBS) stand
// where the retired NAM MOS ones stood; they are read by their own rows.
inline constexpr const char* blend_model = "NBM";

// Whether bulletin header h is a short-range one of the National Blend of Models.
inline bool is_blend_bulletin(const bulletin_header& h) {
    return h.model == blend_model;
}

// Bulletins of a short-range-only file: the first two groups, issued when the extended
// guidance is late.
inline constexpr int short_range_bulletin_count = 2 * station_count;

// A bulletin with its header but no values: a station that was not among the products.
// Its body's first word, right after the header's "UTC", is this marker, which no product
// writes there; the rest of the body is for the reader. A cloud row has no marker of a
// missing value, so the whole bulletin says it. Each group may hold at most
// most_absent_stations of them.
inline constexpr const char* absent_marker = "ABSENT:";
inline constexpr const char* absent_body =
    "ABSENT: no bulletin of this station was among the products; its values are missing.";
inline constexpr int most_absent_stations = 2;

// The labels of the rows the readers look for, those of an extended bulletin first. The
// validator notes where each first stands in the bodies it passes over, so that the
// readers go straight to their rows instead of reading the bodies again.
inline constexpr const char* noted_labels[] = {"X/N", "DPT", "P24", "CLD", "WND", "N/X",
                                               "TXN", "P12", "SKY", "WDR", "WSP", "FHR"};
inline constexpr int noted_label_count = static_cast<int>(std::size(noted_labels));
inline constexpr int extended_label_count = 5;

// Where the validator found the headers and what they say: the readers read bulletin k
// from body_start[k], the character right after its cycle word, and search no label at or
// beyond header[k + 1].station_at, nor beyond end after the last. Bulletins marked absent
// are not read.
struct bulletin_layout {
    bulletin_header header[bulletin_count];
    long long body_start[bulletin_count];
    bool absent[bulletin_count];
    int count;     // the bulletins the run reads: bulletin_count, or short_range_bulletin_count
    long long end; // where the next station header after the last stands; -1 for none
    // Where noted_labels[i] first stands in bulletin k's body as a whole word (at
    // body_start[k] or after white space, and before white space or the end of input),
    // from body_start[k] to where the body's searches end, or -1 where it stands nowhere
    // there; noted for the first noted_count[k] labels, an extended bulletin's own or all.
    long long first_label_at[bulletin_count][noted_label_count];
    int noted_count[bulletin_count];
};

// Bulletin k (0-11) as a forecaster finds it, "bulletin 3 (KMHE ETA)".
std::string bulletin_name(const bulletin_layout& layout, int k);

// True when the stream, from its start, holds count bulletin headers (the twelve, or the
// first eight of a short-range-only file, after which anything may follow) in the
// required station, model and cycle order with one date, no group with more than
// most_absent_stations absent; layout then tells where they stand and what they say.
// Otherwise false, with why (kind invalid_bulletins, a byte position, no file name)
// telling which bulletin was expected and what was found. Seeks back to each body's start
// after looking for the absent marker. The stream must be opened in binary mode, so that
// positions count bytes.
bool validate_bulletin_file(std::istream& in, bulletin_layout& layout, fault& why,
                            int count = bulletin_count);
