#pragma once

#include "calendar/utc_time.h"
#include "diagnostics/fault.h"

#include <cstdint>
#include <iosfwd>
#include <string>

// Rows of a GFS model file that one run reads, one every 6 hours from hour 6 to 288.
inline constexpr int gfs_row_count = 48;

// One forecast hour of a GFS model file, in the file's field order and units.
struct gfs_row {
    std::int32_t hour;
    double mslp;       // hPa
    double t2m;        // degrees C
    double t850;       // degrees C
    double t700;       // degrees C
    double t500;       // degrees C
    double thickness;  // decametres
    double rh;         // percent
    double precip;     // mm in the 6 hours before
    double cloud;      // percent
    double wind_dir;   // degrees
    double wind_speed; // knots
};

// A GFS model file as the GFS run takes it.
struct gfs_model {
    gfs_row rows[gfs_row_count];     // in the file's units
    long long row_at[gfs_row_count]; // where each row starts (byte position)
    bool run_known = false;          // run_time was read from the preamble
    utc_time run_time{0, 0, 0, 0};   // the model run, the time of forecast hour 0
    bool point_known = false;        // the preamble's POINT: line gave the point
    double latitude = 0;             // degrees north
    double longitude = 0;            // degrees east
};

// The words of the one field header the run knows, from "FIELD" to "KNTS".
inline constexpr int gfs_header_word_count = 46;
extern const char* const gfs_header_words[gfs_header_word_count];

// True when the stream, from where it stands, carries word for word after any preamble the
// 46-word field header. Otherwise false, with why (kind incorrect_format, a byte position)
// telling which header word was expected and what was found. Looks at nothing after
// "KNTS". field_at gets the position of its "FIELD". The stream must be opened in binary
// mode.
bool check_gfs_header(std::istream& in, long long& field_at, fault& why);

// Fills the gfs_row_count rows from the stream (opened in binary mode): the data start
// after its first word "FHR" (the first from position from, where a word starts), and each
// row is a mark, the hour, a mark and eleven numbers.
// row_at[i] gets the byte position where row i starts. Returns false when there is no
// "FHR", fewer rows, an hour that is no integer or a value that is no number, with why
// (kind incorrect_format, a byte position) saying which row and value; the rows are then
// not all filled.
bool read_gfs_rows(std::istream& in, gfs_row* rows, long long* row_at, fault& why,
                   long long from = 0);

// Checks the field header of the stream (the file name, opened in binary mode), reads its
// rows, and from the preamble before the header the model run (the words "MODEL RUN:  00
// UTC MON 04 MAR 2024", when complete and a real date) and the point (the first line that
// starts with "POINT:", its "LAT 44.05 N" and "LON 97.20 W" as degrees north and east).
// Returns false when the file is not in the format or cannot be read to its end, with why
// set to what is wrong, the file and the line.
bool load_gfs_file(std::istream& in, const std::string& name, gfs_model& model, fault& why);
