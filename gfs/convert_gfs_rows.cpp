#include "gfs/convert_gfs_rows.h"

#include "arith/compute_temp_adjustment.h"
#include "arith/unit_conversions.h"

void convert_gfs_rows(gfs_row* rows, double* temp_adj, double* temp_plus, double* temp_minus) {
    // The adjustment's wind reference is in miles per hour and its temperatures in
    // Celsius, so only the wind is converted before it.
    for (int i = 0; i < gfs_row_count; ++i) rows[i].wind_speed = knots_to_mph(rows[i].wind_speed);
    compute_temp_adjustment(rows, temp_adj, temp_plus, temp_minus);
    for (int i = 0; i < gfs_row_count; ++i) {
        gfs_row& r = rows[i];
        r.mslp = hpa_to_inhg(r.mslp);
        r.t2m = celsius_to_fahrenheit(r.t2m);
        r.t850 = celsius_to_fahrenheit(r.t850);
        r.t700 = celsius_to_fahrenheit(r.t700);
        r.t500 = celsius_to_fahrenheit(r.t500);
        r.precip = mm_to_inches(r.precip);
        // A temperature difference: it scales, but takes no offset.
        temp_adj[i] = temp_adj[i] * 1.8;
        temp_plus[i] = celsius_to_fahrenheit(temp_plus[i]);
        temp_minus[i] = celsius_to_fahrenheit(temp_minus[i]);
    }
}
