#pragma once

#include "arith/stations.h"

// The blended wind direction (tens of degrees) of one hour from the directions and the
// speeds of both models' stations. Left out are the directions not present and the calm
// ones (direction 0 at speed 0). When the directions left span north (largest minus
// smallest above 18), 36 is added to those below 18 before the blend and taken off a
// result of 36 or more. With none left the result is 0 if one was calm; returns false,
// leaving direction alone, when none was even calm.
bool blended_wind_direction(double first_weight, double second_weight, const model_pair& directions,
                            const model_pair& speeds, const pair_presence& present,
                            double& direction);
