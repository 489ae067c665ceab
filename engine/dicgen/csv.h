// Fields of one line of a lexicon's CSV file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexidrop::csv {

// A field in double quotes may hold commas ("" is a quote).
std::vector<std::u16string> Fields(std::u16string_view line);

}  // namespace lexidrop::csv
