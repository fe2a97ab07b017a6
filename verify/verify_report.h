#pragma once

#include "verify/verification.h"

#include <iosfwd>
#include <string>

// What verify shows of a verification: the table on standard output and the JSON
// document of the same numbers.

// "25 forecasts issued 2026-11-01 to 2026-11-25", or "1 forecast issued 2026-11-01".
std::string issued_period(const verification& result);

void write_verify_table(std::ostream& out, const verification& result);
std::string verify_json(const verification& result, const std::string& program);
