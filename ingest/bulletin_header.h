#pragma once

#include <array>
#include <iosfwd>
#include <string>

// The header line of a guidance bulletin, "KBKX   ETA MOS GUIDANCE    3/04/2010  1200 UTC":
// its words and the byte positions where they start in the stream they were read from
// (-1 where not known). The bulletin file, the assembler and the chart all read headers
// through this one parser.
struct bulletin_header {
    std::string station, model;
    std::string version;             // "V5.0" after the model word "NBM" where the bulletin has one
    std::array<std::string, 2> kind; // "MOS GUIDANCE" in a MOS bulletin; unread by the 1200 run
    std::string date_word, cycle;
    long long station_at = -1, model_at = -1, date_at = -1, cycle_at = -1;
};

// Reads the five words that follow the station word: model, the two kind words, date and
// cycle, noting where each starts; after the model word "NBM" a version word ("V5.0")
// may come first. False at the end of input before the cycle word.
bool read_header_words(std::istream& in, bulletin_header& header);

// Whether line, whole, is a header: STATION MODEL "MOS" "GUIDANCE" DATE CYCLE "UTC" (or
// STATION "NBM" [VERSION] "NBS" "GUIDANCE" DATE CYCLE "UTC") and nothing else; header then holds
// its words and their columns in the line.
bool parse_header_line(const std::string& line, bulletin_header& header);

// The hour of a cycle word written hhmm ("1200" is 12), or -1 when it is no whole hour.
int cycle_hour(const std::string& cycle);
