#pragma once

#include "verify/verification.h"

#include <iosfwd>
#include <string>

// What verify shows of a verification: the table on standard output, the JSON document of
// the same numbers with every pair, the pairs as CSV, and the pairs in the text format of
// the verification tool Verif.

// "25 forecasts issued 2026-11-01 to 2026-11-25", or "1 forecast issued 2026-11-01".
std::string issued_period(const verification& result);

void write_verify_table(std::ostream& out, const verification& result);
std::string verify_json(const verification& result, const std::string& program);

// One line per pair under the header "issued,day,element,place,observed,window_start,
// window_end,source,first,second,issued_value"; a value there is none of is empty.
std::string pairs_csv(const verification& result);

// The forecasts of Verif's files: the issued blend (the city's), and each guidance alone.
enum class verif_forecast { issued, first, second };

// The pairs of one forecast under the header "date leadtime location lat lon altitude obs
// fcst": the issue date (YYYYMMDD), the hours from issue to the end of the guidance's
// window, the place (0 the city, 1 to 4 the stations in their order) and where it is.
std::string verif_text(const verification& result, verif_forecast forecast);
