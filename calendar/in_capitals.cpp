#include "calendar/utc_time.h"

std::string in_capitals(const char* name) {
    std::string text = name;
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}
