#pragma once

#include "calendar/utc_time.h"
#include "diagnostics/fault.h"
#include "grib/gfs_fields.h"
#include "grib/regular_grid.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct grib_handle; // ecCodes' handle of a message

// A section of the message being read: where it lies in the file, and its bytes where the
// reader keeps them (all but the bitmap and the data, which are read when a field is
// decoded).
struct grib_section {
    int number;
    long long at, length;
    std::string bytes;
};

// The sections one field of a message is made of, as indexes into the message's sections
// (its local section aside: no field read here needs it).
struct grib_field_layout {
    int identification, grid, product, representation, bitmap, data;
};

// Where the sections of the field being decoded stand in its bytes, and how many points
// its grid has.
struct grib_field_parts {
    std::size_t identification, grid, product, packing, bitmap, data;
    unsigned long long points;
};

// A GRIB2 file read field by field: a message that holds several fields gives each in
// turn, as a message of its own.
struct grib_file {
    std::string name;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in{nullptr, std::fclose};
    long long size = 0;                    // of the file, in bytes
    long long position = -1;               // where the stream stands; -1 for not known
    long long next = 0;                    // where the next message is looked for
    long message = 0;                      // number of the message being read, from 1
    long long message_at = 0;              // its byte offset
    int discipline = 0;                    // its discipline (code table 0.0)
    std::vector<grib_section> sections;    // its sections after section 0
    std::vector<grib_field_layout> fields; // its fields
    std::size_t field = 0;                 // the next of them to give
    std::vector<unsigned char> bytes;      // the field being decoded, as a message
    grib_field_parts parts{};              // and its sections
    std::unique_ptr<grib_handle, int (*)(grib_handle*)> handle{nullptr, nullptr};
};

// Opens the file. False, with why, when it cannot be opened.
bool open_grib_file(const std::string& name, grib_file& file, fault& why);

// What next_grib_field found.
enum class grib_next { field, end, refused };

// Reads on to the next field of the file and sets in keys what its sections say before
// anything decodes it: the parameter, surface and level of a product template that the
// reader decodes (an analysis or forecast at a point in time or over a period, of one
// model or of one ensemble member); the other keys, and all of them for other templates,
// are -1. Each message is walked whole first: its sections must follow each other in
// their order, each within the message and as long as its contents need, and the
// message must end with "7777" where its length says. Refuses, with the file and the
// message's byte offset, a message that does not, a file that is no GRIB2 (a message not
// of edition 2, or no message at all), and a file that cannot be read.
grib_next next_grib_field(grib_file& file, message_keys& keys, fault& why);

// Has ecCodes read the field last found, as a message of its own, and fills keys from it;
// the field is then read by the functions below. Before ecCodes sees it, the field must
// hold together: a regular latitude/longitude grid whose rows and columns make its number
// of points, at most 2,000,000; a product template as long as it says; a packing the
// reader knows, with a bitmap or a count of values that matches the grid, and data as
// long as the packing needs. False after a refusal, with the file and the message's byte
// offset.
bool decode_grib_field(grib_file& file, message_keys& keys, fault& why);

// Refuses the message being read: why names the file and the message and says what.
// Returns false.
bool refuse_message(const grib_file& file, const std::string& what, fault& why);

// The integer key of the decoded field, or otherwise when it has none.
long field_long(const grib_file& file, const char* key, long otherwise);

// The model run the decoded field belongs to: its reference date and time. False after
// refusing one that is no real date and time on the hour.
bool read_run(const grib_file& file, utc_time& run, fault& why);

// The decoded field's grid; false after refusing one scanned in alternate directions or
// with a latitude beyond the poles.
bool read_grid(const grib_file& file, regular_grid& grid, fault& why);

// The value at index (below the grid's number of points) of the decoded field, and
// whether it is missing there: by the bitmap where the field has one, and otherwise by
// the missing value coded in the data where the packing says it keeps missing values
// there. A missing value is not decoded. False after refusing values that cannot be
// decoded.
bool read_value_at(const grib_file& file, long index, double& value, bool& missing, fault& why);
