#pragma once

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

// Whether the parameter is one of those the fields are made of: only then are the other
// keys worth reading.
bool is_gfs_parameter(long discipline, long category, long number);

// The field that keys make, with hour set to its forecast hour; -1 for a message that the
// model file does not need. A run total from 0 to 6 hours is the 6-hour bucket too.
int identify_gfs_field(const message_keys& keys, long& hour);

// Whether keys are of an instantaneous total cloud of the entire atmosphere, which stands
// in no average.
bool is_instant_cloud(const message_keys& keys);

// The field's name as a refusal gives it: "10 m v-wind".
const char* gfs_field_name(int field);
