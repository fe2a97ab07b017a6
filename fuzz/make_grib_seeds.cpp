// make_grib_seeds DIR: seeds for the fuzzing of gfs-point, written by ecCodes as GFS
// writes its files: the fields the model file needs on a small grid around the city, of
// one hour in each packing GRIB2 files of the model come in and with a bitmap, and of a
// whole run, simply packed and packed as GFS packs it with the winds of each hour in one
// message.
#include "grib2_messages.h"

#include <eccodes.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// The field at hour on 8 by 6 points, 46 N to 41 N and 100 W to 93 W, packed as packing
// (ecCodes cannot pack fewer points as PNG).
std::string message(const grib2::field& f, long hour, const char* packing, bool bitmap) {
    codes_handle* h = grib2::eccodes_message(f, {8, 6, 46, 260, 41, 267, 1}, 16);
    grib2::set_hour(h, hour, f.length);
    std::vector<double> values(48);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = f.value + 0.5 * i;
    if (bitmap) {
        codes_set_long(h, "bitmapPresent", 1);
        values[47] = 9999;
    }
    grib2::set_values(h, values, packing);
    return grib2::take_message(h);
}

unsigned long number_at(const std::string& m, std::size_t at) {
    unsigned long n = 0;
    for (int i = 0; i < 4; ++i) n = n << 8 | static_cast<unsigned char>(m[at + i]);
    return n;
}

// One message of two fields: the first whole, then sections 4 to 7 of the second.
std::string two_fields(const std::string& first, const std::string& second) {
    std::size_t at = 16;
    while (second[at + 4] != 4) at += number_at(second, at);
    std::string both =
        first.substr(0, first.size() - 4) + second.substr(at, second.size() - 4 - at) + "7777";
    for (int i = 0; i < 8; ++i)
        both[8 + i] =
            static_cast<char>(static_cast<unsigned long long>(both.size()) >> (8 * (7 - i)));
    return both;
}

bool write(const std::string& path, const std::string& bytes) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    return out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size() &&
           std::fclose(out) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string dir = argv[1];
    const char* packings[] = {"grid_simple", "grid_complex", "grid_complex_spatial_differencing",
                              "grid_jpeg",   "grid_ccsds",   "grid_png",
                              "grid_ieee"};
    const std::vector<grib2::field> fields = grib2::gfs_fields();
    bool good = true;
    // One hour in each packing, and with a bitmap: quick to read.
    for (const char* packing : packings) {
        std::string hour;
        for (const grib2::field& f : fields) hour += message(f, 96, packing, false);
        good = good && write(dir + "/" + packing + "-96", hour);
    }
    std::string bitmap;
    for (const grib2::field& f : fields) bitmap += message(f, 96, "grid_simple", true);
    good = good && write(dir + "/bitmap-96", bitmap);
    // Whole runs, which reach the model file: simply packed, and packed as GFS packs it with
    // the winds of each hour in one message.
    std::string run, winds;
    for (long h = 6; h <= 288; h += 6) {
        for (const grib2::field& f : fields) {
            run += message(f, h, "grid_simple", false);
            if (f.category != 2) winds += message(f, h, "grid_complex_spatial_differencing", false);
        }
        winds += two_fields(message(fields[10], h, "grid_complex_spatial_differencing", false),
                            message(fields[11], h, "grid_complex_spatial_differencing", false));
    }
    good = good && write(dir + "/run", run) && write(dir + "/winds", winds);
    return good ? 0 : 1;
}
