#include "gfs/find_model_point.h"

#include "reading/reading.h"

#include <istream>
#include <sstream>
#include <string>

// The degrees after word in words, signed by the hemisphere word after them.
static bool read_degrees(std::istringstream& words, const char* word, char positive, char negative,
                         double& degrees) {
    words.clear();
    words.seekg(0);
    std::string w, number, side;
    while (words >> w) {
        if (w != word) continue;
        if (!(words >> number >> side) || !parse_number(number, degrees)) return false;
        if (side == std::string(1, positive)) return true;
        if (side != std::string(1, negative)) return false;
        degrees = -degrees;
        return true;
    }
    return false;
}

bool find_model_point(std::istream& in, long long end, double& latitude, double& longitude) {
    in.clear();
    if (!in.seekg(0)) return false;
    std::string line;
    while (static_cast<long long>(in.tellg()) < end && std::getline(in, line)) {
        if (line.compare(0, 6, "POINT:") != 0) continue;
        std::istringstream words(line.substr(6));
        double lat = 0, lon = 0;
        if (!read_degrees(words, "LAT", 'N', 'S', lat) ||
            !read_degrees(words, "LON", 'E', 'W', lon))
            return false;
        latitude = lat;
        longitude = lon;
        return true;
    }
    return false;
}
