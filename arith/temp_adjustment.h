#pragma once

// The 2 m temperature adjustment of one GFS hour, and the 2 m temperature raised and
// lowered by it.
struct temp_adjustment {
    double adj, plus, minus;
};

// From wind, humidity and the 2 m to 850 hPa difference, in whatever units the caller
// holds them (the GFS run passes miles per hour and degrees C); nothing is clamped, so a
// strong wind or an inversion makes it negative and plus then lies below minus.
temp_adjustment compute_temp_adjustment(double t2m, double t850, double rh, double wind_speed);
