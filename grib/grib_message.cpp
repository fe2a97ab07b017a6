#include "grib/grib_message.h"

#include <eccodes.h>

#include <algorithm>
#include <bitset>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

// A message's claims are checked before ecCodes decodes anything: it trusts lengths and
// counts, and a lying one has it read freed or foreign memory, abort, or take the memory
// the message claims. The limits below bound what one message can cost.

namespace {

// The most points a grid may have: the 0.25 degree global grid has 1,038,240.
const unsigned long long most_points = 2000000;
// The longest field that is decoded: 64 bits for each of the most points, and a bitmap.
const long long longest_field = 24LL << 20;
// The longest section the reader keeps: a grid, product or packing template is some
// dozens of bytes.
const long long longest_kept_section = 1 << 20;
// The most fields one message may hold (NCEP packs two, the winds).
const std::size_t most_fields = 1000;
// The widest value or group width any packing here may have, in bits.
const int widest_value = 32;

// Bytes a section must have for the reader to find what it reads in it: the templates'
// numbers and the bitmap indicator.
long long shortest_section(int number) {
    switch (number) {
    case 1:
        return 21;
    case 3:
        return 14;
    case 4:
    case 5:
        return 11;
    case 6:
        return 6;
    default:
        return 5;
    }
}

unsigned long long number_at(const unsigned char* p, int n) {
    unsigned long long value = 0;
    for (int i = 0; i < n; ++i) value = value << 8 | p[i];
    return value;
}

const unsigned char* bytes_of(const std::string& text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

// A sign-and-magnitude number, as GRIB2 writes negative ones.
long long signed_at(const unsigned char* p, int n) {
    const unsigned long long raw = number_at(p, n);
    const unsigned long long sign = 1ULL << (8 * n - 1);
    return raw & sign ? -static_cast<long long>(raw & ~sign) : static_cast<long long>(raw);
}

// n bits (at most 64) from bit on of p, the first the most significant.
unsigned long long bits_at(const unsigned char* p, unsigned long long bit, int n) {
    unsigned long long value = 0;
    for (int i = 0; i < n; ++i, ++bit) value = value << 1 | ((p[bit >> 3] >> (7 - (bit & 7))) & 1U);
    return value;
}

unsigned long long whole_bytes(unsigned long long bits) {
    return (bits + 7) / 8;
}

std::string place(const grib_file& file) {
    return "message " + std::to_string(file.message) + " (at byte " +
           std::to_string(file.message_at) + ")";
}

bool damaged(const grib_file& file, const std::string& what, fault& why) {
    why = {fault_kind::refused_input, place(file) + ": " + what, file.name};
    return false;
}

// Reads n bytes at at; a read that goes on from the last needs no seek, which would cost
// a system call.
bool read_at(grib_file& file, long long at, void* into, long long n) {
    if (at != file.position && fseeko(file.in.get(), at, SEEK_SET) != 0) {
        file.position = -1;
        return false;
    }
    const bool read = std::fread(into, 1, static_cast<std::size_t>(n), file.in.get()) ==
                      static_cast<std::size_t>(n);
    file.position = read ? at + n : -1;
    return read;
}

// Where the next message starts, at or after from: a file may hold other bytes between
// messages, as ecCodes allows. -1 when no "GRIB" follows.
long long find_message(grib_file& file, long long from) {
    char block[1 << 16];
    while (from + 4 <= file.size) {
        const long long n = std::min<long long>(sizeof block, file.size - from);
        if (!read_at(file, from, block, n)) return -1;
        for (long long i = 0; i + 4 <= n; ++i) {
            const void* hit = std::memchr(block + i, 'G', static_cast<std::size_t>(n - i - 3));
            if (!hit) break;
            i = static_cast<const char*>(hit) - block;
            if (std::memcmp(block + i, "GRIB", 4) == 0) return from + i;
        }
        from += n - 3;
    }
    return -1;
}

// Which section may follow section number: a message repeats its sections 2 to 7, 3 to 7
// or 4 to 7 for each further field, and 8 is its end.
bool may_follow(int before, int number) {
    switch (before) {
    case 0:
        return number == 1;
    case 1:
        return number == 2 || number == 3;
    case 7:
        return number == 2 || number == 3 || number == 4 || number == 8;
    default:
        return number == before + 1;
    }
}

// Walks the message at at: its sections, in order, each within it, then "7777".
bool walk_message(grib_file& file, long long at, fault& why) {
    file.message_at = at;
    file.sections.clear();
    file.fields.clear();
    file.field = 0;
    unsigned char head[16];
    if (!read_at(file, at, head, sizeof head))
        return damaged(file, "the file ends within the message's first 16 bytes", why);
    if (std::memcmp(head, "GRIB", 4) != 0) return damaged(file, "no \"GRIB\" where it starts", why);
    if (head[7] != 2)
        return damaged(file, "GRIB edition " + std::to_string(head[7]) + ", not GRIB2", why);
    file.discipline = head[6];
    const unsigned long long length = number_at(head + 8, 8);
    if (length > static_cast<unsigned long long>(file.size - at))
        return damaged(file, "its length " + std::to_string(length) + " runs past the file's end",
                       why);
    if (length < 16 + 4)
        return damaged(file, "its length " + std::to_string(length) + " is too short", why);
    const long long end = at + static_cast<long long>(length) - 4;
    file.next = end + 4;
    grib_field_layout field{-1, -1, -1, -1, -1, -1};
    int before = 0, last_bitmap = -1;
    long long kept = 0;
    for (long long p = at + 16; p < end;) {
        unsigned char header[5];
        if (end - p < 5 || !read_at(file, p, header, 5))
            return damaged(file,
                           std::to_string(end - p) + " bytes after section " +
                               std::to_string(before) + " hold no section",
                           why);
        const long long size = static_cast<long long>(number_at(header, 4));
        const int number = header[4];
        const std::string name = "section " + std::to_string(number);
        if (!may_follow(before, number))
            return damaged(file, name + " follows section " + std::to_string(before), why);
        if (size > end - p)
            return damaged(
                file, name + "'s length " + std::to_string(size) + " runs past the message's end",
                why);
        if (size < shortest_section(number))
            return damaged(
                file, name + "'s length " + std::to_string(size) + " is too short for its contents",
                why);
        grib_section s{number, p, size, ""};
        // Of section 1 its fixed part, of the bitmap its indicator: the rest, the local
        // section and the data are read only for a field that is decoded.
        const long long keep = number == 1                  ? 21
                               : number == 6                ? 6
                               : number == 2 || number == 7 ? 0
                                                            : size;
        kept += keep;
        if (keep > longest_kept_section || kept > 16 * longest_kept_section)
            return damaged(file, name + "'s length " + std::to_string(size) + " is implausible",
                           why);
        s.bytes.resize(static_cast<std::size_t>(keep));
        if (keep > 0 && !read_at(file, p, &s.bytes[0], keep))
            return damaged(file, "the file cannot be read in " + name, why);
        const int index = static_cast<int>(file.sections.size());
        file.sections.push_back(std::move(s));
        switch (number) {
        case 1:
            field.identification = index;
            break;
        case 2: // the local section
            break;
        case 3:
            field.grid = index;
            break;
        case 4:
            field.product = index;
            break;
        case 5:
            field.representation = index;
            break;
        case 6: {
            // 254: the bitmap given before in the same message.
            const int indicator = bytes_of(file.sections[index].bytes)[5];
            if (indicator == 254 && last_bitmap < 0)
                return damaged(file, "section 6 takes a bitmap from before, but there is none",
                               why);
            if (indicator == 0) last_bitmap = index;
            field.bitmap = indicator == 254 ? last_bitmap : index;
            break;
        }
        default:
            field.data = index;
            file.fields.push_back(field);
            if (file.fields.size() > most_fields)
                return damaged(
                    file, "it holds more than " + std::to_string(most_fields) + " fields", why);
        }
        before = number;
        p += size;
    }
    char tail[4];
    if (!read_at(file, end, tail, 4) || std::memcmp(tail, "7777", 4) != 0)
        return damaged(file, "no \"7777\" where its length says it ends", why);
    if (before != 7) return damaged(file, "it ends after section " + std::to_string(before), why);
    return true;
}

// The length a product template needs (at least its fixed part), or -1 for a template
// the reader does not decode: 4.0 and 4.1 at a point in time, 4.8 and 4.11 over periods,
// of one model or one ensemble member.
long long product_length(const unsigned char* product, long long length) {
    const unsigned long long templ = number_at(product + 7, 2);
    const long long coordinates = 4 * static_cast<long long>(number_at(product + 5, 2));
    long long fixed = templ == 0 ? 34 : templ == 1 ? 37 : templ == 8 ? 58 : templ == 11 ? 61 : -1;
    if (fixed < 0 || length < fixed) return fixed;
    // Each further time range takes 12 bytes.
    if (templ == 8 || templ == 11) {
        const long long ranges = product[templ == 8 ? 41 : 44];
        if (ranges < 1) return -1;
        fixed += 12 * (ranges - 1);
    }
    return fixed + coordinates;
}

// The parameter, surface and level of a field from its product section.
void raw_keys(const grib_file& file, const grib_field_layout& field, message_keys& keys) {
    keys = {file.discipline, -1, -1, -1, -1, -1, -1, -1};
    const grib_section& s = file.sections[field.product];
    const unsigned char* product = bytes_of(s.bytes);
    if (product_length(product, s.length) < 0 || s.length < 28) return;
    keys.category = product[9];
    keys.number = product[10];
    keys.surface = product[22];
    // The level in the surface's unit, which ecCodes gives for pressure in hectopascals.
    const long long scale = signed_at(product + 23, 1);
    double level = static_cast<double>(number_at(product + 24, 4));
    for (long long i = 0; i < scale && i < 20; ++i) level /= 10;
    for (long long i = 0; i > scale && i > -20; --i) level *= 10;
    if (keys.surface == 100) level /= 100;
    keys.level = level == std::floor(level) && level < 1e9 ? static_cast<long>(level) : -1;
}

// The field's sections as a message of its own: section 1 without what follows its
// fixed part, no local section (no field read here needs it, and ecCodes would take it
// apart by the centre's own layouts), the others whole.
bool assemble_field(grib_file& file, const grib_field_layout& field, fault& why) {
    const int parts[] = {field.identification, field.grid,   field.product,
                         field.representation, field.bitmap, field.data};
    long long length = 16 + 21 + 4;
    for (int i = 1; i < 6; ++i) length += file.sections[parts[i]].length;
    if (length > longest_field)
        return damaged(file,
                       "its field of " + std::to_string(length) +
                           " bytes is longer than any this reader decodes",
                       why);
    file.bytes.resize(static_cast<std::size_t>(length));
    unsigned char* out = file.bytes.data();
    const char start[] = "GRIB\0\0";
    std::copy(start, start + 6, out);
    out[6] = static_cast<unsigned char>(file.discipline);
    out[7] = 2;
    for (int i = 0; i < 8; ++i) out[8 + i] = static_cast<unsigned char>(length >> (8 * (7 - i)));
    std::size_t at = 16;
    std::size_t* const offsets[] = {&file.parts.identification, &file.parts.grid,
                                    &file.parts.product,        &file.parts.packing,
                                    &file.parts.bitmap,         &file.parts.data};
    for (int i = 0; i < 6; ++i) {
        const grib_section& s = file.sections[parts[i]];
        const long long size = i == 0 ? 21 : s.length;
        *offsets[i] = at;
        if (static_cast<long long>(s.bytes.size()) == size || i == 0)
            std::copy(s.bytes.begin(), s.bytes.begin() + size, out + at);
        else if (!read_at(file, s.at, out + at, size))
            return damaged(file, "the file cannot be read in section " + std::to_string(s.number),
                           why);
        if (i == 0) {
            const unsigned char fixed_length[4] = {0, 0, 0, 21};
            std::copy(fixed_length, fixed_length + 4, out + at);
        }
        at += static_cast<std::size_t>(size);
    }
    const char end[] = "7777";
    std::copy(end, end + 4, out + at);
    return true;
}

// The grid types ecCodes names, for a refusal: the templates of section 3 that GRIB2
// files most often have.
std::string grid_name(unsigned long long templ) {
    switch (templ) {
    case 1:
        return "rotated_ll";
    case 10:
        return "mercator";
    case 20:
        return "polar_stereographic";
    case 30:
        return "lambert";
    case 40:
        return "regular_gg";
    case 50:
        return "sh";
    default:
        return "of template 3." + std::to_string(templ);
    }
}

bool check_grid(grib_file& file, fault& why) {
    const unsigned char* grid = file.bytes.data() + file.parts.grid;
    const unsigned long long templ = number_at(grid + 12, 2);
    if (templ != 0)
        return damaged(file,
                       "the grid is " + grid_name(templ) +
                           "; only a regular latitude/longitude grid (regular_ll) is read",
                       why);
    if (grid[5] != 0 || grid[10] != 0 || number_at(grid, 4) != 72)
        return damaged(file, "its grid section is not that of a regular latitude/longitude grid",
                       why);
    const unsigned long long points = number_at(grid + 6, 4), ni = number_at(grid + 30, 4),
                             nj = number_at(grid + 34, 4);
    if (ni == 0 || nj == 0 || ni * nj != points)
        return damaged(file,
                       "its grid of " + std::to_string(ni) + " by " + std::to_string(nj) +
                           " points claims " + std::to_string(points),
                       why);
    if (points > most_points)
        return damaged(file,
                       "its grid claims " + std::to_string(points) + " points, more than " +
                           std::to_string(most_points),
                       why);
    file.parts.points = points;
    return true;
}

// The bits complex packing (templates 5.2 and 5.3) keeps its groups in: each group's
// reference value, width and length, then the values of each group at its width.
struct complex_groups {
    unsigned long long count; // groups
    int reference_bits, width_bits, length_bits;
    unsigned long long reference_width, reference_length, length_increment, last_length;
    unsigned long long references, widths, lengths, values; // bit offsets in the data
};

// The groups' layout as the packing section gives it.
complex_groups groups_layout(const unsigned char* packing, int templ) {
    complex_groups g{};
    g.count = number_at(packing + 31, 4);
    g.reference_bits = packing[19];
    g.reference_width = packing[35];
    g.width_bits = packing[36];
    g.reference_length = number_at(packing + 37, 4);
    g.length_increment = packing[41];
    g.last_length = number_at(packing + 42, 4);
    g.length_bits = packing[46];
    // Spatial differencing puts its first values and their least difference first; an
    // order of 0 (as ecCodes writes a field it does not difference) has none.
    g.references = templ == 3 && packing[47] > 0 ? 8ULL * (packing[47] + 1) * packing[48] : 0;
    g.widths = g.references + 8 * whole_bytes(g.count * g.reference_bits);
    g.lengths = g.widths + 8 * whole_bytes(g.count * g.width_bits);
    g.values = g.lengths + 8 * whole_bytes(g.count * g.length_bits);
    return g;
}

unsigned long long group_width(const complex_groups& g, const unsigned char* data,
                               unsigned long long i) {
    return g.reference_width + bits_at(data, g.widths + i * g.width_bits, g.width_bits);
}

unsigned long long group_length(const complex_groups& g, const unsigned char* data,
                                unsigned long long i) {
    if (i + 1 == g.count) return g.last_length;
    return g.reference_length +
           g.length_increment * bits_at(data, g.lengths + i * g.length_bits, g.length_bits);
}

// Whether the data of complex packing hold the values its groups describe; wrong says
// what does not hold.
void check_groups(const unsigned char* packing, int templ, const unsigned char* data,
                  unsigned long long data_bytes, unsigned long long values, std::string& wrong) {
    const complex_groups g = groups_layout(packing, templ);
    if (packing[22] > 2) wrong = "its missing value management " + std::to_string(packing[22]);
    if (g.count > values || (values > 0 && g.count == 0))
        wrong = std::to_string(g.count) + " groups for " + std::to_string(values) + " values";
    if (g.width_bits > widest_value || g.length_bits > widest_value)
        wrong = "groups described in more than " + std::to_string(widest_value) + " bits";
    if (templ == 3 &&
        (packing[47] > 2 || (packing[47] > 0 && (packing[48] < 1 || packing[48] > 4))))
        wrong = "spatial differencing of order " + std::to_string(packing[47]) + " in " +
                std::to_string(packing[48]) + " bytes";
    if (!wrong.empty()) return;
    if (whole_bytes(g.values) > data_bytes) {
        wrong = "its " + std::to_string(g.count) + " groups' descriptions run past its data";
        return;
    }
    unsigned long long held = 0, value_bits = 0;
    for (unsigned long long i = 0; i < g.count; ++i) {
        const unsigned long long width = group_width(g, data, i), length = group_length(g, data, i);
        if (width > widest_value || length > values - held) {
            wrong =
                "group " + std::to_string(i + 1) + " of " + std::to_string(g.count) +
                (width > widest_value ? " is wider than " + std::to_string(widest_value) + " bits"
                                      : " holds more than the values");
            return;
        }
        held += length;
        value_bits += width * length;
    }
    if (held != values)
        wrong = "its groups hold " + std::to_string(held) + " of its " + std::to_string(values) +
                " values";
    else if (whole_bytes(g.values + value_bits) > data_bytes)
        wrong = "its values run past its data";
}

// Whether the value at index of complex-packed data that keeps missing values is one:
// all ones at its group's width (or, in a group of width 0, as the group's reference), or
// one less where a second missing value is kept.
bool complex_missing_at(const unsigned char* packing, const unsigned char* data,
                        unsigned long long index) {
    const complex_groups g = groups_layout(packing, packing[10] == 3 ? 3 : 2);
    unsigned long long first = 0, bits = g.values;
    for (unsigned long long i = 0; i < g.count; ++i) {
        const unsigned long long width = group_width(g, data, i), length = group_length(g, data, i);
        if (index < first + length) {
            const int w = width ? static_cast<int>(width) : g.reference_bits;
            const unsigned long long value =
                width ? bits_at(data, bits + (index - first) * width, w)
                      : bits_at(data, g.references + i * g.reference_bits, w);
            const unsigned long long ones = w ? (~0ULL >> (64 - w)) : 0;
            return w > 0 && (value == ones || (packing[22] == 2 && value == ones - 1));
        }
        first += length;
        bits += width * length;
    }
    return false;
}

// Whether a PNG image of the values holds together: its signature, its header with the
// image's size and pixels of the values' bits (ecCodes reads whole bytes, three and four
// of them as RGB and RGBA pixels), then chunks that end with the end chunk right at the
// data's end. ecCodes aborts where a chunk runs past the data, where the pixels are not
// the values' bytes, and where bytes follow the end chunk.
void check_png(const unsigned char* data, unsigned long long bytes, unsigned long long values,
               int bits, std::string& wrong) {
    const unsigned char signature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};
    if (bytes < 8 || !std::equal(signature, signature + 8, data)) {
        wrong = "no PNG image";
        return;
    }
    for (unsigned long long at = 8; at + 12 <= bytes;) {
        const unsigned long long length = number_at(data + at, 4);
        const unsigned char* type = data + at + 4;
        if (length > bytes - at - 12) break;
        if (at == 8) {
            const unsigned long long width = number_at(data + 16, 4),
                                     height = number_at(data + 20, 4);
            if (std::memcmp(type, "IHDR", 4) != 0 || length != 13 || width > values ||
                height > values || width * height != values) {
                wrong = "its PNG image is not one of its " + std::to_string(values) + " values";
                return;
            }
            const int colour = data[25];
            const int depth = colour == 2 ? 24 : colour == 6 ? 32 : data[24];
            if (depth != (bits + 7) / 8 * 8) {
                wrong = "its PNG image's " + std::to_string(depth) +
                        "-bit pixels do not hold values of " + std::to_string(bits) + " bits";
                return;
            }
        }
        at += 12 + length;
        if (std::memcmp(type, "IEND", 4) == 0) {
            if (at != bytes)
                wrong = std::to_string(bytes - at) + " bytes follow its PNG image's end";
            return;
        }
    }
    wrong = "its PNG image runs past its data";
}

// Whether a JPEG 2000 code stream of the values starts as one of their size: one
// component, in at most 1,024 tiles, so that decoding it costs what its values do.
void check_jpeg(const unsigned char* data, unsigned long long bytes, unsigned long long values,
                std::string& wrong) {
    // The start of the code stream, then the image and tile size marker.
    const unsigned char start[4] = {0xff, 0x4f, 0xff, 0x51};
    if (bytes < 4 + 41 || !std::equal(start, start + 4, data) || number_at(data + 4, 2) != 41 ||
        number_at(data + 40, 2) != 1) {
        wrong = "no JPEG 2000 code stream of one component";
        return;
    }
    const unsigned long long x = number_at(data + 8, 4), y = number_at(data + 12, 4),
                             x0 = number_at(data + 16, 4), y0 = number_at(data + 20, 4),
                             tile_x = number_at(data + 24, 4), tile_y = number_at(data + 28, 4),
                             tile_x0 = number_at(data + 32, 4), tile_y0 = number_at(data + 36, 4);
    const unsigned long long width = x > x0 ? x - x0 : 0, height = y > y0 ? y - y0 : 0;
    if (width > values || height > values || width * height != values) {
        wrong = "its JPEG 2000 image is not one of its " + std::to_string(values) + " values";
        return;
    }
    if (tile_x == 0 || tile_y == 0 || tile_x0 > x0 || tile_y0 > y0 ||
        ((x - tile_x0 + tile_x - 1) / tile_x) * ((y - tile_y0 + tile_y - 1) / tile_y) > 1024)
        wrong = "its JPEG 2000 image in tiles of " + std::to_string(tile_x) + " by " +
                std::to_string(tile_y);
}

// The packing's template, and whether its data hold the values section 5 counts, and
// those match the grid through the bitmap.
bool check_packing(grib_file& file, fault& why) {
    const unsigned char* packing = file.bytes.data() + file.parts.packing;
    const unsigned char* bitmap = file.bytes.data() + file.parts.bitmap;
    const unsigned char* data = file.bytes.data() + file.parts.data + 5;
    const unsigned long long packing_length = number_at(packing, 4);
    const unsigned long long bitmap_length = number_at(bitmap, 4);
    const unsigned long long data_bytes = number_at(data - 5, 4) - 5;
    const unsigned long long values = number_at(packing + 5, 4), points = file.parts.points;
    const unsigned long long templ = number_at(packing + 9, 2);
    const std::string name = "packing template 5." + std::to_string(templ);
    const unsigned long long needed = templ == 0    ? 21
                                      : templ == 2  ? 47
                                      : templ == 3  ? 49
                                      : templ == 4  ? 12
                                      : templ == 40 ? 23
                                      : templ == 41 ? 21
                                      : templ == 42 ? 25
                                                    : 0;
    if (needed == 0) return damaged(file, name + " is not read", why);
    if (packing_length < needed)
        return damaged(file, name + " in " + std::to_string(packing_length) + " bytes", why);
    // The values held: every point, or those the bitmap marks.
    const int indicator = bitmap[5];
    if (indicator != 0 && indicator != 255)
        return damaged(file, "predefined bitmap " + std::to_string(indicator) + " is not read",
                       why);
    unsigned long long present = points;
    if (indicator == 0) {
        if (bitmap_length < 6 + whole_bytes(points))
            return damaged(file,
                           "its bitmap of " + std::to_string(bitmap_length - 6) +
                               " bytes is short of its " + std::to_string(points) + " points",
                           why);
        present = 0;
        for (unsigned long long i = 0; i < points / 8; ++i)
            present += std::bitset<8>(bitmap[6 + i]).count();
        for (unsigned long long i = points / 8 * 8; i < points; ++i)
            present += bits_at(bitmap + 6, i, 1);
    }
    if (values != present)
        return damaged(file,
                       "it holds " + std::to_string(values) + " values for " +
                           std::to_string(present) +
                           (indicator == 0 ? " points of its bitmap" : " points of its grid"),
                       why);
    const int bits = templ == 4 ? 0 : packing[19];
    if (bits > widest_value)
        return damaged(file, name + " of " + std::to_string(bits) + " bits a value", why);
    std::string wrong;
    if (templ == 0 && whole_bytes(values * bits) > data_bytes)
        wrong = "its " + std::to_string(values) + " values of " + std::to_string(bits) +
                " bits run past its data";
    if (templ == 4 && (packing[11] < 1 || packing[11] > 2))
        wrong = "IEEE precision " + std::to_string(packing[11]);
    else if (templ == 4 && values * (packing[11] == 1 ? 4 : 8) > data_bytes)
        wrong = "its " + std::to_string(values) + " IEEE values run past its data";
    if (templ == 2 || templ == 3)
        check_groups(packing, static_cast<int>(templ), data, data_bytes, values, wrong);
    if (templ == 40 && bits > 0) check_jpeg(data, data_bytes, values, wrong);
    if (templ == 41 && bits > 0) check_png(data, data_bytes, values, bits, wrong);
    if (templ == 42) {
        const int block = packing[22];
        const unsigned long long reference_interval = number_at(packing + 23, 2);
        if (block < 8 || block > 64 || block % 8 != 0 || reference_interval == 0)
            wrong = "CCSDS blocks of " + std::to_string(block) + " values, " +
                    std::to_string(reference_interval) + " to a reference";
    }
    if (!wrong.empty()) return damaged(file, name + ": " + wrong, why);
    return true;
}

bool check_product(grib_file& file, fault& why) {
    const unsigned char* product = file.bytes.data() + file.parts.product;
    const long long length = static_cast<long long>(number_at(product, 4));
    const long long needed = product_length(product, length);
    if (needed != length)
        return damaged(file,
                       "product template 4." + std::to_string(number_at(product + 7, 2)) + " in " +
                           std::to_string(length) + " bytes",
                       why);
    return true;
}

long handle_long(grib_handle* h, const char* key, long otherwise) {
    long value = 0;
    return codes_get_long(h, key, &value) == CODES_SUCCESS ? value : otherwise;
}

double handle_double(grib_handle* h, const char* key) {
    double value = 0;
    return codes_get_double(h, key, &value) == CODES_SUCCESS ? value : 0.0;
}

// ecCodes would print its own errors on standard error; the refusals say them instead.
void keep_quiet(const codes_context*, int, const char*) {}

} // namespace

