#include "fetch/grib_framing.h"

#include <cstdint>

bool check_grib_messages(const std::string& bytes, const byte_range& range, std::string& why) {
    const auto size = static_cast<std::uint64_t>(bytes.size());
    for (std::size_t i = 0; i < range.messages.size(); ++i) {
        const std::uint64_t at = range.messages[i] - range.first;
        const std::uint64_t next =
            i + 1 < range.messages.size() ? range.messages[i + 1] - range.first : size;
        const std::string where = "the message at byte " + std::to_string(range.messages[i]);
        // Section 0: "GRIB", two reserved bytes, the discipline, the edition, and the whole
        // message's length in eight bytes.
        if (next > size || next - at < 16 || bytes.compare(at, 4, "GRIB") != 0) {
            why = where + " does not begin with GRIB";
            return false;
        }
        if (bytes[at + 7] != 2) {
            why = where + " is of GRIB edition " +
                  std::to_string(static_cast<unsigned char>(bytes[at + 7])) + ", not 2";
            return false;
        }
        std::uint64_t length = 0;
        for (int k = 8; k < 16; ++k)
            length = length << 8 | static_cast<unsigned char>(bytes[at + k]);
        if (length != next - at || bytes.compare(at + length - 4, 4, "7777") != 0) {
            why = where + " does not end with 7777 at its length of " + std::to_string(length) +
                  " bytes (" + std::to_string(next - at) + " came)";
            return false;
        }
    }
    return true;
}
