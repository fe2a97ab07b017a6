#pragma once

#include "arith/stations.h"

// The city value of one quantity from its station values. Every sum adds in station
// order, and the first model before the second: printed digits depend on that order.

// The sum of the four station values under station_weights.
double weighted_station_sum(const station_set& set);
// The same of values that are already doubles (sky covers in tenths, observations).
double weighted_station_sum(const double (&set)[station_count]);

// The city value when some stations lack it: with p the weighted sum of the values of the
// stations present and w the sum of their weights, the result is (p / w) times the sum of
// all four weights, so that equal values v still give v times that sum. With all four
// present it is weighted_station_sum exactly. Returns false, leaving sum alone, when no
// station is present.
bool present_station_sum(const station_set& set, const station_presence& present, double& sum);
bool present_station_sum(const double (&set)[station_count], const station_presence& present,
                         double& sum);

// first_weight times the weighted sum of pair.first plus second_weight times that of
// pair.second. The weights need not add up to 1: outside 0 to 1 they extrapolate.
double blended_station_sum(double first_weight, double second_weight, const model_pair& pair);

// blended_station_sum when some of the eight values are absent: each model's stations are
// summed as present_station_sum does and blended; when one model has no station present,
// the other model's sum alone is the result. With all eight present it is
// blended_station_sum exactly. Returns false, leaving sum alone, when no value is present.
bool present_blended_sum(double first_weight, double second_weight, const model_pair& pair,
                         const pair_presence& present, double& sum);

// The blended wind direction (tens of degrees) of one hour from the directions and the
// speeds of both models' stations. Left out are the directions not present and the calm
// ones (direction 0 at speed 0). When the directions left span north (largest minus
// smallest above 18), 36 is added to those below 18 before the blend and taken off a
// result of 36 or more. With none left the result is 0 if one was calm; returns false,
// leaving direction alone, when none was even calm.
bool blended_wind_direction(double first_weight, double second_weight, const model_pair& directions,
                            const model_pair& speeds, const pair_presence& present,
                            double& direction);
