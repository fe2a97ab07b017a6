#pragma once

#include <cstdlib>
#include <string>

// The program under test and the source tree as built in. An environment variable of the
// same name overrides each, so that a copy of the build can run elsewhere, as another user.
inline std::string program_path() {
    const char* set = std::getenv("VUZAZAV_BINARY");
    return set && *set ? set : VUZAZAV_BINARY;
}

inline std::string source_path() {
    const char* set = std::getenv("VUZAZAV_SOURCE_DIR");
    return set && *set ? set : VUZAZAV_SOURCE_DIR;
}
