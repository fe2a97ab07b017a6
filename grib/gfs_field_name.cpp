#include "grib/gfs_fields.h"

const char* gfs_field_name(int field) {
    static const char* const names[gfs_field_count] = {
        "mean sea-level pressure",
        "2 m temperature",
        "850 hPa temperature",
        "700 hPa temperature",
        "500 hPa temperature",
        "500 hPa height",
        "1000 hPa height",
        "2 m relative humidity",
        "6 h precipitation",
        "run total precipitation",
        "6 h average total cloud",
        "10 m u-wind",
        "10 m v-wind",
    };
    return field >= 0 && field < gfs_field_count ? names[field] : "?";
}
