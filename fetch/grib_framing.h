#pragma once

#include "fetch/grib_index.h"

#include <string>

// Whether bytes, got for range, are its GRIB2 messages whole: each begins with "GRIB" where
// the inventory says it does, is of edition 2, and ends with "7777" at the length its
// first section gives, right where the next begins or the bytes end. False, with why
// naming the message by its offset in the file, otherwise.
bool check_grib_messages(const std::string& bytes, const byte_range& range, std::string& why);
