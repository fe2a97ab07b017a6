#include "gfs/load_gfs_file.h"

#include "gfs/check_gfs_header.h"
#include "gfs/read_gfs_rows.h"

bool load_gfs_file(const std::string& name, gfs_row* rows, std::string& fault) {
    // The data are read before the file is called valid, so that no table is ever made
    // from values the file did not hold.
    if (!check_gfs_header(name.c_str())) {
        fault = name + ": the field header is not the one the GFS run knows";
        return false;
    }
    if (!read_gfs_rows(rows, name.c_str())) {
        fault =
            name + ": \"FHR\" or one of the 48 rows is missing or holds a value that is no number";
        return false;
    }
    return true;
}
