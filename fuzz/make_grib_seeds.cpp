// make_grib_seeds DIR: seeds for the fuzzing of gfs-point, written by ecCodes as GFS
// writes its files: the fields the model file needs on a small grid around the city, of
// one hour in each packing GRIB2 files of the model come in and with a bitmap, and of a
// whole run, simply packed and packed as GFS packs it with the winds of each hour in one
// message.
#include <eccodes.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct kind {
    long category, number, surface, level, statistics, length;
    double value;
};

const kind fields[] = {
    {3, 1, 101, 0, -1, 0, 101325}, {0, 0, 103, 2, -1, 0, 271.15}, {0, 0, 100, 850, -1, 0, 265},
    {0, 0, 100, 700, -1, 0, 258},  {0, 0, 100, 500, -1, 0, 245},  {3, 5, 100, 500, -1, 0, 5600},
    {3, 5, 100, 1000, -1, 0, 120}, {1, 1, 103, 2, -1, 0, 70},     {1, 8, 1, 0, 1, 6, 1.5},
    {6, 1, 10, 0, 0, 6, 40},       {2, 2, 103, 10, -1, 0, 3},     {2, 3, 103, 10, -1, 0, -4},
};

// The field at hour on 8 by 6 points, 46 N to 41 N and 100 W to 93 W, packed as packing
// (ecCodes cannot pack fewer points as PNG).
std::string message(const kind& k, long hour, const char* packing, bool bitmap) {
    codes_handle* h = codes_grib_handle_new_from_samples(nullptr, "GRIB2");
    codes_set_long(h, "centre", 7);
    codes_set_long(h, "dataDate", 20261209);
    codes_set_long(h, "dataTime", 1200);
    codes_set_long(h, "productDefinitionTemplateNumber", k.statistics < 0 ? 0 : 8);
    codes_set_long(h, "parameterCategory", k.category);
    codes_set_long(h, "parameterNumber", k.number);
    codes_set_long(h, "typeOfFirstFixedSurface", k.surface);
    if (k.surface == 100 || k.surface == 103) {
        codes_set_long(h, "scaleFactorOfFirstFixedSurface", 0);
        codes_set_long(h, "scaledValueOfFirstFixedSurface",
                       k.surface == 100 ? k.level * 100 : k.level);
    }
    codes_set_long(h, "forecastTime", hour - k.length);
    if (k.statistics >= 0) {
        codes_set_long(h, "typeOfStatisticalProcessing", k.statistics);
        codes_set_long(h, "lengthOfTimeRange", k.length);
    }
    codes_set_long(h, "Ni", 8);
    codes_set_long(h, "Nj", 6);
    codes_set_double(h, "latitudeOfFirstGridPointInDegrees", 46);
    codes_set_double(h, "longitudeOfFirstGridPointInDegrees", 260);
    codes_set_double(h, "latitudeOfLastGridPointInDegrees", 41);
    codes_set_double(h, "longitudeOfLastGridPointInDegrees", 267);
    codes_set_double(h, "iDirectionIncrementInDegrees", 1);
    codes_set_double(h, "jDirectionIncrementInDegrees", 1);
    codes_set_long(h, "bitsPerValue", 16);
    std::vector<double> values(48);
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = k.value + 0.5 * i;
    if (bitmap) {
        codes_set_long(h, "bitmapPresent", 1);
        values[47] = 9999;
    }
    codes_set_double_array(h, "values", values.data(), values.size());
    size_t length = 0;
    codes_set_string(h, "packingType", packing, &length);
    const void* bytes = nullptr;
    size_t size = 0;
    codes_get_message(h, &bytes, &size);
    std::string text(static_cast<const char*>(bytes), size);
    codes_handle_delete(h);
    return text;
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
    bool good = true;
    // One hour in each packing, and with a bitmap: quick to read.
    for (const char* packing : packings) {
        std::string hour;
        for (const kind& k : fields) hour += message(k, 96, packing, false);
        good = good && write(dir + "/" + packing + "-96", hour);
    }
    std::string bitmap;
    for (const kind& k : fields) bitmap += message(k, 96, "grid_simple", true);
    good = good && write(dir + "/bitmap-96", bitmap);
    // Whole runs, which reach the model file: simply packed, and packed as GFS packs it with
    // the winds of each hour in one message.
    std::string run, winds;
    for (long h = 6; h <= 288; h += 6) {
        for (const kind& k : fields) {
            run += message(k, h, "grid_simple", false);
            if (k.category != 2) winds += message(k, h, "grid_complex_spatial_differencing", false);
        }
        winds += two_fields(message(fields[10], h, "grid_complex_spatial_differencing", false),
                            message(fields[11], h, "grid_complex_spatial_differencing", false));
    }
    good = good && write(dir + "/run", run) && write(dir + "/winds", winds);
    return good ? 0 : 1;
}
