#include "engine/dicgen/csv.h"

namespace lexidrop::csv {

std::vector<std::u16string> Fields(std::u16string_view line)
{
    std::vector<std::u16string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char16_t c = line[i];
        if (quoted && c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
            fields.back() += u'"';
            ++i;
        } else if (c == u'"') {
            quoted = !quoted;
        } else if (c == u',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

}  // namespace lexidrop::csv