bool open_grib_file(const std::string& name, grib_file& file, fault& why) {
    file.name = name;
    file.in.reset(std::fopen(name.c_str(), "rb"));
    if (!file.in || fseeko(file.in.get(), 0, SEEK_END) != 0 ||
        (file.size = ftello(file.in.get())) < 0) {
        file.in.reset();
        why = {fault_kind::missing_file, "cannot be opened", name};
        return false;
    }
    file.handle = std::unique_ptr<grib_handle, int (*)(grib_handle*)>(nullptr, codes_handle_delete);
    codes_context_set_logging_proc(codes_context_get_default(), keep_quiet);
    return true;
}

grib_next next_grib_field(grib_file& file, message_keys& keys, fault& why) {
    file.handle.reset();
    if (file.field >= file.fields.size()) {
        // Messages mostly follow each other directly.
        char start[4];
        const bool next_here = file.next + 4 <= file.size && read_at(file, file.next, start, 4) &&
                               std::memcmp(start, "GRIB", 4) == 0;
        const long long at = next_here ? file.next : find_message(file, file.next);
        if (at < 0) {
            if (file.message > 0) return grib_next::end;
            why = {fault_kind::refused_input, "no GRIB2 file: it holds no GRIB message", file.name};
            return grib_next::refused;
        }
        ++file.message;
        if (!walk_message(file, at, why)) return grib_next::refused;
    }
    raw_keys(file, file.fields[file.field++], keys);
    return grib_next::field;
}

