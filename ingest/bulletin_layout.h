#pragma once

// Bulletins in a bulletin file: four ETA, four AVN (or GFS), four MRF (or GFSX).
inline constexpr int bulletin_count = 12;

// The four stations in the order of every per-station array.
inline constexpr const char* station_ids[4] = {"KBKX", "KHON", "KMHE", "KFSD"};

// Where the validator found each of the twelve headers, as stream positions of the file
// opened in binary mode: header_start[k] is the first character of the station word of
// bulletin k, body_start[k] the character right after its cycle word. The readers read
// bulletin k from body_start[k] and search no label at or beyond header_start[k + 1].
struct bulletin_layout {
    long long header_start[bulletin_count];
    long long body_start[bulletin_count];
};
