#include "gfs/load_gfs_file.h"

#include "gfs/check_gfs_header.h"
#include "gfs/find_model_point.h"
#include "gfs/find_model_run.h"
#include "gfs/read_gfs_rows.h"
#include "reading/places.h"

#include <cerrno>
#include <cstring>
#include <ios>
#include <istream>

static bool read_model(std::istream& in, const std::string& name, gfs_model& model, fault& why) {
    long long field_at = -1;
    if (!check_gfs_header(in, field_at, why) || !read_gfs_rows(in, model.rows, model.row_at, why)) {
        why.file = name;
        place_line(in, why);
        return false;
    }
    model.run_known = find_model_run(in, field_at, model.run_time);
    model.point_known = find_model_point(in, field_at, model.latitude, model.longitude);
    return true;
}

bool load_gfs_file(std::istream& in, const std::string& name, gfs_model& model, fault& why) {
    // A damaged disk makes the stream buffer throw, since the readers take characters from
    // it directly; that is a file that cannot be read, like any other.
    try {
        return read_model(in, name, model, why);
    } catch (const std::ios_base::failure&) {
        why = fault{fault_kind::missing_file, std::strerror(EIO), name, 0, -1};
        return false;
    }
}
