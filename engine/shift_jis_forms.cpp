#include "engine/shift_jis_forms.h"

namespace lexidrop {
namespace {

struct Form {
    char16_t written;   // as Unicode text usually has it
    char16_t shiftJis;  // what code page 932 converts to the same glyph
};

constexpr Form kForms[] = {
    {u'\u301C', u'\uFF5E'},  // 〜 wave dash → ～ fullwidth tilde
    {u'\u2212', u'\uFF0D'},  // − minus sign → － fullwidth hyphen-minus
    {u'\u2016', u'\u2225'},  // ‖ double vertical line → ∥ parallel to
    {u'\u2014', u'\u2015'},  // — em dash → ― horizontal bar
    {u'\u00A2', u'\uFFE0'},  // ¢ cent sign → ￠ fullwidth cent sign
    {u'\u00A3', u'\uFFE1'},  // £ pound sign → ￡ fullwidth pound sign
    {u'\u00AC', u'\uFFE2'},  // ¬ not sign → ￢ fullwidth not sign
    {u'\u00A5', u'\uFFE5'},  // ¥ yen sign → ￥ fullwidth yen sign
    {u'\u203E', u'\uFFE3'},  // ‾ overline → ￣ fullwidth macron
};

}  // namespace

char16_t ShiftJisForm(char16_t c)
{
    for (const Form& form : kForms)
        if (form.written == c) return form.shiftJis;
    return c;
}

}  // namespace lexidrop
