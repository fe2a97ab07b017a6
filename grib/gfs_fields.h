#pragma once

#include "diagnostics/fault.h"
#include "gfs/gfs_model_file.h"

#include <string>
#include <vector>

// The messages the model file is made of, each at one forecast hour. The precipitation
// comes as a 6-hour bucket or as a run total from hour 0; both count as fields here.
enum gfs_field {
    field_mslp,     // prmsl, meanSea
    field_t2m,      // 2t, heightAboveGround 2
    field_t850,     // t, isobaricInhPa 850
    field_t700,     // t, isobaricInhPa 700
    field_t500,     // t, isobaricInhPa 500
    field_gh500,    // gh, isobaricInhPa 500
    field_gh1000,   // gh, isobaricInhPa 1000
    field_rh2m,     // 2r, heightAboveGround 2
    field_tp6,      // tp accumulated over the 6 hours ending at the hour
    field_tp_total, // tp accumulated from hour 0 to the hour
    field_tcc6,     // tcc of the entire atmosphere averaged over the 6 hours ending at the hour
    field_u10,      // 10u, heightAboveGround 10
    field_v10,      // 10v, heightAboveGround 10
    gfs_field_count
};

// The keys of a message that tell which field and hour it is.
struct message_keys {
    long discipline, category, number; // the parameter
    long surface, level;               // typeOfFirstFixedSurface and its level
    long statistics;                   // typeOfStatisticalProcessing; -1 for an instant
    long start, end;                   // the step range in hours; equal for an instant
};

// Whether a message of keys' parameter, surface and level may be one of the fields or an
// instantaneous cloud: only such messages are worth decoding. The other keys are not
// looked at; a surface of -1 (not known before decoding) leaves the parameter to decide.
bool is_gfs_candidate(const message_keys& keys);

// The field that keys make, with hour set to its forecast hour; -1 for a message that the
// model file does not need. A run total from 0 to 6 hours is the 6-hour bucket too.
int identify_gfs_field(const message_keys& keys, long& hour);

// Whether keys are of an instantaneous total cloud of the entire atmosphere, which stands
// in no average.
bool is_instant_cloud(const message_keys& keys);

// The field's name as a refusal gives it: "10 m v-wind".
const char* gfs_field_name(int field);

// What the messages read so far gave at the grid point, before any conversion: one value
// per field and row (hour 6 is row 0), in the message's own units.
struct point_values {
    double value[gfs_row_count][gfs_field_count];
    bool have[gfs_row_count][gfs_field_count];
    bool instant_cloud[gfs_row_count]; // a TCDC that is no average was seen
};

// The rows of the model file from the values at the grid point: converted, the
// precipitation taken from the bucket or from the run totals (a negative bucket or
// difference is 0), rounded at the file's precision. False, with why naming the first
// hour that lacks a field and notes the further such hours, when a field is missing, and
// with why naming the hour, the field and the value, when a humidity or cloud cover lies
// outside 0 to 100 % or a value comes out as no finite number; otherwise notes says which
// hours' precipitation the run totals gave, or was taken as 0.
bool make_gfs_rows(const point_values& values, gfs_row* rows, std::vector<std::string>& notes,
                   fault& why);
