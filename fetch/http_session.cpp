#include "fetch/http_session.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// What the callbacks learn during one transfer.
struct receiving {
    CURL* handle = nullptr;
    bool http = true;
    long expected = 200; // the status of the answer asked for
    std::string* body = nullptr;
    long long most = 0;
    bool status_read = false;
    long status = 0;
    bool wrong_status = false;
    bool too_large = false;
    std::size_t discarded = 0;
    std::string content_range; // of the last answer, redirects aside
};

// An error page is read to its end so that the connection stays open for the next request,
// up to this much; a wrong answer that is a whole file (a range answered 200) is cut off.
const std::size_t most_discarded = 64 * 1024;

std::size_t on_header(char* data, std::size_t one, std::size_t count, void* to) {
    auto* r = static_cast<receiving*>(to);
    const std::string line(data, one * count);
    if (line.compare(0, 5, "HTTP/") == 0) r->content_range.clear();
    const char name[] = "content-range:";
    if (line.size() > sizeof name - 1) {
        bool same = true;
        for (std::size_t i = 0; i + 1 < sizeof name && same; ++i)
            same = std::tolower(static_cast<unsigned char>(line[i])) == name[i];
        if (same) {
            std::string value = line.substr(sizeof name - 1);
            while (!value.empty() && std::isspace(static_cast<unsigned char>(value.back())))
                value.pop_back();
            const std::size_t start = value.find_first_not_of(' ');
            r->content_range = start == std::string::npos ? "" : value.substr(start);
        }
    }
    return one * count;
}

std::size_t on_data(char* data, std::size_t one, std::size_t count, void* to) {
    auto* r = static_cast<receiving*>(to);
    const std::size_t n = one * count;
    if (!r->status_read) {
        curl_easy_getinfo(r->handle, CURLINFO_RESPONSE_CODE, &r->status);
        r->status_read = true;
        r->wrong_status = r->http && r->status != r->expected;
    }
    if (r->wrong_status) {
        r->discarded += n;
        return r->discarded <= most_discarded ? n : 0;
    }
    if (static_cast<long long>(r->body->size()) + static_cast<long long>(n) > r->most) {
        r->too_large = true;
        return 0;
    }
    r->body->append(data, n);
    return n;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Reads "bytes FIRST-LAST/SIZE" (SIZE may be "*"); false for anything else.
bool read_content_range(const std::string& text, long long& first, long long& last,
                        long long& size) {
    if (text.compare(0, 6, "bytes ") != 0) return false;
    const char* p = text.c_str() + 6;
    char* end = nullptr;
    if (!is_digit(*p)) return false;
    first = std::strtoll(p, &end, 10);
    if (*end != '-' || !is_digit(end[1])) return false;
    last = std::strtoll(end + 1, &end, 10);
    if (*end != '/') return false;
    size = -1;
    if (end[1] == '*' && end[2] == '\0') return last >= first;
    if (!is_digit(end[1])) return false;
    size = std::strtoll(end + 1, &end, 10);
    return *end == '\0' && last >= first && last < size;
}

// The status of an answer that was no download, as the end of the transfer.
transfer_end end_of_status(long status) {
    if (status == 404 || status == 410) return transfer_end::absent;
    // A busy or failing server may well answer later.
    if (status == 408 || status == 429 || status >= 500) return transfer_end::failed;
    return transfer_end::refused;
}

transfer end_of_curl(CURLcode code, const char* message) {
    transfer t;
    t.why = message[0] ? message : curl_easy_strerror(code);
    switch (code) {
    case CURLE_FILE_COULDNT_READ_FILE:
        t.end = transfer_end::absent;
        break;
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_URL_MALFORMAT:
    case CURLE_TOO_MANY_REDIRECTS:
    case CURLE_RANGE_ERROR:
        t.end = transfer_end::refused;
        break;
    default: // connection, timeout, cut, TLS: the network's, which may be better later
        t.end = transfer_end::failed;
    }
    return t;
}

bool is_file_url(const std::string& url) {
    return url.compare(0, 7, "file://") == 0;
}

// "nomads.ncep.noaa.gov" of "https://user@NOMADS.ncep.noaa.gov:443/pub/"; empty for a file://
// URL or one without a host.
std::string host_of(const std::string& url) {
    const std::size_t scheme = url.find("://");
    if (scheme == std::string::npos || is_file_url(url)) return "";
    const std::size_t start = scheme + 3;
    std::string authority = url.substr(start, url.find_first_of("/?#", start) - start);
    authority.erase(0, authority.rfind('@') + 1);
    std::string host = authority.substr(0, authority.find(':'));
    for (char& c : host) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return host;
}

} // namespace

