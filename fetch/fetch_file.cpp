#include "fetch/fetch_file.h"

#include "diagnostics/diagnostics.h"
#include "fetch/gfs_point_messages.h"
#include "fetch/grib_framing.h"
#include "fetch/grib_index.h"
#include "files/output_writer.h"

#include <filesystem>
#include <system_error>

namespace {

// Beyond any real answer (the national NBS product is tens of megabytes, an inventory tens
// of kilobytes, a GRIB2 message of the GFS one or two megabytes), so that a server that
// sends without end cannot take all the memory.
const long long most_bytes = 256LL << 20;
const long long most_index_bytes = 16LL << 20;

// The size of the regular file at path; false for none.
bool size_in_folder(const std::string& path, long long& size) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const auto bytes = std::filesystem::file_size(path, error);
    if (error) return false;
    size = static_cast<long long>(bytes);
    return true;
}

file_outcome outcome_of(const transfer& t, const std::string& what) {
    switch (t.end) {
    case transfer_end::absent:
        return {file_state::absent, what + ": not on the server (" + t.why + ")"};
    case transfer_end::refused:
        return {file_state::refused, what + ": " + t.why};
    default:
        return {file_state::failed, what + ": " + t.why};
    }
}

file_outcome refusal(const std::string& where, const std::string& why) {
    return {file_state::refused, where + ": " + why};
}

file_outcome kept(const std::string& target, long long size) {
    return {file_state::kept,
            target + " is complete (" + std::to_string(size) + " bytes): not downloaded again"};
}

file_outcome save(const std::string& target, const std::string& bytes, const std::string& how) {
    fault why;
    if (!write_run_output(target, bytes, why)) return {file_state::not_written, fault_line(why)};
    return {file_state::fetched, "wrote " + target + " (" + how + ")"};
}

file_outcome fetch_text(http_session& session, const std::string& url, const std::string& target) {
    long long have = 0;
    if (size_in_folder(target, have)) {
        const transfer t = http_size(session, url);
        if (t.end != transfer_end::complete) return outcome_of(t, url);
        if (t.size == have) return kept(target, have);
    }
    std::string body;
    const transfer t = http_get(session, url, "", most_bytes, body);
    if (t.end != transfer_end::complete) return outcome_of(t, url);
    return save(target, body, std::to_string(body.size()) + " bytes from " + url);
}

file_outcome fetch_gfs_hour(http_session& session, const std::string& url,
                            const std::string& target, const product_file& file) {
    const std::string index_url = url + ".idx";
    std::string text;
    const transfer t = http_get(session, index_url, "", most_index_bytes, text);
    if (t.end != transfer_end::complete) return outcome_of(t, index_url);
    std::vector<index_line> lines;
    std::string why;
    if (!read_grib_index(text, lines, why)) return {file_state::refused, index_url + ": " + why};
    for (const index_line& line : lines) {
        if (line.run != file.run)
            return {file_state::refused,
                    index_url + ": lists the run " + line.run + ", not " + file.run};
    }
    const std::string missing = missing_gfs_point_fields(lines, file.hour);
    if (!missing.empty())
        return {file_state::refused,
                index_url + ": lists no " + missing + " at hour " + std::to_string(file.hour)};
    const std::vector<byte_range> ranges = wanted_ranges(
        lines, [&file](const index_line& l) { return gfs_point_reads(l, file.hour); });

    long long closed = 0, have = 0;
    std::size_t messages = 0;
    for (const byte_range& r : ranges) {
        if (r.last >= 0) closed += r.last - r.first + 1;
        messages += r.messages.size();
    }
    if (size_in_folder(target, have)) {
        long long want = closed;
        // Only the file's size tells where its last message ends.
        if (ranges.back().last < 0) {
            const transfer size = http_size(session, url);
            if (size.end != transfer_end::complete) return outcome_of(size, url);
            want += size.size - ranges.back().first;
        }
        if (have == want) return kept(target, have);
    }

    std::string bytes, part;
    bytes.reserve(static_cast<std::size_t>(closed));
    for (const byte_range& r : ranges) {
        const std::string where = url + " bytes " + range_words(r);
        const long long length = r.last < 0 ? most_bytes : r.last - r.first + 1;
        const transfer got = http_get(session, url, range_words(r), length, part);
        if (got.end != transfer_end::complete) return outcome_of(got, where);
        if (r.last >= 0 && static_cast<long long>(part.size()) != length)
            return refusal(where, std::to_string(part.size()) + " bytes came, not " +
                                      std::to_string(length));
        if (!check_grib_messages(part, r, why)) return refusal(where, why);
        bytes += part;
    }
    return save(target, bytes,
                std::to_string(messages) + " messages in " + std::to_string(ranges.size()) +
                    " byte ranges, " + std::to_string(bytes.size()) + " bytes from " + url);
}

} // namespace

std::string saved_path(const std::string& directory, const product_file& file) {
    if (directory.empty()) return saved_name(file);
    return directory + (directory.back() == '/' ? "" : "/") + saved_name(file);
}

file_outcome fetch_file(http_session& session, const std::string& base, const product_file& file,
                        const std::string& directory) {
    const std::string url = base + file.path;
    const std::string target = saved_path(directory, file);
    if (file.product == fetch_product::gfs) return fetch_gfs_hour(session, url, target, file);
    return fetch_text(session, url, target);
}
