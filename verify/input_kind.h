#pragma once

#include <iosfwd>

// What a file given to verify holds, told by its content so that the files may be given
// in any order: a JSON document (a forecast), the mesonet's CSV (its header line starts
// "station,"), or a CF6 product (it says "WS FORM: F-6", or has the DY MAX MIN header).
enum class verify_input { forecast_document, mesonet_csv, cf6_product, unknown };

// Looks at the start of in (at most its first 64 KiB of lines for a CF6 product) and
// seeks back to where it began.
verify_input recognise_verify_input(std::istream& in);
