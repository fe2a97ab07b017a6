#include "gfs/load_gfs_file.h"

#include "gfs/check_gfs_header.h"
#include "gfs/read_gfs_rows.h"
#include "diagnostics/file_note.h"

bool load_gfs_file(const std::string& name, gfs_row* rows, std::string& fault) {
    // The data are read before the file is called valid, so that no table is ever made
    // from values the file did not hold.
    file_note note;
    if (check_gfs_header(name.c_str(), note) && read_gfs_rows(rows, name.c_str(), note))
        return true;
    fault = note_lines(name, {note}).front();
    return false;
}
