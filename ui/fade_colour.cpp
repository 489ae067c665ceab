#include "ui/fade_colour.h"

#include <initializer_list>

namespace lexidrop {

namespace {

int Channel(RgbColour colour, int shift)
{
    return static_cast<int>((colour >> shift) & 0xFF);
}

}  // namespace

RgbColour FadeColour(RgbColour face, RgbColour text, int step)
{
    RgbColour result = 0;
    for (int shift : {0, 8, 16}) {
        const int from = Channel(face, shift);
        const int to = Channel(text, shift);
        const int value = from + (to - from) * step / kFadeSteps;
        result |= static_cast<RgbColour>(value & 0xFF) << shift;
    }
    return result;
}

}  // namespace lexidrop
