#include "fuzz/fuzz_file.h"
#include "grib/gfs_point.h"

// gfs-point's reading of its GRIB2 files, whole: any bytes, read as one file, are read or
// refused, and a run read is written out.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    gfs_point_request request;
    request.files = {write_scratch_file("run.grib2", data, size)};
    gfs_point_series series;
    std::vector<std::string> notes;
    fault why;
    if (load_gfs_point(request, series, notes, why)) format_gfs_model_file(series);
    return 0;
}
