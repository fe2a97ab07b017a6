#include "gfs/find_model_run.h"

#include "calendar/bulletin_date.h"
#include "reading/reading.h"

#include <istream>
#include <string>

bool find_model_run(std::istream& in, long long end, utc_time& time) {
    in.clear();
    if (!in.seekg(0)) return false;
    std::string word;
    while (find_label(in, "MODEL", end)) {
        if (!read_word(in, word) || word != "RUN:") continue;
        std::string words[6];
        for (std::string& w : words)
            if (!read_word(in, w)) return false;
        return parse_model_run(words, time);
    }
    return false;
}
