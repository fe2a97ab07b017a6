#pragma once

#include "ingest/bulletin_date.h"

#include <string>

// The date word as the bulletins write it: month without, day with a leading zero, and
// the year in four digits ("3/04/2010", "12/31/2019").
std::string format_bulletin_date(const bulletin_date& date);
