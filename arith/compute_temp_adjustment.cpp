#include "arith/compute_temp_adjustment.h"

void compute_temp_adjustment(const gfs_row* rows, double* temp_adj, double* temp_plus,
                             double* temp_minus) {
    for (int i = 0; i < gfs_row_count; ++i) {
        const gfs_row& r = rows[i];
        double wind_term = (30 - r.wind_speed) * 0.1;
        double humidity_term = (100 - r.rh) * 0.03;
        double lapse_term = (r.t2m - r.t850) * 0.1;
        temp_adj[i] = (wind_term + humidity_term) + lapse_term;
        temp_plus[i] = r.t2m + temp_adj[i];
        temp_minus[i] = r.t2m - temp_adj[i];
    }
}
