#include "services/version_text.h"

namespace lexidrop {
namespace {

constexpr const char* kDigits = "0123456789";

}  // namespace

std::string ShortVersionText(std::string s)
{
    const auto p = s.find_first_not_of(kDigits);
    if (p == std::string::npos) return {};
    const auto q = s.find_first_of(kDigits, p);
    if (q == std::string::npos) return {};
    // The minor number runs from q to the next separator; without a separator
    // after it (only two numbers) there is no version text.
    const auto e = s.find_first_not_of(kDigits, q);
    if (e == std::string::npos) return {};
    std::string text = s.substr(0, p);
    text += '.';
    if (e - q <= 1) text += '0';
    text.append(s, q, e - q);
    return text;
}

std::string VersionCaption(const std::string& productName, const std::string& versionText)
{
    return productName + " Version" + versionText;
}

}  // namespace lexidrop
