#include "gfs/run_gfs_model.h"

#include "arith/shared_types.h"
#include "frontend/ask_file_name.h"
#include "frontend/output_file_name.h"
#include "frontend/write_output_file.h"
#include "gfs/check_gfs_header.h"
#include "gfs/convert_gfs_rows.h"
#include "gfs/read_gfs_rows.h"
#include "gfs/write_gfs_table.h"

#include <iostream>
#include <sstream>
#include <string>

void run_gfs_model() {
    std::string file_name;
    if (!ask_file_name(file_name)) return;
    gfs_row rows[gfs_row_count];
    // The data are read before the file is called valid, so that no table is ever made
    // from values the file did not hold.
    if (!check_gfs_header(file_name.c_str()) || !read_gfs_rows(rows, file_name.c_str())) {
        std::cout << "Your file is in the incorrect format." << std::endl;
        return;
    }
    std::cout << "You have a valid file." << std::endl;
    double temp_adj[gfs_row_count], temp_plus[gfs_row_count], temp_minus[gfs_row_count];
    convert_gfs_rows(rows, temp_adj, temp_plus, temp_minus);
    std::ostringstream table;
    write_gfs_table(table, rows, temp_adj, temp_plus, temp_minus);
    write_output_file(output_file_name(file_name), table.str());
}
