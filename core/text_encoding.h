#pragma once

#include <string>
#include <string_view>

namespace klangora {

// Text from a file as one line of UTF-8 to show: the bytes are taken as UTF-8 when they are
// valid UTF-8 and as Latin-1 otherwise (the two encodings tuning files come in), control
// characters become spaces and the spaces at either end are dropped.
std::string displayText(std::string_view bytes);

} // namespace klangora
