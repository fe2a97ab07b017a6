#include "assemble/scan_station_bulletins.h"

#include "ingest/bulletin_layout.h"
#include "reading/reading.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

// NOAAPort framing: the start and the end of a product, and the record separator that
// stands before each bulletin's station word.
static const char start_of_product = '\x01';
static const char end_of_product = '\x03';
static const char record_separator = '\x1e';
static const char byte_order_mark[] = "\xEF\xBB\xBF";

// Big blocks keep the line search in memchr; a line longer than a block is handed on in
// pieces.
static const std::size_t block_size = 1 << 18;

struct scan_state {
    const std::function<bool(const bulletin_header&)>& keep;
    const std::function<void(station_bulletin&)>& take;
    bool inside = false; // a kept bulletin is open
    station_bulletin current{};
    std::string line; // the line being looked at, without framing characters
};

static bool white(char c) {
    return is_white(static_cast<unsigned char>(c));
}

// Drops the last lines of text while they are blank.
static void drop_blank_tail(std::string& text) {
    while (text.size() > 1) {
        std::size_t start = text.rfind('\n', text.size() - 2);
        start = start == std::string::npos ? 0 : start + 1;
        if (start == 0 || !std::all_of(text.begin() + start, text.end(), white)) return;
        text.resize(start);
    }
}

static void end_bulletin(scan_state& s) {
    if (!s.inside) return;
    s.inside = false;
    drop_blank_tail(s.current.text);
    s.take(s.current);
}

// The line without record separators and without a byte-order mark at its start.
static void clean_line(const char* p, std::size_t n, std::string& line) {
    line.clear();
    for (std::size_t i = 0; i < n; ++i)
        if (p[i] != record_separator) line.push_back(p[i]);
    if (line.compare(0, 3, byte_order_mark) == 0) line.erase(0, 3);
}

// Only a line whose last word is "UTC" can be a header; this spares the others a word read.
static bool ends_in_utc(const char* p, std::size_t n) {
    while (n > 0 && white(p[n - 1])) --n;
    return n >= 3 && std::memcmp(p + n - 3, "UTC", 3) == 0 && (n == 3 || white(p[n - 4]));
}

// Headers of other stations matter only as the end of a kept bulletin, so most are passed
// over on their first word.
static bool starts_with_station(const std::string& line) {
    std::size_t at = 0;
    while (at < line.size() && white(line[at])) ++at;
    for (const char* id : station_ids)
        if (line.compare(at, 4, id) == 0 && (line.size() == at + 4 || white(line[at + 4])))
            return true;
    return false;
}

static bool is_station(const std::string& word) {
    return std::find(std::begin(station_ids), std::end(station_ids), word) != std::end(station_ids);
}

static bool is_end_line(const std::string& line) {
    std::size_t first = 0, last = line.size();
    while (first < last && white(line[first])) ++first;
    while (last > first && white(line[last - 1])) --last;
    return line.compare(first, last - first, "$$") == 0;
}

// word has the shape of pattern: 'A' an upper-case letter, '9' a digit, 'X' either.
static bool has_shape(const std::string& word, const char* pattern) {
    if (word.size() != std::strlen(pattern)) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        bool letter = word[i] >= 'A' && word[i] <= 'Z', digit = word[i] >= '0' && word[i] <= '9';
        if (pattern[i] == 'A' ? !letter : pattern[i] == '9' ? !digit : !letter && !digit)
            return false;
    }
    return true;
}

// A WMO heading, "FOUS46 KWNO 121200" with an optional "RRA" or "CCA": the start of a product
// saved without framing.
static bool is_wmo_heading(const std::string& line) {
    if (line.size() < 18 || line.size() > 40) return false;
    std::istringstream in(line);
    std::string words[5];
    int count = 0;
    while (count < 5 && read_word(in, words[count])) ++count;
    return (count == 3 || (count == 4 && has_shape(words[3], "AAA"))) &&
           has_shape(words[0], "AAAA99") && has_shape(words[1], "XXXX") &&
           has_shape(words[2], "999999");
}

