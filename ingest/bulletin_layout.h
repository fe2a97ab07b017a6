#pragma once

#include "arith/stations.h"
#include "diagnostics/fault.h"
#include "ingest/bulletin_header.h"

#include <iosfwd>
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

// Where the validator found each of the twelve headers and what they say: the readers read
// bulletin k from body_start[k], the character right after its cycle word, and search no
// label at or beyond header[k + 1].station_at.
struct bulletin_layout {
    bulletin_header header[bulletin_count];
    long long body_start[bulletin_count];
};

// Bulletin k (0-11) as a forecaster finds it, "bulletin 3 (KMHE ETA)".
std::string bulletin_name(const bulletin_layout& layout, int k);

// True when the stream, from its start, holds the twelve bulletin headers in the required
// station, model and cycle order with one date; layout then tells where they stand and
// what they say. Otherwise false, with why (kind invalid_bulletins, a byte position, no
// file name) telling which bulletin was expected and what was found. Reads forward only,
// but for finding the place of a fault. The stream must be opened in binary mode, so
// that positions count bytes.
bool validate_bulletin_file(std::istream& in, bulletin_layout& layout, fault& why);
