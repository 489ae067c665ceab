#include "ui/fade_colour.h"

#include <gtest/gtest.h>

namespace lexidrop {
namespace {

constexpr RgbColour Rgb(int r, int g, int b)
{
    return static_cast<RgbColour>(r | (g << 8) | (b << 16));
}

TEST(FadeColour, RunsFromTheFaceColourToTheTextColour)
{
    const RgbColour face = Rgb(212, 208, 200);
    const RgbColour text = Rgb(0, 0, 0);
    EXPECT_EQ(FadeColour(face, text, 0), face);
    EXPECT_EQ(FadeColour(face, text, kFadeSteps), text);
    // 212 - 212 * 5 / 16 = 212 - 66 (66.25 truncated), and so on.
    EXPECT_EQ(FadeColour(face, text, 5), Rgb(146, 143, 138));
}

TEST(FadeColour, TruncatesTowardZeroInBothDirections)
{
    // Rising channel: 10 + 245 * 1 / 16 = 10 + 15 (15.3).
    // Falling channel: 255 + (-250) * 1 / 16 = 255 - 15 (-15.6 truncated to -15).
    const RgbColour face = Rgb(10, 255, 100);
    const RgbColour text = Rgb(255, 5, 100);
    EXPECT_EQ(FadeColour(face, text, 1), Rgb(25, 240, 100));
    EXPECT_EQ(FadeColour(face, text, 15), Rgb(239, 21, 100));
    EXPECT_EQ(FadeColour(face, text, 16), text);
}

}  // namespace
}  // namespace lexidrop
