#include "ingest/read_temp_pop.h"
bool read_temp_pop(std::int32_t*, std::int32_t*, std::int32_t*, const char*, const bulletin_layout&) { return false; }
