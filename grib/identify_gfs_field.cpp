#include "grib/gfs_fields.h"

// Surfaces of GRIB2 code table 4.5.
static const long surface_ground = 1;
static const long entire_atmosphere = 10;
static const long isobaric = 100;
static const long mean_sea = 101;
static const long above_ground = 103;

// Statistical processes of code table 4.10.
static const long average = 0;
static const long accumulation = 1;

bool is_gfs_parameter(long discipline, long category, long number) {
    if (discipline != 0) return false;
    return (category == 0 && number == 0) || (category == 1 && (number == 1 || number == 8)) ||
           (category == 2 && (number == 2 || number == 3)) ||
           (category == 3 && (number == 1 || number == 5)) || (category == 6 && number == 1);
}

static int instant_field(const message_keys& k) {
    if (k.category == 3 && k.number == 1 && k.surface == mean_sea) return field_mslp;
    if (k.category == 0 && k.number == 0 && k.surface == above_ground && k.level == 2)
        return field_t2m;
    if (k.category == 0 && k.number == 0 && k.surface == isobaric) {
        if (k.level == 850) return field_t850;
        if (k.level == 700) return field_t700;
        if (k.level == 500) return field_t500;
    }
    if (k.category == 3 && k.number == 5 && k.surface == isobaric) {
        if (k.level == 500) return field_gh500;
        if (k.level == 1000) return field_gh1000;
    }
    if (k.category == 1 && k.number == 1 && k.surface == above_ground && k.level == 2)
        return field_rh2m;
    if (k.category == 2 && k.surface == above_ground && k.level == 10)
        return k.number == 2 ? field_u10 : field_v10;
    return -1;
}

int identify_gfs_field(const message_keys& k, long& hour) {
    if (k.discipline != 0) return -1;
    hour = k.end;
    if (k.statistics < 0) return k.start == k.end ? instant_field(k) : -1;
    if (k.category == 1 && k.number == 8 && k.surface == surface_ground &&
        k.statistics == accumulation) {
        if (k.start == k.end - 6) return field_tp6;
        if (k.start == 0 && k.end > 0) return field_tp_total;
    }
    if (k.category == 6 && k.number == 1 && k.surface == entire_atmosphere &&
        k.statistics == average && k.start == k.end - 6)
        return field_tcc6;
    return -1;
}

bool is_instant_cloud(const message_keys& k) {
    return k.discipline == 0 && k.category == 6 && k.number == 1 &&
           k.surface == entire_atmosphere && k.statistics < 0;
}
