// The colour of a line that fades in from the dialog's face colour to the
// text colour in a number of steps.
#pragma once
#include <cstdint>

namespace lexidrop {

inline constexpr int kFadeSteps = 16;

// Colours as 0x00BBGGRR, the platform's COLORREF layout.
using RgbColour = std::uint32_t;

// Each channel moves from `face` (step 0) to `text` (step kFadeSteps) in
// proportion to `step`, the fraction truncated toward zero.
RgbColour FadeColour(RgbColour face, RgbColour text, int step);

}  // namespace lexidrop