// Drops the sequence-number line that stands before a WMO heading.
static void drop_sequence_line(std::string& text) {
    drop_blank_tail(text);
    std::size_t start = text.rfind('\n', text.size() - 2);
    if (start == std::string::npos) return;
    auto last = text.begin() + static_cast<std::ptrdiff_t>(start) + 1;
    bool digit = std::any_of(last, text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digit &&
        std::all_of(last, text.end(), [](char c) { return white(c) || (c >= '0' && c <= '9'); }))
        text.resize(start + 1);
}

static void append_line(station_bulletin& b, const std::string& line) {
    if (b.too_long) return;
    if (b.text.size() + line.size() + 1 > max_bulletin_size) {
        b.too_long = true;
        std::string().swap(b.text);
        return;
    }
    b.text += line;
    b.text += '\n';
}

// One line between framing characters; whole is false for a piece of a line longer than a
// block, which is never a header.
static void take_line(scan_state& s, const char* p, std::size_t n, bool whole) {
    while (n > 0 && p[n - 1] == '\r') --n;
    if (whole && ends_in_utc(p, n)) {
        clean_line(p, n, s.line);
        bulletin_header header;
        if ((s.inside || starts_with_station(s.line)) && parse_header_line(s.line, header)) {
            end_bulletin(s);
            if (is_station(header.station) && s.keep(header)) {
                s.inside = true;
                s.current.header = std::move(header);
                s.current.text = s.line + '\n';
                s.current.too_long = false;
            }
            return;
        }
    } else {
        if (!s.inside) return;
        clean_line(p, n, s.line);
    }
    if (!s.inside) return;
    if (is_end_line(s.line)) {
        end_bulletin(s);
    } else if (is_wmo_heading(s.line)) {
        if (!s.current.too_long) drop_sequence_line(s.current.text);
        end_bulletin(s);
    } else {
        append_line(s.current, s.line);
    }
}

// One line of the file: SOH and ETX end a product wherever they stand.
static void take_framed_line(scan_state& s, const char* p, std::size_t n, bool whole) {
    for (;;) {
        const char* soh = static_cast<const char*>(std::memchr(p, start_of_product, n));
        const char* etx = static_cast<const char*>(std::memchr(p, end_of_product, n));
        const char* mark = !soh ? etx : !etx ? soh : std::min(soh, etx);
        if (!mark) break;
        if (mark > p) take_line(s, p, static_cast<std::size_t>(mark - p), whole);
        end_bulletin(s);
        n -= static_cast<std::size_t>(mark - p) + 1;
        p = mark + 1;
        if (n == 0) return;
    }
    take_line(s, p, n, whole);
}

static bool read_problem(const std::string& file_name, fault& problem) {
    problem = fault{fault_kind::refused_input,
                    "cannot read " + file_name + ": " + std::strerror(errno), "", 0, -1};
    return false;
}

bool scan_station_bulletins(const std::string& file_name,
                            const std::function<bool(const bulletin_header&)>& keep,
                            const std::function<void(station_bulletin&)>& take, fault& problem) {
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(file_name.c_str(), "rb"),
                                                         std::fclose);
    if (!file) return read_problem(file_name, problem);
    // The blocks are read straight into the buffer below.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    std::vector<char> block(block_size);
    scan_state s{keep, take, false, {}, {}};
    std::size_t held = 0;   // characters of an unfinished line at the start of block
    bool continued = false; // they continue a line whose start went on as a piece
    for (;;) {
        errno = 0;
        std::size_t got = std::fread(block.data() + held, 1, block.size() - held, file.get());
        if (got == 0 && std::ferror(file.get())) return read_problem(file_name, problem);
        const char* data = block.data();
        const std::size_t size = held + got;
        std::size_t start = 0;
        while (const void* end = std::memchr(data + start, '\n', size - start)) {
            std::size_t stop = static_cast<std::size_t>(static_cast<const char*>(end) - data);
            take_framed_line(s, data + start, stop - start, !continued);
            continued = false;
            start = stop + 1;
        }
        if (got == 0) {
            if (start < size) take_framed_line(s, data + start, size - start, !continued);
            break;
        }
        held = size - start;
        if (held == block.size()) {
            take_framed_line(s, data, held, false);
            held = 0;
            continued = true;
        } else {
            std::memmove(block.data(), data + start, held);
        }
    }
    end_bulletin(s);
    return true;
}
