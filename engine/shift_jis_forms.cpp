#include "engine/shift_jis_forms.h"

#include <algorithm>
#include <iterator>

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

struct Compatible {
    char16_t written;
    std::u16string_view form;
};

// Superscript and subscript digits, µ, ℓ, ℉, ™ and the squared words and
// units, in code point order; each with its NFKC form.
// clang-format off
constexpr Compatible kCompatible[] = {
    {u'²', u"2"}, {u'³', u"3"}, {u'µ', u"μ"}, {u'¹', u"1"}, {u'⁰', u"0"}, {u'⁴', u"4"}, {u'⁵', u"5"},
    {u'⁶', u"6"}, {u'⁷', u"7"}, {u'⁸', u"8"}, {u'⁹', u"9"}, {u'₀', u"0"}, {u'₁', u"1"}, {u'₂', u"2"},
    {u'₃', u"3"}, {u'₄', u"4"}, {u'₅', u"5"}, {u'₆', u"6"}, {u'₇', u"7"}, {u'₈', u"8"}, {u'₉', u"9"},
    {u'℉', u"°F"}, {u'ℓ', u"l"}, {u'™', u"TM"}, {u'㌀', u"アパート"}, {u'㌁', u"アルファ"}, {u'㌂', u"アンペア"},
    {u'㌄', u"イニング"}, {u'㌅', u"インチ"}, {u'㌆', u"ウォン"}, {u'㌇', u"エスクード"}, {u'㌈', u"エーカー"}, {u'㌉', u"オンス"},
    {u'㌊', u"オーム"}, {u'㌋', u"カイリ"}, {u'㌌', u"カラット"}, {u'㌎', u"ガロン"}, {u'㌏', u"ガンマ"}, {u'㌐', u"ギガ"},
    {u'㌑', u"ギニー"}, {u'㌒', u"キュリー"}, {u'㌓', u"ギルダー"}, {u'㌕', u"キログラム"}, {u'㌖', u"キロメートル"}, {u'㌗', u"キロワット"},
    {u'㌙', u"グラムトン"}, {u'㌚', u"クルゼイロ"}, {u'㌛', u"クローネ"}, {u'㌜', u"ケース"}, {u'㌝', u"コルナ"}, {u'㌞', u"コーポ"},
    {u'㌟', u"サイクル"}, {u'㌠', u"サンチーム"}, {u'㌡', u"シリング"}, {u'㌤', u"ダース"}, {u'㌥', u"デシ"}, {u'㌨', u"ナノ"},
    {u'㌩', u"ノット"}, {u'㌪', u"ハイツ"}, {u'㌬', u"パーツ"}, {u'㌭', u"バーレル"}, {u'㌮', u"ピアストル"}, {u'㌯', u"ピクル"},
    {u'㌰', u"ピコ"}, {u'㌱', u"ビル"}, {u'㌲', u"ファラッド"}, {u'㌳', u"フィート"}, {u'㌴', u"ブッシェル"}, {u'㌵', u"フラン"},
    {u'㌷', u"ペソ"}, {u'㌸', u"ペニヒ"}, {u'㌹', u"ヘルツ"}, {u'㌺', u"ペンス"}, {u'㌼', u"ベータ"}, {u'㌽', u"ポイント"},
    {u'㌾', u"ボルト"}, {u'㌿', u"ホン"}, {u'㍀', u"ポンド"}, {u'㍁', u"ホール"}, {u'㍂', u"ホーン"}, {u'㍃', u"マイクロ"},
    {u'㍄', u"マイル"}, {u'㍅', u"マッハ"}, {u'㍆', u"マルク"}, {u'㍇', u"マンション"}, {u'㍈', u"ミクロン"}, {u'㍋', u"メガ"},
    {u'㍌', u"メガトン"}, {u'㍎', u"ヤード"}, {u'㍏', u"ヤール"}, {u'㍐', u"ユアン"}, {u'㍒', u"リラ"}, {u'㍓', u"ルピー"},
    {u'㍔', u"ルーブル"}, {u'㍕', u"レム"}, {u'㍖', u"レントゲン"}, {u'㍘', u"0点"}, {u'㍙', u"1点"}, {u'㍚', u"2点"},
    {u'㍛', u"3点"}, {u'㍜', u"4点"}, {u'㍝', u"5点"}, {u'㍞', u"6点"}, {u'㍟', u"7点"}, {u'㍠', u"8点"}, {u'㍡', u"9点"},
    {u'㍢', u"10点"}, {u'㍣', u"11点"}, {u'㍤', u"12点"}, {u'㍥', u"13点"}, {u'㍦', u"14点"}, {u'㍧', u"15点"},
    {u'㍨', u"16点"}, {u'㍩', u"17点"}, {u'㍪', u"18点"}, {u'㍫', u"19点"}, {u'㍬', u"20点"}, {u'㍭', u"21点"},
    {u'㍮', u"22点"}, {u'㍯', u"23点"}, {u'㍰', u"24点"}, {u'㍱', u"hPa"}, {u'㍲', u"da"}, {u'㍳', u"AU"},
    {u'㍴', u"bar"}, {u'㍵', u"oV"}, {u'㍶', u"pc"}, {u'㍷', u"dm"}, {u'㍸', u"dm2"}, {u'㍹', u"dm3"},
    {u'㍺', u"IU"}, {u'㍿', u"株式会社"}, {u'㎀', u"pA"}, {u'㎁', u"nA"}, {u'㎂', u"μA"}, {u'㎃', u"mA"}, {u'㎄', u"kA"},
    {u'㎅', u"KB"}, {u'㎆', u"MB"}, {u'㎇', u"GB"}, {u'㎈', u"cal"}, {u'㎉', u"kcal"}, {u'㎊', u"pF"},
    {u'㎋', u"nF"}, {u'㎌', u"μF"}, {u'㎍', u"μg"}, {u'㎐', u"Hz"}, {u'㎑', u"kHz"}, {u'㎒', u"MHz"},
    {u'㎓', u"GHz"}, {u'㎔', u"THz"}, {u'㎕', u"μl"}, {u'㎖', u"ml"}, {u'㎗', u"dl"}, {u'㎘', u"kl"}, {u'㎙', u"fm"},
    {u'㎚', u"nm"}, {u'㎛', u"μm"}, {u'㎟', u"mm2"}, {u'㎠', u"cm2"}, {u'㎢', u"km2"}, {u'㎣', u"mm3"},
    {u'㎤', u"cm3"}, {u'㎥', u"m3"}, {u'㎦', u"km3"}, {u'㎩', u"Pa"}, {u'㎪', u"kPa"}, {u'㎫', u"MPa"},
    {u'㎬', u"GPa"}, {u'㎭', u"rad"}, {u'㎰', u"ps"}, {u'㎱', u"ns"}, {u'㎲', u"μs"}, {u'㎳', u"ms"}, {u'㎴', u"pV"},
    {u'㎵', u"nV"}, {u'㎶', u"μV"}, {u'㎷', u"mV"}, {u'㎸', u"kV"}, {u'㎹', u"MV"}, {u'㎺', u"pW"}, {u'㎻', u"nW"},
    {u'㎼', u"μW"}, {u'㎽', u"mW"}, {u'㎾', u"kW"}, {u'㎿', u"MW"}, {u'㏀', u"kΩ"}, {u'㏁', u"MΩ"}, {u'㏂', u"a.m."},
    {u'㏃', u"Bq"}, {u'㏅', u"cd"}, {u'㏇', u"Co."}, {u'㏈', u"dB"}, {u'㏉', u"Gy"}, {u'㏊', u"ha"}, {u'㏋', u"HP"},
    {u'㏌', u"in"}, {u'㏎', u"KM"}, {u'㏏', u"kt"}, {u'㏐', u"lm"}, {u'㏑', u"ln"}, {u'㏒', u"log"}, {u'㏓', u"lx"},
    {u'㏔', u"mb"}, {u'㏕', u"mil"}, {u'㏖', u"mol"}, {u'㏗', u"PH"}, {u'㏘', u"p.m."}, {u'㏙', u"PPM"},
    {u'㏚', u"PR"}, {u'㏛', u"sr"}, {u'㏜', u"Sv"}, {u'㏝', u"Wb"}, {u'㏠', u"1日"}, {u'㏡', u"2日"}, {u'㏢', u"3日"},
    {u'㏣', u"4日"}, {u'㏤', u"5日"}, {u'㏥', u"6日"}, {u'㏦', u"7日"}, {u'㏧', u"8日"}, {u'㏨', u"9日"}, {u'㏩', u"10日"},
    {u'㏪', u"11日"}, {u'㏫', u"12日"}, {u'㏬', u"13日"}, {u'㏭', u"14日"}, {u'㏮', u"15日"}, {u'㏯', u"16日"},
    {u'㏰', u"17日"}, {u'㏱', u"18日"}, {u'㏲', u"19日"}, {u'㏳', u"20日"}, {u'㏴', u"21日"}, {u'㏵', u"22日"},
    {u'㏶', u"23日"}, {u'㏷', u"24日"}, {u'㏸', u"25日"}, {u'㏹', u"26日"}, {u'㏺', u"27日"}, {u'㏻', u"28日"},
    {u'㏼', u"29日"}, {u'㏽', u"30日"}, {u'㏾', u"31日"}, {u'㏿', u"gal"},
};
// clang-format on
static_assert(std::is_sorted(std::begin(kCompatible), std::end(kCompatible),
                             [](const Compatible& a, const Compatible& b) { return a.written < b.written; }));

}  // namespace

char16_t ShiftJisForm(char16_t c)
{
    for (const Form& form : kForms)
        if (form.written == c) return form.shiftJis;
    return c;
}

std::u16string_view CompatibilityForm(char16_t c)
{
    const auto* found = std::lower_bound(std::begin(kCompatible), std::end(kCompatible), c,
                                         [](const Compatible& e, char16_t k) { return e.written < k; });
    return found != std::end(kCompatible) && found->written == c ? found->form : std::u16string_view();
}

}  // namespace lexidrop
