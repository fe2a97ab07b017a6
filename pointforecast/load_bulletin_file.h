#pragma once

#include "calendar/utc_time.h"
#include "diagnostics/fault.h"
#include "ingest/bulletin_layout.h"
#include "ingest/bulletin_values.h"

#include <iosfwd>
#include <string>
#include <vector>

// A bulletin file as the 1200 run takes it.
struct loaded_bulletins {
    bulletin_layout layout;      // the twelve headers and where they stand
    bulletin_values values;      // every value the readers take
    bool dated = false;          // issued is known: the headers' date and cycle are real
    utc_time issued{0, 0, 0, 0}; // the bulletins' date and cycle
    // One note, with its line, for each value a bulletin marks as missing, which the
    // forecast leaves out, and for each bulletin that is absent.
    std::vector<fault> warnings;
};

// Checks the twelve bulletin headers of the stream (the file name, opened in binary mode)
// and reads the rows of every bulletin from it, seeking back where the second reader needs
// to. With short_range_only it takes bulletins 1 to 8 alone, whatever follows them, for a
// forecast of days 1 and 2 and the short-range hours. Returns false when the file is no
// valid bulletin file, leaves a forecast value without any station, or cannot be read to
// its end, with why set to what is wrong and where. The stream is read whole before the
// file is called valid: a forecast is never made from values the file did not hold.
bool load_bulletin_file(std::istream& in, const std::string& name, loaded_bulletins& loaded,
                        fault& why, bool short_range_only = false);

// One note for each value that a bulletin marks as missing and the forecast therefore
// leaves out, in file order: which bulletin, row and value of the row, at the row's label
// (a byte position), as rows says where the readers found them; and one for each absent
// bulletin, at its header.
std::vector<fault> missing_value_notes(const bulletin_values& values, const bulletin_layout& layout,
                                       const bulletin_rows& rows);

// The distinct words of group g's headers (0 first short-range, 1 second, 2 extended),
// each as word makes it of its header, in station order, joined by "/".
std::string group_words(const bulletin_layout& layout, int g,
                        std::string (*word)(const bulletin_header&));

// The guidance a bulletin file holds as a forecaster names it: the two short-range models
// of 1200 UTC ("NBM and GFS") and the extended one of 0000 UTC ("GFSX"), each group's
// model words as its headers give them, in station order, the distinct ones joined by
// "/". A file whose first four bulletins are ETA keeps the names the 1200 run has always
// given: "ETA and AVN", "MRF".
void guidance_names(const bulletin_layout& layout, std::string& short_models,
                    std::string& extended_model);
