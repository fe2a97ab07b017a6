#pragma once

#include "ingest/bulletin_header.h"

#include "diagnostics/fault.h"

#include <cstddef>
#include <functional>
#include <string>

// The most text a kept bulletin may hold. Real bulletins hold about two thousand
// characters, so a longer one is one whose end went unrecognised.
inline constexpr std::size_t max_bulletin_size = 64 * 1024;

// One bulletin as received: its header line and the lines after it, each ending in "\n",
// without framing characters, line-end characters, heading lines and trailing blank lines.
struct station_bulletin {
    bulletin_header header;
    std::string text;
    bool too_long; // holds more than max_bulletin_size; text is then empty
};

// Reads the product file a block at a time and hands take, which may move from it, every
// bulletin of KBKX, KHON, KMHE or KFSD whose header keep accepts; nothing else is kept. A
// bulletin ends before the next header, a "$$" line, a WMO heading, an SOH or ETX, or the
// end of the file. Returns false, with problem naming the file and the system's reason,
// when the file cannot be opened or read to its end.
bool scan_station_bulletins(const std::string& file_name,
                            const std::function<bool(const bulletin_header&)>& keep,
                            const std::function<void(station_bulletin&)>& take, fault& problem);
