#pragma once

#include <iosfwd>

// Reads the point of a GFS model file from its preamble, the text of the stream before
// position end: the first "LAT 44.05 N" and "LON 97.20 W" of the line that starts with
// "POINT:", as degrees north and east. Returns false, with both unchanged, when there is
// no such line or it lacks either.
bool find_model_point(std::istream& in, long long end, double& latitude, double& longitude);
