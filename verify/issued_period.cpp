#include "verify/verification.h"

#include "calendar/iso_date.h"

std::string issued_period(const verification& r) {
    const std::string first = iso_date(r.first_issued), last = iso_date(r.last_issued);
    return std::to_string(r.forecasts) + (r.forecasts == 1 ? " forecast" : " forecasts") +
           " issued " + (first == last ? first : first + " to " + last);
}
