#include "ingest/read_sky_wind.h"
bool read_sky_wind(std::int32_t*, std::int32_t*, std::int32_t*, const char*, const bulletin_layout&) { return false; }
