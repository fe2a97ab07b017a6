#include "grib/grib_message.h"

#include <eccodes.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace {

// The longest section the reader keeps: a grid, product or packing template is some
// dozens of bytes, a local section some hundreds.
const long long longest_kept_section = 1 << 20;

// Bytes a section must have for the reader to find what it reads in it: the templates'
// numbers and the bitmap indicator.
long long shortest_section(int number) {
    switch (number) {
    case 1:
        return 21;
    case 3:
        return 14;
    case 4:
        return 9;
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

unsigned long long number_at(const std::string& bytes, std::size_t at, int n) {
    return number_at(reinterpret_cast<const unsigned char*>(bytes.data()) + at, n);
}

// A sign-and-magnitude number, as GRIB2 writes negative ones.
long long signed_at(const std::string& bytes, std::size_t at, int n) {
    const unsigned long long raw = number_at(bytes, at, n);
    const unsigned long long sign = 1ULL << (8 * n - 1);
    return raw & sign ? -static_cast<long long>(raw & ~sign) : static_cast<long long>(raw);
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
    if (head[7] != 2) {
        why = {fault_kind::refused_input,
               place(file) + ": GRIB edition " + std::to_string(head[7]) + ", not GRIB2",
               file.name};
        return false;
    }
    file.discipline = head[6];
    const unsigned long long length = number_at(head + 8, 8);
    if (length < 16 + 4 || length > static_cast<unsigned long long>(file.size - at))
        return damaged(file, "its length " + std::to_string(length) + " runs past the file's end",
                       why);
    const long long end = at + static_cast<long long>(length) - 4;
    file.next = end + 4;
    grib_field_layout field{-1, -1, -1, -1, -1, -1, -1};
    int before = 0, last_bitmap = -1;
    long long p = at + 16;
    while (p < end) {
        unsigned char header[5];
        if (end - p < 5 || !read_at(file, p, header, 5))
            return damaged(file,
                           "section " + std::to_string(before) + " is followed by " +
                               std::to_string(end - p) + " bytes, no section",
                           why);
        const long long size = static_cast<long long>(number_at(header, 4));
        const int number = header[4];
        const std::string name = "section " + std::to_string(number);
        if (!may_follow(before, number))
            return damaged(file, name + " follows section " + std::to_string(before), why);
        if (size < shortest_section(number) || size > end - p)
            return damaged(file,
                           name + "'s length " + std::to_string(size) +
                               (size > end - p ? " runs past the message's end"
                                               : " is too short for its contents"),
                           why);
        grib_section s{number, p, size, ""};
        const bool kept = number <= 5;
        if (kept && size > longest_kept_section)
            return damaged(file, name + "'s length " + std::to_string(size) + " is implausible",
                           why);
        if (kept || number == 6) {
            s.bytes.resize(static_cast<std::size_t>(kept ? size : 6));
            if (!read_at(file, p, &s.bytes[0], static_cast<long long>(s.bytes.size())))
                return damaged(file, "the file cannot be read in " + name, why);
        }
        const int index = static_cast<int>(file.sections.size());
        file.sections.push_back(std::move(s));
        switch (number) {
        case 1:
            field.identification = index;
            break;
        case 2:
            field.local = index;
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
            const int indicator = static_cast<unsigned char>(file.sections[index].bytes[5]);
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

// The parameter, surface and level of a field, from its product section: octets 10-11 and
// 23-28 in every template from 4.0 to 4.15.
void raw_keys(const grib_file& file, const grib_field_layout& field, message_keys& keys) {
    keys = {file.discipline, -1, -1, -1, -1, -1, -1, -1};
    const std::string& product = file.sections[field.product].bytes;
    if (product.size() < 11) return;
    keys.category = product[9] & 0xff;
    keys.number = product[10] & 0xff;
    const unsigned long long templ = number_at(product, 7, 2);
    if (templ > 15 || product.size() < 28) return;
    keys.surface = product[22] & 0xff;
    // The level in the surface's unit, which ecCodes gives for pressure in hectopascals.
    const long long scale = signed_at(product, 23, 1);
    double level = static_cast<double>(number_at(product, 24, 4));
    for (long long i = 0; i < scale && i < 20; ++i) level /= 10;
    for (long long i = 0; i > scale && i > -20; --i) level *= 10;
    if (keys.surface == 100) level /= 100;
    keys.level = level == std::floor(level) && level < 1e9 ? static_cast<long>(level) : -1;
}

// The field's sections as a message of their own.
bool assemble_field(grib_file& file, const grib_field_layout& field, fault& why) {
    const int parts[] = {field.identification, field.local,  field.grid, field.product,
                         field.representation, field.bitmap, field.data};
    long long length = 16 + 4;
    for (int part : parts)
        if (part >= 0) length += file.sections[part].length;
    file.bytes.resize(static_cast<std::size_t>(length));
    unsigned char* out = file.bytes.data();
    const char start[] = "GRIB\0\0";
    std::copy(start, start + 6, out);
    out[6] = static_cast<unsigned char>(file.discipline);
    out[7] = 2;
    for (int i = 0; i < 8; ++i) out[8 + i] = static_cast<unsigned char>(length >> (8 * (7 - i)));
    out += 16;
    for (int part : parts) {
        if (part < 0) continue;
        const grib_section& s = file.sections[part];
        if (static_cast<long long>(s.bytes.size()) == s.length)
            std::copy(s.bytes.begin(), s.bytes.end(), out);
        else if (!read_at(file, s.at, out, s.length))
            return damaged(file, "the file cannot be read in section " + std::to_string(s.number),
                           why);
        out += s.length;
    }
    const char end[] = "7777";
    std::copy(end, end + 4, out);
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
    if (!assemble_field(file, file.fields[file.field - 1], why)) return false;
    grib_handle* h = codes_handle_new_from_message(nullptr, file.bytes.data(), file.bytes.size());
    if (!h) return refuse_message(file, "ecCodes cannot read it", why);
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

bool read_run(const grib_file& file, utc_time& run, fault&) {
    const long date = field_long(file, "dataDate", 0), time = field_long(file, "dataTime", 0);
    run = {static_cast<int>(date / 10000), static_cast<int>(date / 100 % 100),
           static_cast<int>(date % 100), static_cast<int>(time / 100)};
    return true;
}

bool read_grid(const grib_file& file, regular_grid& grid, fault& why) {
    grib_handle* h = file.handle.get();
    char type[64] = "";
    size_t length = sizeof type;
    if (codes_get_string(h, "gridType", type, &length) != CODES_SUCCESS ||
        std::string(type) != "regular_ll")
        return refuse_message(file,
                              "the grid is " + std::string(*type ? type : "of no known type") +
                                  "; only a regular latitude/longitude grid (regular_ll) is read",
                              why);
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
    return true;
}

bool read_value_at(const grib_file& file, long index, double& value, bool& missing, fault& why) {
    grib_handle* h = file.handle.get();
    const int error = codes_get_double_element(h, "values", static_cast<int>(index), &value);
    if (error != CODES_SUCCESS)
        return refuse_message(
            file, "its values cannot be decoded: " + std::string(codes_get_error_message(error)),
            why);
    // Complex packing may keep missing values in the data itself, with no bitmap.
    const bool marked = handle_long(h, "bitmapPresent", 0) != 0 ||
                        handle_long(h, "missingValueManagementUsed", 0) != 0;
    missing = marked && value == handle_double(h, "missingValue");
    return true;
}
