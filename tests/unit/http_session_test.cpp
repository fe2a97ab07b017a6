#include "fetch/http_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// No more than per_minute requests to a paced host in any 60 seconds, however the clock's
// whole seconds fall; hosts not named, and files, are never held back.
TEST(HttpSession, PacesTheNamedHostsOnly) {
    request_pace pace{{{"nomads.ncep.noaa.gov"}, 3}, {}};
    const std::string nomads = "https://user@NOMADS.ncep.noaa.gov:443/pub/data/nccf/com/x";
    long long now = 100;
    std::vector<long long> made;
    for (int i = 0; i < 10; ++i) {
        now += pace_request(pace, nomads, now);
        made.push_back(now);
        EXPECT_EQ(pace_request(pace, "http://127.0.0.1:8080/com/x", now), 0);
        EXPECT_EQ(pace_request(pace, "file:///srv/nomads.ncep.noaa.gov/x", now), 0);
    }
    EXPECT_EQ(made, (std::vector<long long>{100, 100, 100, 161, 161, 161, 222, 222, 222, 283}));
    // A request after a long quiet goes at once.
    EXPECT_EQ(pace_request(pace, nomads, 1000), 0);
}

} // namespace
