#pragma once

// One value of a chart and how it was made. A value missing altogether is NaN: it gets no
// mark and leaves a gap in its line.
struct chart_value {
    double value;
    bool fewer_stations; // made from fewer stations than usual (missing markers)
};
