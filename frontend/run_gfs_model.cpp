#include "diagnostics/sentences.h"
#include "frontend/ask_file_name.h"
#include "frontend/runs.h"
#include "gfs/compute_gfs_table.h"
#include "gfs/load_gfs_file.h"
#include "gfs/write_gfs_table.h"
#include "reading/places.h"

#include <sstream>

void run_gfs_model(dialogue& d) {
    std::string name, output;
    std::ifstream input;
    if (!ask_file_name(d, name, input, output)) return;
    gfs_model model;
    gfs_table_row table[gfs_row_count];
    fault why;
    bool ok = load_gfs_file(input, name, model, why);
    if (ok && !compute_gfs_table(model, table, why)) {
        why.file = name;
        place_line(input, why);
        ok = false;
    }
    if (!ok) {
        refuse(d, why);
        return;
    }
    input.close();
    say(d, valid_file_sentence);
    std::ostringstream text;
    write_gfs_table(text, table);
    save_output(d, output, text.str());
}
