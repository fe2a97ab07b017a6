#include "frontend/read_choice.h"

#include "reading/reading.h"

#include <ostream>

bool read_choice(std::istream& in, std::ostream& echo, std::string& choice) {
    const std::string::size_type keep = 16;
    std::streambuf* buf = start_item(in);
    if (!buf) return false;
    choice.clear();
    bool echoing = false;
    int c = buf->sgetc();
    do {
        if (echoing) {
            echo.put(static_cast<char>(c));
        } else if (choice.size() < keep) {
            choice.push_back(static_cast<char>(c));
        } else {
            echo << choice;
            echo.put(static_cast<char>(c));
            choice.clear();
            echoing = true;
        }
        c = buf->snextc();
    } while (c != EOF && !is_white(c));
    if (c == EOF) in.setstate(std::ios::eofbit);
    return true;
}