bool decode_grib_field(grib_file& file, message_keys& keys, fault& why) {
    if (!assemble_field(file, file.fields[file.field - 1], why) || !check_grid(file, why) ||
        !check_product(file, why) || !check_packing(file, why))
        return false;
    grib_handle* h = codes_handle_new_from_message(nullptr, file.bytes.data(), file.bytes.size());
    if (!h) return damaged(file, "ecCodes cannot read it", why);
    file.handle.reset(h);
    keys.discipline = handle_long(h, "discipline", -1);
    keys.category = handle_long(h, "parameterCategory", -1);
    keys.number = handle_long(h, "parameterNumber", -1);
    keys.surface = handle_long(h, "typeOfFirstFixedSurface", -1);
    keys.level = handle_long(h, "level", -1);
    keys.statistics = handle_long(h, "typeOfStatisticalProcessing", -1);
    keys.start = handle_long(h, "startStep", -1);
    keys.end = handle_long(h, "endStep", -1);
    return true;
}

bool refuse_message(const grib_file& file, const std::string& what, fault& why) {
    why.kind = fault_kind::refused_input;
    why.file = file.name;
    why.what = "message " + std::to_string(file.message) + ": " + what;
    return false;
}

long field_long(const grib_file& file, const char* key, long otherwise) {
    return handle_long(file.handle.get(), key, otherwise);
}

