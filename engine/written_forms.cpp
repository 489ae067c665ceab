#include "engine/written_forms.h"

#include "engine/counted_numbers.h"
#include "engine/kana.h"
#include "engine/reading_text.h"

#include <algorithm>
#include <bitset>
#include <string>

namespace lexidrop {
namespace {

// Unit symbols written after a number, and the counters (of the counter
// table) they are read as, the likelier first. A counter may carry a word
// said before the number, written before a colon (じそく:キロ, 時速六十キロ).
// Letters are matched as a whole run: 5ｍ is five metres, 5ｍｉｎ stays as
// typed, and so does a run that is no unit here (MP3, 4K, 5G).
struct UnitSymbol {
    std::u16string_view symbols;  // separated by spaces
    std::u16string_view counters;
};

// clang-format off
constexpr UnitSymbol kUnits[] = {
    {u"ｋｍ ㎞",          u"キロ キロメートル"},
    {u"ｍ ㍍",            u"メートル"},
    {u"ｃｍ ㎝",          u"センチ センチメートル"},
    {u"ｍｍ ㎜",          u"ミリ ミリメートル"},
    {u"μｍ",             u"マイクロメートル ミクロン"},
    {u"ｎｍ",             u"ナノメートル"},
    {u"ｍ２ ｍ² ㎡",      u"平方メートル"},
    {u"ｃｍ２ ｃｍ² ㎠",  u"平方センチメートル"},
    {u"ｋｍ２ ｋｍ² ㎢",  u"平方キロメートル"},
    {u"ｈａ ㌶",          u"ヘクタール"},
    {u"ｍ３ ｍ³ ㎥",      u"立方メートル"},
    {u"ｃｍ３ ｃｍ³ ㎤",  u"立方センチメートル"},
    {u"ｋｇ ㎏",          u"キロ キログラム"},
    {u"ｇ ㌘",            u"グラム"},
    {u"ｍｇ ㎎",          u"ミリグラム ミリ"},
    {u"μｇ",             u"マイクログラム"},
    {u"ｔ ㌧",            u"トン"},
    {u"Ｌ ｌ ℓ ㍑",       u"リットル"},
    {u"ｄＬ ｄｌ ㎗",     u"デシリットル"},
    {u"ｍｌ ｍＬ ㎖",     u"ミリリットル ミリ"},
    {u"ｃｃ ㏄",          u"シーシー"},
    {u"ＴＢ",             u"テラバイト テラ"},
    {u"ＧＢ",             u"ギガバイト ギガ"},
    {u"ＭＢ",             u"メガバイト メガ"},
    {u"ＫＢ ｋＢ",        u"キロバイト"},
    {u"ｂｐｓ",           u"ビーピーエス"},
    {u"ｋｂｐｓ",         u"ケービーピーエス キロビーピーエス"},
    {u"Ｍｂｐｓ",         u"メガビーピーエス メガ"},
    {u"Ｇｂｐｓ",         u"ギガビーピーエス ギガ"},
    {u"Ｈｚ",             u"ヘルツ"},
    {u"ｋＨｚ",           u"キロヘルツ"},
    {u"ＭＨｚ",           u"メガヘルツ"},
    {u"ＧＨｚ",           u"ギガヘルツ"},
    {u"Ｗ ㍗",            u"ワット"},
    {u"ｋＷ",             u"キロワット"},
    {u"ｋＷｈ",           u"キロワット時 キロワットアワー"},
    {u"ＭＷ",             u"メガワット"},
    {u"ＧＷ",             u"ギガワット"},
    {u"Ｓｖ",             u"シーベルト"},
    {u"ｍＳｖ",           u"ミリシーベルト"},
    {u"μＳｖ",           u"マイクロシーベルト"},
    {u"Ｂｑ",             u"ベクレル"},
    {u"ｍｏｌ",           u"モル"},
    {u"Ｖ",               u"ボルト"},
    {u"Ａ",               u"アンペア エー"},  // 3Aクラス is a letter
    {u"ｍＡ",             u"ミリアンペア"},
    {u"ｍＡｈ",           u"ミリアンペアアワー ミリアンペア時"},
    {u"Ｐａ",             u"パスカル"},
    {u"ｈＰａ",           u"ヘクトパスカル"},
    {u"ｋＰａ",           u"キロパスカル"},
    {u"ＭＰａ",           u"メガパスカル"},
    {u"Ω",               u"オーム"},
    {u"ｍｍＨｇ",         u"ミリメートル水銀柱 ミリエイチジー"},
    {u"ｐｘ",             u"ピクセル"},
    {u"ｄｐｉ",           u"ディーピーアイ"},
    {u"ｆｐｓ",           u"エフピーエス"},
    {u"ｒｐｍ",           u"アールピーエム"},
    {u"ｆｔ",             u"フィート"},
    {u"ｙｄ",             u"ヤード"},
    {u"ｏｚ",             u"オンス"},
    {u"ｌｂ",             u"ポンド"},
    {u"ｇａｌ",           u"ガロン"},
    {u"Ｊ",               u"ジュール"},
    {u"ｋＪ",             u"キロジュール"},
    {u"ｃａｌ ㌍",        u"カロリー"},
    {u"ｋｃａｌ",         u"キロカロリー"},
    {u"ｌｘ",             u"ルクス"},
    {u"ｍｓ",             u"ミリ秒"},
    {u"μｓ",             u"マイクロ秒"},
    {u"ｋｍ／ｈ",         u"じそく:キロ じそく:キロメートル キロメートル毎時 キロ"},
    {u"ｍ／ｓ",           u"びょうそく:メートル メートル毎秒 まいびょう:メートル"},
    {u"ｄＢ",             u"デシベル"},
    {u"％ ㌫",            u"パーセント"},
    {u"€",               u"ユーロ"},
    {u"￡ £",             u"ポンド"},
    {u"‰",               u"パーミル"},
    {u"ｐｐｍ",           u"ピーピーエム"},
    {u"ｐｐｂ",           u"ピーピービー"},
    {u"℃ °Ｃ °",         u"度"},
    {u"℉ °Ｆ",           u"かし:度 度"},
    {u"ＬＤＫ",           u"エルディーケー"},
    {u"ＤＫ",             u"ディーケー"},
    {u"㌔",               u"キロ"},
    {u"㌢",               u"センチ"},
    {u"㍉",               u"ミリ"},
    {u"㌦",               u"ドル"},
};

// Signs written before a number and the counter the number is read with. In
// code page 932 the yen sign is byte 0x5C, which arrives as a backslash.
struct Sign {
    char16_t sign;
    std::u16string_view counter;
};
constexpr Sign kSigns[] = {
    {u'￥', u"円"}, {u'¥', u"円"}, {u'＼', u"円"}, {u'＄', u"ドル"}, {u'€', u"ユーロ"}, {u'￡', u"ポンド"},
    {u'£', u"ポンド"},
};

// Symbols that stand for words, read alone or in a run of them.
struct SymbolWord {
    char16_t symbol;
    std::u16string_view readings;  // separated by '|', the likelier first
};
constexpr SymbolWord kSymbols[] = {
    {u'㈱', u"かぶしきがいしゃ"}, {u'㍿', u"かぶしきがいしゃ"}, {u'㈲', u"ゆうげんがいしゃ"},
    {u'㈹', u"だいひょう"},       {u'№', u"ばんごう|なんばー"}, {u'℡', u"でんわ"},
    {u'㍻', u"へいせい"},         {u'㍼', u"しょうわ"},        {u'㍽', u"たいしょう"},
    {u'㍾', u"めいじ"},           {u'㋿', u"れいわ"},
    {u'㊤', u"うえ"},             {u'㊥', u"なか"},            {u'㊦', u"した"},
    {u'㊧', u"ひだり"},           {u'㊨', u"みぎ"},
    {u'㌔', u"きろ"},             {u'㍍', u"めーとる"},        {u'㌢', u"せんち"},
    {u'㌘', u"ぐらむ"},           {u'㌧', u"とん"},            {u'㍉', u"みり"},
    {u'㌫', u"ぱーせんと"},       {u'㌦', u"どる"},            {u'㌍', u"かろりー"},
    {u'㌻', u"ぺーじ"},           {u'㍑', u"りっとる"},        {u'㌶', u"へくたーる"},
    {u'㍗', u"わっと"},           {u'㌃', u"あーる"},          {u'㌣', u"せんと"},
    {u'㍊', u"みりばーる"},       {u'㎜', u"みりめーとる|みり"}, {u'㎝', u"せんちめーとる|せんち"},
    {u'㎞', u"きろめーとる|きろ"}, {u'㎎', u"みりぐらむ"},     {u'㎏', u"きろぐらむ|きろ"},
    {u'㏄', u"しーしー"},         {u'㎡', u"へいほうめーとる"},
};
// clang-format on

// Signs before a number that are read as words.
struct SignWord {
    char16_t sign;
    std::u16string_view word;
};
constexpr SignWord kSignWords[] = {
    {u'－', u"まいなす"}, {u'−', u"まいなす"}, {u'＋', u"ぷらす"}, {u'±', u"ぷらすまいなす"},
};
constexpr char16_t kHyphen = u'－';

bool IsDigit(char16_t c)
{
    return kana::IsFullWidthDigit(c);
}

std::vector<std::u16string_view> Split(std::u16string_view s, char16_t separator)
{
    std::vector<std::u16string_view> parts;
    for (std::size_t p; !s.empty(); s.remove_prefix(p + 1)) {
        p = s.find(separator);
        parts.push_back(s.substr(0, p));
        if (p == s.npos) break;
    }
    return parts;
}

std::u16string FullWidth(unsigned n)
{
    std::u16string out;
    for (char d : std::to_string(n)) out.push_back(static_cast<char16_t>(u'０' + (d - '0')));
    return out;
}

unsigned Value(std::u16string_view digits)
{
    unsigned v = 0;
    for (char16_t c : digits) v = v * 10 + static_cast<unsigned>(c - u'０');
    return v;
}

void AddNew(std::vector<std::u16string>& out, std::u16string reading)
{
    if (std::find(out.begin(), out.end(), reading) == out.end()) out.push_back(std::move(reading));
}

// End of the number (digits, separators between groups, a decimal point) at begin.
std::size_t NumberEnd(std::u16string_view text, std::size_t begin)
{
    std::size_t q = begin;
    while (q < text.size() &&
           (IsDigit(text[q]) ||
            (q > begin && (text[q] == u'，' || text[q] == u'．') && q + 1 < text.size() && IsDigit(text[q + 1]))))
        ++q;
    return q;
}

std::size_t DigitsEnd(std::u16string_view text, std::size_t begin)
{
    while (begin < text.size() && IsDigit(text[begin])) ++begin;
    return begin;
}

// The readings of numeral with the unit (or, with counters, the counter)
// that text[at] starts, and where it ends; nothing when none follows or it
// does not go with the number. A number with a counter alone is read where
// the analysis makes it one word.
struct Counted {
    std::size_t end;
    std::vector<std::u16string> readings;
};
std::optional<Counted> CountedAt(std::u16string_view text, std::size_t at, std::u16string_view numeral,
                                 bool counters, bool wordBefore)
{
    // Every symbol of the unit table with its counters, split once: the
    // question is asked after every number of every text.
    struct Symbol {
        std::u16string_view symbol;
        std::vector<std::u16string_view> counters;
    };
    static const std::vector<Symbol> symbols = [] {
        std::vector<Symbol> all;
        for (const UnitSymbol& u : kUnits)
            for (auto s : Split(u.symbols, u' ')) all.push_back({s, Split(u.counters, u' ')});
        return all;
    }();
    const std::u16string_view rest = text.substr(at);
    const Symbol* unit = nullptr;
    for (const Symbol& u : symbols) {
        const std::u16string_view s = u.symbol;
        if (!rest.starts_with(s) || (unit && s.size() <= unit->symbol.size())) continue;
        if (kana::IsFullWidthLatin(s.back()) && s.size() < rest.size() && kana::IsFullWidthLatin(rest[s.size()])) continue;
        unit = &u;
    }
    if (unit) {
        Counted c{at + unit->symbol.size(), {}};
        for (auto counter : unit->counters) {
            std::u16string before;
            if (const std::size_t colon = counter.find(u':'); colon != counter.npos) {
                if (!wordBefore) continue;
                before = counter.substr(0, colon);
                counter.remove_prefix(colon + 1);
            }
            for (auto& r : CountedReadings(numeral, counter)) AddNew(c.readings, before + r);
        }
        if (!c.readings.empty()) return c;
    }
    if (!counters) return std::nullopt;
    for (std::size_t length : CountersAt(rest)) {
        auto readings = CountedReadings(numeral, rest.substr(0, length));
        if (!readings.empty()) return Counted{at + length, std::move(readings)};
    }
    return std::nullopt;
}

// A fraction's readings, of the counter where there is one (1/3本
// さんぶんのいっぽん): the denominator, ぶんの and the numerator with the
// counter; none where a number cannot be read.
std::vector<std::u16string> FractionReadings(std::u16string_view numerator, std::u16string_view denominator,
                                             std::u16string_view counter = u"")
{
    const auto counted = CountedReadings(numerator, counter);
    const auto whole = CountedReadings(denominator, u"");
    std::vector<std::u16string> out;
    if (!whole.empty())
        for (const auto& c : counted) AddNew(out, whole.front() + u"ぶんの" + c);
    return out;
}

// Measures a recipe gives in fractions written with a slash (小さじ1/2
// こさじにぶんのいち, 大さじ1と1/2); elsewhere 1/2 may as well be a date.
constexpr std::u16string_view kFractionMeasures[] = {u"さじ", u"カップ"};

std::optional<WrittenForm> FractionAt(std::u16string_view text, std::size_t begin)
{
    std::u16string_view before = text.substr(0, begin);
    if (before.ends_with(u"と") && before.size() > 1 && IsDigit(before[before.size() - 2])) {
        before.remove_suffix(1);
        while (!before.empty() && IsDigit(before.back())) before.remove_suffix(1);
    }
    if (std::none_of(std::begin(kFractionMeasures), std::end(kFractionMeasures),
                     [&](std::u16string_view m) { return before.ends_with(m); }))
        return std::nullopt;
    const std::size_t slash = DigitsEnd(text, begin);
    if (slash >= text.size() || text[slash] != u'／' || slash + 1 >= text.size() || !IsDigit(text[slash + 1]))
        return std::nullopt;
    const std::size_t end = DigitsEnd(text, slash + 1);
    if (end < text.size() && (kana::IsFullWidthLatin(text[end]) || text[end] == u'／' || text[end] == u'．')) return std::nullopt;
    auto readings = FractionReadings(text.substr(begin, slash - begin), text.substr(slash + 1, end - slash - 1));
    if (readings.empty()) return std::nullopt;
    readings.resize(1);
    return WrittenForm{end, std::move(readings)};
}

// The runs of digits from `end` on joined by `separator` (03-1234-5678,
// 2024/4/1); `end` moves past the last.
std::vector<std::u16string_view> DigitGroups(std::u16string_view text, std::size_t& end, char16_t separator)
{
    std::vector<std::u16string_view> groups;
    for (;;) {
        const std::size_t groupEnd = DigitsEnd(text, end);
        groups.push_back(text.substr(end, groupEnd - end));
        end = groupEnd;
        if (end + 1 >= text.size() || text[end] != separator || !IsDigit(text[end + 1])) return groups;
        ++end;
    }
}

// Digit groups joined by slashes. Three are a date of year, month and day
// (2024/4/1 にせんにじゅうよねんしがつついたち), or kept as typed when no
// such day is (2024/13/1). Two are a month and day where there is one (4/1
// しがつついたち), and a fraction too where the first is the smaller (1/2
// いちがつふつか, then にぶんのいち; 3/45 よんじゅうごぶんのさん).
std::optional<WrittenForm> SlashedAt(std::u16string_view text, std::size_t begin)
{
    std::size_t end = begin;
    const std::vector<std::u16string_view> groups = DigitGroups(text, end, u'／');
    if (groups.size() < 2 || groups.size() > 3) return std::nullopt;
    if (end < text.size() && (kana::IsFullWidthLatin(text[end]) || text[end] == u'．' || text[end] == u'／'))
        return std::nullopt;
    const bool withYear = groups.size() == 3;
    if (withYear && groups[0].size() != 4) return WrittenForm{end, {}};
    // Before a counter or a measure two numbers are a fraction of it, not a
    // date (1/2個 にぶんのいちこ, 1/3本 さんぶんのいっぽん, 1/4カップ).
    if (!withYear && std::any_of(std::begin(kFractionMeasures), std::end(kFractionMeasures),
                                 [&](std::u16string_view m) { return text.substr(end).starts_with(m); }))
        if (auto readings = FractionReadings(groups[0], groups[1]); !readings.empty()) {
            readings.resize(1);
            return WrittenForm{end, std::move(readings)};
        }
    if (!withYear)
        for (std::size_t length : CountersAt(text.substr(end)))
            if (auto readings = FractionReadings(groups[0], groups[1], text.substr(end, length)); !readings.empty())
                return WrittenForm{end + length, std::move(readings)};
    const std::u16string_view monthDigits = groups[groups.size() - 2], dayDigits = groups.back();
    if (monthDigits.size() > 2 || dayDigits.size() > 2)
        return withYear ? std::optional(WrittenForm{end, {}}) : std::nullopt;
    constexpr unsigned kDaysIn[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const unsigned month = Value(monthDigits), day = Value(dayDigits);
    const bool date = month >= 1 && month <= 12 && day >= 1 && day <= kDaysIn[month - 1];
    WrittenForm form{end, {}};
    if (date) {
        const auto years = withYear ? CountedReadings(groups[0], u"年") : std::vector<std::u16string>{u""};
        const auto months = CountedReadings(FullWidth(month), u"月");
        const auto days = CountedReadings(FullWidth(day), u"日", CountPlace::kDayOfMonth);
        if (!years.empty() && !months.empty())
            for (const auto& d : days) AddNew(form.readings, years.front() + months.front() + d);
    }
    if (!withYear && month >= 1 && month < day)
        if (const auto readings = FractionReadings(FullWidth(month), FullWidth(day)); !readings.empty())
            AddNew(form.readings, readings.front());
    if (!withYear && form.readings.empty()) return std::nullopt;
    return form;
}

// AM and PM beside a clock time: said ごぜん and ごご, before the time.
struct DayHalf {
    std::u16string_view spelling, word;
};
constexpr DayHalf kDayHalves[] = {
    {u"ＡＭ", u"ごぜん"}, {u"ａｍ", u"ごぜん"}, {u"ＰＭ", u"ごご"}, {u"ｐｍ", u"ごご"}};

// The AM or PM that starts text[at], as a word of its own: no letter after
// it, nor (where `letterBefore` is false) before it.
const DayHalf* DayHalfAt(std::u16string_view text, std::size_t at, bool letterBefore)
{
    if (!letterBefore && at > 0 && kana::IsFullWidthLatin(text[at - 1])) return nullptr;
    for (const DayHalf& half : kDayHalves) {
        const std::size_t end = at + half.spelling.size();
        if (text.substr(at).starts_with(half.spelling) && (end == text.size() || !kana::IsFullWidthLatin(text[end])))
            return &half;
    }
    return nullptr;
}

// h:mm and h:mm:ss; a half hour is also offered as はん, second.
std::optional<WrittenForm> TimeAt(std::u16string_view text, std::size_t begin)
{
    const std::size_t hourEnd = DigitsEnd(text, begin);
    auto twoDigits = [&](std::size_t colon) {
        return colon + 2 < text.size() && text[colon] == u'：' && IsDigit(text[colon + 1]) &&
               IsDigit(text[colon + 2]) && (colon + 3 == text.size() || !IsDigit(text[colon + 3]));
    };
    if (hourEnd - begin > 2 || !twoDigits(hourEnd)) return std::nullopt;
    const bool withSeconds = twoDigits(hourEnd + 3);
    std::size_t end = hourEnd + (withSeconds ? 6 : 3);
    if (end < text.size() && text[end] == u'：') return std::nullopt;
    const unsigned hour = Value(text.substr(begin, hourEnd - begin));
    const unsigned minute = Value(text.substr(hourEnd + 1, 2));
    const unsigned second = withSeconds ? Value(text.substr(hourEnd + 4, 2)) : 0;
    if (hour > 30 || minute > 59 || second > 59) return std::nullopt;

    const std::vector<std::u16string> hours =
        hour == 0 ? std::vector<std::u16string>{u"れいじ"} : CountedReadings(FullWidth(hour), u"時");
    auto part = [](unsigned n, std::u16string_view counter) {
        return n == 0 ? std::vector<std::u16string>{u""} : CountedReadings(FullWidth(n), counter);
    };
    const std::vector<std::u16string> minutes = part(minute, u"分"), seconds = part(second, u"秒");
    WrittenForm form{end, {}};
    for (const auto& h : hours)
        for (const auto& m : minutes)
            for (const auto& s : seconds) AddNew(form.readings, h + m + s);
    if (minute == 30 && !withSeconds) {
        form.readings.insert(form.readings.begin() + 1, hours.front() + u"はん");
        for (const auto& h : hours) AddNew(form.readings, h + u"はん");
    }
    // AM or PM written after the time (3:00PM) is said before it.
    if (const DayHalf* half = DayHalfAt(text, end, true)) {
        form.end += half->spelling.size();
        for (auto& r : form.readings) r.insert(0, half->word);
    }
    return form;
}

// A number followed by a unit or counter, or by a range mark and a second
// quantity with one (5〜6個: ごからろっこ, then ごろっこ). A unit's word said
// before the number (時速) is left out in a range, after a sign, and after a
// word that already says it (風速10m/s).
std::optional<WrittenForm> QuantityAt(std::u16string_view text, std::size_t begin, bool wordBefore = true)
{
    const std::size_t numberEnd = NumberEnd(text, begin);
    const std::u16string_view numeral = text.substr(begin, numberEnd - begin);
    if (numberEnd < text.size() && (IsRangeMark(text[numberEnd]) || text[numberEnd] == kHyphen) &&
        numberEnd + 1 < text.size() && IsDigit(text[numberEnd + 1])) {
        const std::size_t secondEnd = NumberEnd(text, numberEnd + 1);
        const std::u16string_view second = text.substr(numberEnd + 1, secondEnd - numberEnd - 1);
        auto counted = CountedAt(text, secondEnd, second, true, false);
        const auto first = CountedReadings(numeral, u"");
        if (!counted || first.empty()) return std::nullopt;
        WrittenForm form{counted->end, {}};
        // Days keep their own readings on both sides (ふつかからみっか).
        const std::u16string_view counter = text.substr(secondEnd, counted->end - secondEnd);
        const auto firstDay = counter == u"日" ? CountedReadings(numeral, counter) : first;
        for (const auto& r : counted->readings)
            AddNew(form.readings, (firstDay.empty() ? first : firstDay).front() + u"から" + r);
        // Consecutive small numbers are also said one after the other (ごろっこ,
        // にさんかい); of days only 2〜3 has such a form (にさんにち).
        const unsigned from = Value(numeral), to = Value(second);
        if (numeral.size() == 1 && second.size() == 1 && to == from + 1 && to >= 3) {
            if (counter != u"日")
                form.readings.insert(form.readings.begin() + 1, first.front() + counted->readings.front());
            else if (from == 2)
                form.readings.insert(form.readings.begin() + 1, u"にさんにち");
        }
        return form;
    }
    wordBefore = wordBefore && (begin == 0 || text[begin - 1] != u'速');
    auto counted = CountedAt(text, numberEnd, numeral, false, wordBefore);
    if (!counted) return std::nullopt;
    return WrittenForm{counted->end, std::move(counted->readings)};
}

// A quantity with its unit, else the bare number; nothing where a letter or
// a hyphen runs on from the number (a name or a code: 5G, 3-4).
std::optional<WrittenForm> QuantityOrNumberAt(std::u16string_view text, std::size_t begin)
{
    if (auto quantity = QuantityAt(text, begin, false)) return quantity;
    const std::size_t numberEnd = NumberEnd(text, begin);
    if (numberEnd < text.size() && (kana::IsFullWidthLatin(text[numberEnd]) || text[numberEnd] == kHyphen))
        return std::nullopt;
    return WrittenForm{numberEnd, CountedReadings(text.substr(begin, numberEnd - begin), u"")};
}

// A product or quotient of two numbers: 3×4 さんかけるよん, 10÷2 じゅうわるに;
// the second may carry a unit (3×4m さんかけるよんめーとる).
struct Operator {
    char16_t sign;
    std::u16string_view word;
};
constexpr Operator kOperators[] = {{u'×', u"かける"}, {u'÷', u"わる"}};

std::optional<WrittenForm> ArithmeticAt(std::u16string_view text, std::size_t begin)
{
    const std::size_t firstEnd = NumberEnd(text, begin);
    if (firstEnd + 1 >= text.size() || !IsDigit(text[firstEnd + 1])) return std::nullopt;
    const auto op = std::find_if(std::begin(kOperators), std::end(kOperators),
                                 [&](const Operator& o) { return o.sign == text[firstEnd]; });
    if (op == std::end(kOperators)) return std::nullopt;
    const auto first = CountedReadings(text.substr(begin, firstEnd - begin), u"");
    if (first.empty()) return std::nullopt;
    const std::optional<WrittenForm> second = QuantityOrNumberAt(text, firstEnd + 1);
    if (!second || second->readings.empty()) return std::nullopt;
    WrittenForm form{second->end, {}};
    for (const auto& r : second->readings) AddNew(form.readings, first.front() + std::u16string(op->word) + r);
    return form;
}

// Digit groups joined by hyphens: a range of two small quantities with a
// counter or unit (5-6個), else a code such as a telephone number or a
// postcode (03-1234-5678, 100-0001), kept as typed.
std::optional<WrittenForm> HyphenatedAt(std::u16string_view text, std::size_t begin)
{
    std::size_t end = begin;
    const std::vector<std::u16string_view> groups = DigitGroups(text, end, kHyphen);
    if (groups.size() < 2) return std::nullopt;
    auto small = [](std::u16string_view g) { return g.size() <= 3 && (g.size() == 1 || g[0] != u'０'); };
    if (groups.size() == 2 && small(groups[0]) && small(groups[1]))
        if (auto range = QuantityAt(text, begin); range && range->end > end) return range;
    if (end < text.size() && (kana::IsFullWidthLatin(text[end]) || text[end] == u'．')) return std::nullopt;
    return WrittenForm{end, {}};
}

const SymbolWord* FindSymbol(char16_t c)
{
    // Every word of a text is asked about; most are kana, which the table lacks.
    static const std::bitset<65536> inTable = [] {
        std::bitset<65536> b;
        for (const SymbolWord& s : kSymbols) b.set(s.symbol);
        return b;
    }();
    if (!inTable.test(c)) return nullptr;
    for (const SymbolWord& s : kSymbols)
        if (s.symbol == c) return &s;
    return nullptr;
}

// The blocks the symbols lie in: letterlike symbols and number forms,
// enclosed alphanumerics, enclosed CJK letters and CJK compatibility.
bool InSymbolBlocks(char16_t c)
{
    return (c >= u'\u2100' && c <= u'\u218F') || (c >= u'\u2460' && c <= u'\u24FF') ||
           (c >= u'\u3200' && c <= u'\u33FF');
}

// The number a circled or Roman numeral stands for (① 1, Ⅻ 12); 0 for others.
unsigned NumeralSymbolValue(char16_t c)
{
    if (c >= u'①' && c <= u'⑳') return c - u'①' + 1u;
    if (c >= u'Ⅰ' && c <= u'Ⅻ') return c - u'Ⅰ' + 1u;
    if (c >= u'ⅰ' && c <= u'ⅻ') return c - u'ⅰ' + 1u;
    return 0;
}

}  // namespace

bool IsRangeMark(char16_t c)
{
    return c == u'〜' || c == u'～';
}

std::optional<WrittenForm> WrittenFormAt(std::u16string_view text, std::size_t begin)
{
    if (begin >= text.size()) return std::nullopt;
    if (begin > 0) {
        const char16_t before = text[begin - 1];
        // A clock time may follow AM or PM with no space (AM10:00).
        if (kana::IsFullWidthLatin(before) && begin >= 2 && DayHalfAt(text, begin - 2, false))
            return TimeAt(text, begin);
        if (IsDigit(before) || kana::IsFullWidthLatin(before) || before == u'．' || before == u'，' || before == u'：')
            return std::nullopt;
    }
    // AM or PM before a clock time, with or without a space (AM 9:30).
    if (const DayHalf* half = DayHalfAt(text, begin, false)) {
        std::size_t time = begin + half->spelling.size();
        if (time < text.size() && (text[time] == u'\u3000' || text[time] == u' ')) ++time;
        if (time < text.size() && IsDigit(text[time]) && TimeAt(text, time))
            return WrittenForm{begin + half->spelling.size(), {std::u16string(half->word)}};
        return std::nullopt;
    }
    const char16_t c = text[begin];
    const bool digitNext = begin + 1 < text.size() && IsDigit(text[begin + 1]);
    // Every form starts with a digit or with a sign before one.
    if (!IsDigit(c) && !digitNext) return std::nullopt;
    for (const SignWord& sign : kSignWords) {
        if (c != sign.sign || !digitNext) continue;
        auto form = QuantityOrNumberAt(text, begin + 1);
        if (!form) return std::nullopt;
        for (auto& r : form->readings) r.insert(0, sign.word);
        return form;
    }
    for (const Sign& sign : kSigns) {
        if (c != sign.sign || !digitNext) continue;
        const std::size_t numberEnd = NumberEnd(text, begin + 1);
        if (numberEnd < text.size() && kana::IsFullWidthLatin(text[numberEnd])) return std::nullopt;
        const std::u16string_view numeral = text.substr(begin + 1, numberEnd - begin - 1);
        // A backslash before a lone digit is an escape (\0, \1), not a price.
        if (c == u'＼' && numeral.size() == 1) return std::nullopt;
        auto readings = CountedReadings(numeral, sign.counter);
        if (readings.empty()) return std::nullopt;
        return WrittenForm{numberEnd, std::move(readings)};
    }
    if (!IsDigit(c)) return std::nullopt;
    if (auto time = TimeAt(text, begin)) return time;
    if (auto arithmetic = ArithmeticAt(text, begin)) return arithmetic;
    if (auto fraction = FractionAt(text, begin)) return fraction;
    if (auto slashed = SlashedAt(text, begin)) return slashed;
    if (auto hyphenated = HyphenatedAt(text, begin)) return hyphenated;
    return QuantityAt(text, begin);
}

bool MayStartWrittenForm(std::u16string_view text, std::size_t begin)
{
    if (begin >= text.size()) return false;
    const char16_t c = text[begin];
    return IsDigit(c) || InSymbolBlocks(c) || (begin + 1 < text.size() && IsDigit(text[begin + 1])) ||
           std::any_of(std::begin(kDayHalves), std::end(kDayHalves),
                       [&](const DayHalf& half) { return half.spelling.front() == c; });
}

std::vector<std::u16string> SymbolWordReadings(std::u16string_view word)
{
    std::vector<std::u16string> out;
    if (word.empty() || !InSymbolBlocks(word.front())) return out;
    std::u16string joined;
    for (char16_t c : word) {
        if (!InSymbolBlocks(c)) return {};
        if (const unsigned n = NumeralSymbolValue(c)) {
            joined += NumberReading(std::to_string(n));
        } else if (const SymbolWord* s = FindSymbol(c)) {
            if (word.size() == 1)
                for (auto r : Split(s->readings, u'|')) out.emplace_back(r);
            joined += Split(s->readings, u'|').front();
        } else {
            return {};
        }
    }
    if (out.empty()) out.push_back(std::move(joined));
    return out;
}

}  // namespace lexidrop
