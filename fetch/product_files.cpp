#include "fetch/product_files.h"

#include "fetch/gfs_point_messages.h"

#include <cstdio>

std::vector<product_file> product_files(fetch_product product, const utc_time& date, int cycle) {
    char day[16], hh[8];
    std::snprintf(day, sizeof day, "%04d%02d%02d", date.year % 10000, date.month % 100,
                  date.day % 100);
    std::snprintf(hh, sizeof hh, "%02d", cycle % 100);
    const std::string ymd = day, c = hh, run = ymd + c;
    switch (product) {
    case fetch_product::nbs:
        return {{product, "blend/prod/blend." + ymd + "/" + c + "/text/blend_nbstx.t" + c + "z",
                 run, 0}};
    case fetch_product::mav:
        return {{product, "gfs_mos/prod/gfs_mos." + ymd + "/mdl_gfsmav.t" + c + "z", run, 0}};
    case fetch_product::mex:
        return {{product, "gfs_mos/prod/gfs_mos." + ymd + "/mdl_gfsmex.t00z", ymd + "00", 0}};
    case fetch_product::gfs:
        break;
    }
    const std::string hours =
        "gfs/prod/gfs." + ymd + "/" + c + "/atmos/gfs.t" + c + "z.pgrb2.0p25.f";
    std::vector<product_file> files;
    for (int hour = first_gfs_hour; hour <= last_gfs_hour; hour += gfs_hour_step) {
        char f[8];
        std::snprintf(f, sizeof f, "%03d", hour);
        files.push_back({product, hours + f, run, hour});
    }
    return files;
}

std::string saved_name(const product_file& file) {
    return file.path.substr(file.path.rfind('/') + 1);
}

const char* product_word(fetch_product product) {
    switch (product) {
    case fetch_product::nbs:
        return "nbs";
    case fetch_product::mav:
        return "mav";
    case fetch_product::mex:
        return "mex";
    case fetch_product::gfs:
        break;
    }
    return "gfs";
}
