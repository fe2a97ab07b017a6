#include "reading/reading.h"
#include "reading/reading_start.h"

bool read_mark(std::istream& in, char& mark) {
    std::streambuf* buf = start_item(in);
    if (!buf) return false;
    mark = static_cast<char>(buf->sbumpc());
    return true;
}
