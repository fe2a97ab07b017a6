#include "gfs/run_gfs_model.h"

#include "arith/shared_types.h"
#include "gfs/convert_gfs_rows.h"
#include "gfs/load_gfs_file.h"
#include "gfs/write_gfs_table.h"
#include "files/ask_file_name.h"
#include "diagnostics/diagnostics.h"
#include "files/output_file_name.h"
#include "files/save_output_file.h"
#include "files/say_on_console.h"

#include <iostream>
#include <sstream>
#include <string>

void run_gfs_model() {
    std::string file_name;
    if (!ask_file_name(file_name)) return;
    gfs_row rows[gfs_row_count];
    std::string fault;
    if (!load_gfs_file(file_name, rows, fault)) {
        std::cout << incorrect_format_sentence << std::endl;
        diagnose(fault);
        return;
    }
    std::cout << "You have a valid file." << std::endl;
    double temp_adj[gfs_row_count], temp_plus[gfs_row_count], temp_minus[gfs_row_count];
    convert_gfs_rows(rows, temp_adj, temp_plus, temp_minus);
    std::ostringstream table;
    write_gfs_table(table, rows, temp_adj, temp_plus, temp_minus);
    save_output_file(output_file_name(file_name), table.str(), say_on_console);
}
