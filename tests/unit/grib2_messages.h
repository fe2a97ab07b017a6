#pragma once

// GRIB2 messages as ecCodes writes them from its own sample, as GFS's files are written: a
// field's product and grid set on a handle, its hour and values set apart, so that a message
// packed once can be written again at every hour.

#include "grib2_writer.h"

#include <eccodes.h>

#include <string>
#include <vector>

namespace grib2 {

// A regular latitude/longitude grid of ni by nj points every step degrees from the first
// point to the last, rows from north to south.
struct lat_lon {
    long ni, nj;
    double lat1, lon1, lat2, lon2, step;
};

// The grid of test_grid().
inline constexpr lat_lon test_lat_lon{test_ni, test_nj, 46, 260, 42, 265, 0.25};

// ecCodes' GRIB2 sample as NCEP's run of date and run_hour, with the product of f (its value
// aside) on the grid in bits_per_value bits a value; the caller sets its hour and values,
// then takes the message.
inline codes_handle* eccodes_message(const field& f, const lat_lon& grid, long bits_per_value,
                                     long date = 20261209, long run_hour = 12) {
    // A test makes thousands of messages: the sample is read once.
    static codes_handle* const sample = codes_grib_handle_new_from_samples(nullptr, "GRIB2");
    codes_handle* h = codes_handle_clone(sample);
    codes_set_long(h, "centre", 7);
    codes_set_long(h, "dataDate", date);
    codes_set_long(h, "dataTime", run_hour * 100);
    codes_set_long(h, "productDefinitionTemplateNumber", f.statistics < 0 ? 0 : 8);
    codes_set_long(h, "parameterCategory", f.category);
    codes_set_long(h, "parameterNumber", f.number);
    codes_set_long(h, "typeOfFirstFixedSurface", f.surface);
    if (f.surface == 100 || f.surface == 103) {
        codes_set_long(h, "scaleFactorOfFirstFixedSurface", 0);
        codes_set_long(h, "scaledValueOfFirstFixedSurface", f.level);
    }
    if (f.statistics >= 0) codes_set_long(h, "typeOfStatisticalProcessing", f.statistics);
    codes_set_long(h, "Ni", grid.ni);
    codes_set_long(h, "Nj", grid.nj);
    codes_set_double(h, "latitudeOfFirstGridPointInDegrees", grid.lat1);
    codes_set_double(h, "longitudeOfFirstGridPointInDegrees", grid.lon1);
    codes_set_double(h, "latitudeOfLastGridPointInDegrees", grid.lat2);
    codes_set_double(h, "longitudeOfLastGridPointInDegrees", grid.lon2);
    codes_set_double(h, "iDirectionIncrementInDegrees", grid.step);
    codes_set_double(h, "jDirectionIncrementInDegrees", grid.step);
    codes_set_long(h, "bitsPerValue", bits_per_value);
    return h;
}

// The forecast hour, for a statistic the last of the length hours it covers.
inline void set_hour(codes_handle* h, long hour, long length) {
    codes_set_long(h, "forecastTime", hour - length);
    long pdt = 0;
    codes_get_long(h, "productDefinitionTemplateNumber", &pdt);
    if (pdt == 8) codes_set_long(h, "lengthOfTimeRange", length);
}

// The values, packed simply and, given a packing, packed again from there.
inline void set_values(codes_handle* h, const std::vector<double>& values,
                       const char* packing = nullptr) {
    codes_set_double_array(h, "values", values.data(), values.size());
    size_t length = 0;
    if (packing) codes_set_string(h, "packingType", packing, &length);
}

// The message's bytes; the handle is deleted.
inline std::string take_message(codes_handle* h) {
    const void* bytes = nullptr;
    size_t size = 0;
    codes_get_message(h, &bytes, &size);
    std::string text(static_cast<const char*>(bytes), size);
    codes_handle_delete(h);
    return text;
}

} // namespace grib2
