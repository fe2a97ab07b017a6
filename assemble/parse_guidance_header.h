#pragma once

#include <cstddef>
#include <string>

// The words of a guidance bulletin's header line, "KBKX   NAM MOS GUIDANCE    3/04/2010
// 1200 UTC", and where the model and date words stand in the line.
struct guidance_header {
    std::string station, model, date_word, cycle;
    std::size_t model_at, date_at;
};

// True when the words of line are exactly STATION MODEL "MOS" "GUIDANCE" DATE CYCLE
// "UTC"; header then holds them. The line holds no framing characters.
bool parse_guidance_header(const std::string& line, guidance_header& header);
