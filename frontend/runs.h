#pragma once

#include "frontend/dialogue.h"

// Menu option 4: asks for a bulletin file and an ETA weight, prints the day table and
// writes the report file.
void run_1200_model(dialogue& d);

// Menu option 1: asks for a GFS model file and writes its fifteen-column table file.
void run_gfs_model(dialogue& d);
