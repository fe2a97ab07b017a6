#include "verify/input_kind.h"

#include "calendar/utc_time.h"

#include <istream>
#include <string>

// How far into a file to look for a CF6 product's marks: past any heading lines.
static const std::streamsize looked_at = 64 * 1024;

verify_input recognise_verify_input(std::istream& in) {
    const std::istream::pos_type start = in.tellg();
    std::string head(static_cast<std::size_t>(looked_at), '\0');
    in.read(&head[0], looked_at);
    head.resize(static_cast<std::size_t>(in.gcount()));
    in.clear();
    in.seekg(start);
    std::size_t at = head.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    while (at < head.size() &&
           (head[at] == ' ' || head[at] == '\t' || head[at] == '\r' || head[at] == '\n'))
        ++at;
    if (at < head.size() && head[at] == '{') return verify_input::forecast_document;
    if (in_capitals(head.substr(at, 8)) == "STATION,") return verify_input::mesonet_csv;
    if (head.find("WS FORM: F-6") != std::string::npos ||
        head.find("DY MAX MIN") != std::string::npos)
        return verify_input::cf6_product;
    return verify_input::unknown;
}
