#include "about/version_text.h"

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
    s.replace(p, q - p, ".");
    const auto e = s.find_first_not_of(kDigits, p + 1);
    if (e == std::string::npos) return {};
    s.resize(e);
    if (e - (p + 1) <= 1) s.insert(p + 1, "0");
    return s;
}

std::string VersionCaption(const std::string& productName, const std::string& versionText)
{
    return productName + " Version" + versionText;
}

}  // namespace lexidrop
