#pragma once

// Menu option 1: asks for a GFS model file and writes its fifteen-column table file.
void run_gfs_model();
