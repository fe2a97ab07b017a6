#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

// How one transfer ended.
enum class transfer_end {
    complete, // the answer asked for, whole
    absent,   // the server does not have it (404 or 410; no such file for file://)
    refused,  // an answer that is no download: another status, a range it did not ask for
    failed,   // no answer, or not all of it: no connection, a timeout, a cut, a server error
};

struct transfer {
    transfer_end end = transfer_end::failed;
    long long size = -1; // the whole file's size where the answer tells it; -1 unknown
    std::string why;     // unless complete: what happened, in a few words
};

// How long to wait before a transfer counts as failed: for a connection, and for a byte
// while none comes.
struct transfer_limits {
    long connect_seconds = 30;
    long stall_seconds = 60;
};

// NOMADS blocks a client that makes more than about 120 requests a minute, and a whole GFS
// fetch makes hundreds: requests to these hosts are kept to per_minute in any 60 seconds.
// Other hosts (a mirror, a server of the tests) are not held back.
struct request_pacing {
    std::vector<std::string> hosts = {"nomads.ncep.noaa.gov", "ftpprd.ncep.noaa.gov"};
    int per_minute = 100;
};

// The pacing and, for each paced host, when its latest requests were made (seconds since
// 1970 UTC, oldest first; no more than per_minute are kept).
struct request_pace {
    request_pacing pacing;
    std::map<std::string, std::deque<long long>> made;
};

// The seconds to wait at now before a request to url, 0 where its host is not paced; the
// request is noted as made after that wait.
long long pace_request(request_pace& pace, const std::string& url, long long now);

struct curl_closer {
    void operator()(void* handle) const;
};

// One libcurl handle for all the transfers of a fetch, so that they share its connections
// (one TLS handshake per server, not one per byte range).
struct http_session {
    std::unique_ptr<void, curl_closer> handle;
    transfer_limits limits;
    request_pace pace;
    std::function<long long()> clock;     // seconds since 1970 UTC
    std::function<void(long long)> sleep; // waits that many seconds
};

// A session that speaks http://, https:// and file:// only, redirects followed within the
// first two, its requests paced by pacing on clock and sleep.
http_session open_http_session(const transfer_limits& limits, const std::string& user_agent,
                               const request_pacing& pacing, std::function<long long()> clock,
                               std::function<void(long long)> sleep);

// Gets url into body (replaced): the whole file, or with range ("FIRST-LAST", "FIRST-")
// those bytes, which an HTTP server must answer with 206 and exactly that range. An
// answer larger than most bytes is refused; a body that a failed answer carries is not
// kept.
transfer http_get(http_session& session, const std::string& url, const std::string& range,
                  long long most, std::string& body);

// The size of the file at url, asked without its body (HEAD).
transfer http_size(http_session& session, const std::string& url);
