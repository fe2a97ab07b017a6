#pragma once

// Value rounded half away from zero to a multiple of 1 / per_unit (10 for tenths), without
// a negative zero.
double round_at(double value, int per_unit);
