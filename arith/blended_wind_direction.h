#pragma once

#include <cstdint>

// The blended wind direction (tens of degrees) of one hour from eight directions and the
// eight speeds of the same stations and models (ETA first, as in a model_pair). Left out
// are the directions not present and the calm ones (direction 0 at speed 0). When the
// directions left span north (largest minus smallest above 18), 36 is added to those below
// 18 before the blend and taken off a result of 36 or more. With none left the result is
// 0 if one was calm; returns false, leaving direction alone, when none was even calm.
bool blended_wind_direction(double first_weight, double second_weight,
                            const std::int32_t* directions, const std::int32_t* speeds,
                            const bool* present, double& direction);
