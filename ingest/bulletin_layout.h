#pragma once

#include <string>

// Bulletins in a bulletin file: four ETA, four AVN (or GFS), four MRF (or GFSX).
inline constexpr int bulletin_count = 12;

// The four stations in the order of every per-station array.
inline constexpr const char* station_ids[4] = {"KBKX", "KHON", "KMHE", "KFSD"};

// Where the validator found each of the twelve headers, as stream positions of the file
// opened in binary mode: header_start[k] is the first character of the station word of
// bulletin k, body_start[k] the character right after its cycle word. The readers read
// bulletin k from body_start[k] and search no label at or beyond header_start[k + 1].
// model[k] is the model word the header carries.
struct bulletin_layout {
    long long header_start[bulletin_count];
    long long body_start[bulletin_count];
    const char* model[bulletin_count];
};

// Rows that one reader takes from one bulletin, at most. A reader records where it found
// the label of row i of bulletin k at row_start[k * rows_per_bulletin + i].
inline constexpr int rows_per_bulletin = 3;

// What the bulletins write where they have no value: 999 in the temperature, dew point and
// precipitation rows, 99 in the wind rows. Cloud rows have no such marker.
inline constexpr int missing_temp_pop_value = 999;
inline constexpr int missing_wind_value = 99;

// Bulletin k (0-11) as a forecaster finds it, "bulletin 3 (KMHE ETA)".
inline std::string bulletin_name(const bulletin_layout& layout, int k) {
    return "bulletin " + std::to_string(k + 1) + " (" + station_ids[k % 4] + " " + layout.model[k] +
           ")";
}
