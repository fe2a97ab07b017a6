#include "diagnostics/diagnostics.h"

#include <ostream>

void diagnose(const diagnostics& to, const std::string& what) {
    if (to.dialogue) to.dialogue->flush();
    *to.sink << to.program << ": " << printable(what) << std::endl;
}

std::string fault_line(const fault& why) {
    if (why.file.empty()) return why.what;
    // These say what the file is: "week.out is the input file itself".
    if (why.kind == fault_kind::output_is_input || why.kind == fault_kind::same_output)
        return why.file + " " + why.what;
    const std::string place = why.line > 0 ? why.file + ":" + std::to_string(why.line) : why.file;
    return place + ": " + why.what;
}

std::size_t utf8_length_at(const std::string& text, std::size_t at) {
    auto byte = [&](std::size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const unsigned lead = byte(0);
    if (at >= text.size()) return 0;
    if (lead < 0x80) return 1;
    // The second byte's range rules out overlong forms, surrogates and code points beyond
    // U+10FFFF; the later ones are plain continuation bytes.
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf) {
        length = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0) low = 0xa0;
        if (lead == 0xed) high = 0x9f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0) low = 0x90;
        if (lead == 0xf4) high = 0x8f;
    } else {
        return 0;
    }
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xbf) return 0;
    return length;
}

std::string printable(const std::string& text) {
    static const char hex[] = "0123456789abcdef";
    std::string shown;
    shown.reserve(text.size());
    auto escape = [&](unsigned char c) {
        shown += "\\x";
        shown += hex[c >> 4];
        shown += hex[c & 15];
    };
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[at]);
        const std::size_t length = utf8_length_at(text, at);
        // U+0080 to U+009F, the C1 controls, are C2 80 to C2 9F.
        const bool control =
            c < 0x20 || c == 0x7f ||
            (length == 2 && c == 0xc2 && static_cast<unsigned char>(text[at + 1]) < 0xa0);
        if (length == 0 || control) {
            for (std::size_t i = 0; i < (length ? length : 1); ++i)
                escape(static_cast<unsigned char>(text[at + i]));
            at += length ? length : 1;
        } else {
            shown.append(text, at, length);
            at += length;
        }
    }
    return shown;
}
