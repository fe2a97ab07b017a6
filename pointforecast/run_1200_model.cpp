#include "pointforecast/run_1200_model.h"

void run_1200_model() {}
