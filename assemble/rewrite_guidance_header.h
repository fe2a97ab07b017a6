#pragma once

#include "ingest/bulletin_header.h"

#include <string>

// The header line of the bulletin file: line, whose words header holds, with the date word
// written as date_word. Everything else stays as received; the
// blanks before the date give or take what the new date word needs, so that the cycle word
// keeps its column where they can.
std::string rewrite_guidance_header(const std::string& line, const bulletin_header& header,
                                    const std::string& date_word);
