#pragma once

// Shared by the fuzz targets that build values rather than files: the fuzzed bytes taken
// in turn as numbers, zeros once they run out.

#include "calendar/utc_time.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

struct fuzz_bytes {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at;
};

template <typename T> T take(fuzz_bytes& bytes) {
    unsigned char raw[sizeof(T)] = {};
    std::size_t n = bytes.size - bytes.at < sizeof(T) ? bytes.size - bytes.at : sizeof(T);
    std::memcpy(raw, bytes.data + bytes.at, n);
    bytes.at += n;
    T value;
    std::memcpy(&value, raw, sizeof(T));
    return value;
}

// A value either of any bit pattern (NaN, infinities, huge) or, more often, a plausible
// one in tenths, so that most inputs reach the drawing rather than only its clamps.
inline double take_value(fuzz_bytes& bytes, bool raw) {
    return raw ? take<double>(bytes) : take<std::int16_t>(bytes) / 10.0;
}

// A time from five bytes: year, month, day and hour, whatever they hold.
inline utc_time take_time(fuzz_bytes& bytes) {
    // Braces evaluate in order, so the fields take the bytes as they stand.
    return utc_time{take<std::int16_t>(bytes), take<std::int8_t>(bytes), take<std::int8_t>(bytes),
                    take<std::int8_t>(bytes)};
}

// Up to length bytes as text.
inline std::string take_text(fuzz_bytes& bytes, std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length && bytes.at < bytes.size; ++i)
        text += static_cast<char>(bytes.data[bytes.at++]);
    return text;
}

// What every chart must be, whatever it shows: as many groups closed as opened, and no
// number a stream could not write ("nan", "inf") unless the file name brought the word.
inline bool chart_is_sound(const std::string& svg, const std::string& file_name) {
    std::size_t opened = 0, closed = 0;
    for (std::size_t at = svg.find("<g"); at != std::string::npos; at = svg.find("<g", at + 1))
        ++opened;
    for (std::size_t at = svg.find("</g>"); at != std::string::npos; at = svg.find("</g>", at + 1))
        ++closed;
    if (opened != closed) return false;
    // As a number ends: before a quote, a tag, a blank or a comma ("dominant" is no number).
    for (const char* word : {"nan", "inf"}) {
        if (file_name.find(word) != std::string::npos) continue;
        for (char end : {'"', '<', ' ', ','})
            if (svg.find(std::string(word) + end) != std::string::npos) return false;
    }
    return svg.rfind("</svg>\n") == svg.size() - 7;
}
