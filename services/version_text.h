// Short version text ("1.08") and version caption rules, free of any platform call.
#pragma once
#include <string>

namespace lexidrop {

// "1, 8, 0, 0" -> "1.08": major number, a point, the minor number with at least
// two digits; the third and later numbers are dropped. A value that does not
// have at least three numbers yields an empty text.
std::string ShortVersionText(std::string value);

// Product name, " Version" and the short version text, with nothing between.
std::string VersionCaption(const std::string& productName, const std::string& versionText);

}  // namespace lexidrop
