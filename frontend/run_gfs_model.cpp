#include "diagnostics/sentences.h"
#include "frontend/ask_file_name.h"
#include "frontend/runs.h"
#include "gfs/gfs_table.h"

#include <sstream>

void run_gfs_model(dialogue& d) {
    std::string name, output;
    std::ifstream input;
    if (!ask_file_name(d, name, input, output)) return;
    gfs_model model;
    gfs_table_row table[gfs_row_count];
    fault why;
    if (!load_gfs_table(input, name, model, table, why)) {
        refuse(d, why);
        return;
    }
    input.close();
    say(d, valid_file_sentence);
    std::ostringstream text;
    write_gfs_table(text, table);
    save_output(d, output, text.str());
}
