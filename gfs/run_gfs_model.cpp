#include "gfs/run_gfs_model.h"

void run_gfs_model() {}