long long pace_request(request_pace& pace, const std::string& url, long long now) {
    const std::string host = host_of(url);
    const std::vector<std::string>& hosts = pace.pacing.hosts;
    if (pace.pacing.per_minute <= 0 || host.empty() ||
        std::find(hosts.begin(), hosts.end(), host) == hosts.end())
        return 0;
    const auto most = static_cast<std::size_t>(pace.pacing.per_minute);
    std::deque<long long>& made = pace.made[host];
    // The clock reads whole seconds: a request noted at second s was made within s and s + 1,
    // so the one that would be per_minute + 1 in a minute waits for 61 s after the oldest.
    long long at = now;
    if (made.size() >= most) at = std::max(now, made[made.size() - most] + 61);
    made.push_back(at);
    while (made.size() > most) made.pop_front();
    return at - now;
}

void curl_closer::operator()(void* handle) const {
    curl_easy_cleanup(handle);
}

http_session open_http_session(const transfer_limits& limits, const std::string& user_agent,
                               const request_pacing& pacing, std::function<long long()> clock,
                               std::function<void(long long)> sleep) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    http_session session{std::unique_ptr<void, curl_closer>(curl_easy_init()), limits,
                         request_pace{pacing, {}}, std::move(clock), std::move(sleep)};
    CURL* h = session.handle.get();
    if (!h) return session;
#if LIBCURL_VERSION_NUM >= 0x075500
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https,file");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
#else
    curl_easy_setopt(h, CURLOPT_PROTOCOLS, CURLPROTO_HTTP | CURLPROTO_HTTPS | CURLPROTO_FILE);
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS, CURLPROTO_HTTP | CURLPROTO_HTTPS);
#endif
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, limits.connect_seconds);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, limits.stall_seconds);
    curl_easy_setopt(h, CURLOPT_TCP_KEEPALIVE, 1L);
    curl_easy_setopt(h, CURLOPT_USERAGENT, user_agent.c_str());
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, on_header);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, on_data);
    return session;
}

namespace {

transfer perform(http_session& session, const std::string& url, const std::string& range, bool head,
                 long long most, std::string& body) {
    CURL* h = session.handle.get();
    body.clear();
    if (!h) return {transfer_end::failed, -1, "libcurl could not start"};
    if (const long long wait = pace_request(session.pace, url, session.clock()))
        session.sleep(wait);
    receiving r;
    r.handle = h;
    r.http = !is_file_url(url);
    r.expected = range.empty() ? 200 : 206;
    r.body = &body;
    r.most = most;
    char message[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_RANGE, range.empty() ? nullptr : range.c_str());
    curl_easy_setopt(h, CURLOPT_NOBODY, head ? 1L : 0L);
    if (!head) curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &r);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &r);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, message);
    const CURLcode code = curl_easy_perform(h);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, nullptr);
    if (!r.status_read) curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &r.status);
    transfer t;
    if (r.too_large) {
        body.clear();
        return {transfer_end::refused, -1,
                "larger than the " + std::to_string(most) + " bytes expected"};
    }
    if (r.http && r.status != 0 && r.status != r.expected) {
        body.clear();
        t.end = end_of_status(r.status);
        t.why = "answered " + std::to_string(r.status);
        if (!range.empty() && r.status == 200)
            t.why += ", not 206 Partial Content, to a byte range";
        return t;
    }
    if (code != CURLE_OK) {
        body.clear();
        return end_of_curl(code, message);
    }
    curl_off_t length = -1;
    curl_easy_getinfo(h, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    t.size = length;
    t.end = transfer_end::complete;
    if (r.http && !range.empty()) {
        long long first = 0, last = 0, size = -1;
        const std::size_t dash = range.find('-');
        const long long asked_first = std::atoll(range.c_str());
        const bool open = dash + 1 == range.size();
        const long long asked_last = open ? -1 : std::atoll(range.c_str() + dash + 1);
        if (!read_content_range(r.content_range, first, last, size) || first != asked_first ||
            (open ? size >= 0 && last != size - 1 : last != asked_last)) {
            body.clear();
            return {transfer_end::refused, -1,
                    "answered bytes " + range + " with Content-Range \"" + r.content_range + "\""};
        }
        t.size = size;
    }
    return t;
}

} // namespace

transfer http_get(http_session& session, const std::string& url, const std::string& range,
                  long long most, std::string& body) {
    return perform(session, url, range, false, most, body);
}

transfer http_size(http_session& session, const std::string& url) {
    std::string none;
    return perform(session, url, "", true, 0, none);
}