bool read_run(const grib_file& file, utc_time& run, fault& why) {
    const unsigned char* s = file.bytes.data() + file.parts.identification;
    run = {static_cast<int>(number_at(s + 12, 2)), s[14], s[15], s[16]};
    if (is_real_time(run) && s[17] == 0 && s[18] == 0) return true;
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", s[16], s[17], s[18]);
    return refuse_message(file,
                          "its model run, year " + std::to_string(run.year) + " month " +
                              std::to_string(run.month) + " day " + std::to_string(run.day) +
                              " at " + time + ", is no real date and time on the hour",
                          why);
}

bool read_grid(const grib_file& file, regular_grid& grid, fault& why) {
    grib_handle* h = file.handle.get();
    grid.ni = handle_long(h, "Ni", 0);
    grid.nj = handle_long(h, "Nj", 0);
    grid.first_latitude = handle_double(h, "latitudeOfFirstGridPointInDegrees");
    grid.first_longitude = handle_double(h, "longitudeOfFirstGridPointInDegrees");
    grid.last_latitude = handle_double(h, "latitudeOfLastGridPointInDegrees");
    grid.last_longitude = handle_double(h, "longitudeOfLastGridPointInDegrees");
    // A grid may leave its increment out (its flags say so).
    grid.i_increment = handle_long(h, "iDirectionIncrementGiven", 0)
                           ? handle_double(h, "iDirectionIncrementInDegrees")
                           : 0.0;
    grid.i_negative = handle_long(h, "iScansNegatively", 0) != 0;
    grid.j_consecutive = handle_long(h, "jPointsAreConsecutive", 0) != 0;
    if (handle_long(h, "alternativeRowScanning", 0) != 0)
        return refuse_message(file, "rows scanned in alternate directions are not supported", why);
    if (!(std::fabs(grid.first_latitude) <= 90) || !(std::fabs(grid.last_latitude) <= 90) ||
        !(std::fabs(grid.first_longitude) <= 360) || !(std::fabs(grid.last_longitude) <= 360) ||
        !(grid.i_increment >= 0 && grid.i_increment <= 360))
        return refuse_message(file, "its grid's corners or step are no places on the earth", why);
    return true;
}

bool read_value_at(const grib_file& file, long index, double& value, bool& missing, fault& why) {
    const unsigned char* packing = file.bytes.data() + file.parts.packing;
    const unsigned char* bitmap = file.bytes.data() + file.parts.bitmap;
    const unsigned char* data = file.bytes.data() + file.parts.data + 5;
    const auto at = static_cast<unsigned long long>(index);
    const unsigned long long templ = number_at(packing + 9, 2);
    if (index < 0 || at >= file.parts.points)
        return refuse_message(file, "its grid has no point " + std::to_string(index), why);
    if (bitmap[5] == 0)
        missing = bits_at(bitmap + 6, at, 1) == 0;
    else
        missing =
            (templ == 2 || templ == 3) && packing[22] != 0 && complex_missing_at(packing, data, at);
    if (missing) return true;
    const int error =
        codes_get_double_element(file.handle.get(), "values", static_cast<int>(index), &value);
    if (error != CODES_SUCCESS)
        return refuse_message(
            file, "its values cannot be decoded: " + std::string(codes_get_error_message(error)),
            why);
    return true;
}
