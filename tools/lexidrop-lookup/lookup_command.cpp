#include "lookup_command.h"

#include "lookup/line_limit.h"
#include "engine/shift_jis_forms.h"
#include "engine/string_forms.h"
#include "engine_chunk_converter.h"
#include "lookup/display_lines.h"
#include "lookup/furigana_line.h"
#include "platform.h"
#include "utf8.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <thread>

namespace lexidrop::tool {
namespace {

// The list window's lines in memory; a sorting control keeps added lines in
// ascending byte order of their Shift-JIS text (kana in syllabary order).
class MemoryList : public ListControl {
public:
    explicit MemoryList(bool sorted) : sorted_(sorted) {}
    void ResetContent() override { lines_.clear(); }
    int AddString(const std::string& text) override
    {
        auto at = sorted_ ? std::upper_bound(lines_.begin(), lines_.end(), text) : lines_.end();
        const auto index = at - lines_.begin();
        lines_.insert(at, text);
        return static_cast<int>(index);
    }
    int InsertString(int index, const std::string& text) override
    {
        if (index < 0 || static_cast<std::size_t>(index) > lines_.size()) return -1;
        lines_.insert(lines_.begin() + index, text);
        return index;
    }
    int DeleteString(int index) override
    {
        if (index < 0 || static_cast<std::size_t>(index) >= lines_.size()) return -1;
        lines_.erase(lines_.begin() + index);
        return static_cast<int>(lines_.size());
    }
    int GetCount() override { return static_cast<int>(lines_.size()); }
    bool GetText(int index, std::string& text) override
    {
        if (index < 0 || static_cast<std::size_t>(index) >= lines_.size()) return false;
        text = lines_[static_cast<std::size_t>(index)];
        return true;
    }
    bool SetCaretIndex(int index) override
    {
        return index >= 0 && static_cast<std::size_t>(index) < lines_.size();
    }
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    bool sorted_;
    std::vector<std::string> lines_;
};

// A whole decimal number in 0..4294967295: no sign, spaces or other text.
bool Number(const std::string& s, std::uint32_t& value)
{
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

// Length of the line break at text[at] (CR LF, LF or CR), 0 when there is none.
std::size_t LineBreakAt(std::string_view text, std::size_t at)
{
    if (text[at] == '\n') return 1;
    if (text[at] != '\r') return 0;
    return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
}

// 〓, the stand-in for a character Shift-JIS lacks: a symbol the engine keeps
// as written, so the k-th 〓 of every output line is the k-th of the text.
constexpr std::string_view kStandInUtf8 = "\xE3\x80\x93";
constexpr std::string_view kStandInShiftJis = "\x81\xAC";

// A text converted for the lookup: Shift-JIS, with 〓 standing in for each
// character Shift-JIS lacks and for each 〓 of the text, whose UTF-8 forms
// are kept in order.
struct LookupText {
    std::string shiftJis;
    std::vector<std::string> standIns;
};

// Converts UTF-8 `text`; false when it is not valid UTF-8, with `badAt` the
// offset of the first bad byte.
bool ToLookupText(std::string_view text, LookupText& out, std::size_t& badAt)
{
    out.standIns.clear();
    if (text.find(kStandInUtf8) == std::string_view::npos && Utf8ToShiftJis(text, out.shiftJis)) return true;
    // Character by character: Unicode forms of characters Shift-JIS has under
    // another code point are taken in that form, the rest stand in as 〓.
    out.shiftJis.clear();
    std::string one;
    for (std::size_t at = 0; at < text.size();) {
        char32_t c = 0;
        const std::size_t length = Utf8CharLength(text, at, c);
        if (length == 0) {
            badAt = at;
            return false;
        }
        const std::string_view written = text.substr(at, length);
        std::u16string_view compatible = c <= 0xFFFF ? CompatibilityForm(static_cast<char16_t>(c)) : u"";
        const char32_t form = c <= 0xFFFF ? ShiftJisForm(static_cast<char16_t>(c)) : c;
        std::string formText;
        char unit[4];
        if (compatible.empty()) formText.assign(unit, PutUtf8(form, unit));
        for (char16_t k : compatible) formText.append(unit, PutUtf8(k, unit));
        if (written != kStandInUtf8 && Utf8ToShiftJis(formText, one)) {
            out.shiftJis += one;
        } else {
            out.shiftJis += kStandInShiftJis;
            out.standIns.emplace_back(written);
        }
        at += length;
    }
    return true;
}

// Shift-JIS output line to UTF-8 with the stand-ins given back, in order.
std::string OutputLine(std::string_view shiftJis, const std::vector<std::string>& standIns)
{
    std::string line = ShiftJisToUtf8(shiftJis);
    if (standIns.empty()) return line;
    std::size_t at = 0;
    for (const std::string& written : standIns) {
        at = line.find(kStandInUtf8, at);
        if (at == std::string::npos) break;
        line.replace(at, kStandInUtf8.size(), written);
        at += written.size();
    }
    return line;
}

// The number (from 1) of the line that text[offset] is on.
std::size_t LineNumberAt(const std::string& text, std::size_t offset)
{
    std::size_t line = 1;
    for (std::size_t at = 0; at < offset; ++at) {
        const std::size_t lineBreak = LineBreakAt(text, at);
        if (lineBreak == 0) continue;
        ++line;
        at += lineBreak - 1;
    }
    return line;
}

// Looks up one clipboard text (cut to the line limit) and appends its lines.
void LookUp(const CommandOptions& options, const LookupText& text, ReadingEngine& engine, std::string& out)
{
    if (text.shiftJis.empty()) return;  // like an empty clipboard: nothing to show
    ReadingList readings;
    EngineChunkConverter converter(engine, options.maxCandi, options.mappingFlags);
    ConvertText(text.shiftJis, options.maxCandi, converter, readings);
    MemoryList list(options.sort);
    SetDisplayLines(list, text.shiftJis, readings, options.lineNumbers);
    for (const auto& line : list.Lines()) out += OutputLine(line, text.standIns) + "\n";
}

// Writes the furigana of one text (cut to the line limit) as one line.
void WriteFurigana(const CommandOptions& options, const LookupText& text, ReadingEngine& engine,
                   std::string& out)
{
    std::vector<FuriganaPiece> pieces = Furigana(engine, ShiftJisToUtf16(text.shiftJis));
    MapFuriganaReadings(pieces, options.mappingFlags);
    const std::u16string form =
        options.furigana == CommandOptions::Furigana::Ruby ? FuriganaRuby(pieces) : FuriganaBrackets(pieces);
    out += OutputLine(Utf16ToShiftJis(form), text.standIns) + "\n";
}

}  // namespace

const char kUsage[] =
    "usage: lexidrop-lookup [--max-candidates N] [--width none|half|full] "
    "[--kana none|hiragana|katakana] [--case none|lower|upper] [--sort] "
    "[--line-numbers | --no-line-numbers] [--line-limit N] [--each-line] [--dictionary FILE] "
    "[--furigana brackets|ruby] [--jobs N] [TEXT...]\n";

bool ParseOptions(const std::vector<std::string>& args, CommandOptions& o, std::string& error)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& v) {
            if (i + 1 >= args.size()) {
                error = a + " needs a value";
                return false;
            }
            v = args[++i];
            return true;
        };
        // One mapping group (width, kana or case): a later choice replaces an earlier one.
        auto choice = [&](std::initializer_list<std::pair<const char*, std::uint32_t>> names) {
            std::string v;
            if (!value(v)) return false;
            std::uint32_t group = 0;
            for (auto& [name, flag] : names) group |= flag;
            if (v == "none") {
                o.mappingFlags &= ~group;
                return true;
            }
            for (auto& [name, flag] : names)
                if (v == name) {
                    o.mappingFlags = (o.mappingFlags & ~group) | flag;
                    return true;
                }
            error = "bad value for " + a + ": " + v;
            return false;
        };
        std::string v;
        if (a == "--max-candidates") {
            if (!value(v)) return false;
            if (!Number(v, o.maxCandi) || o.maxCandi == 0) {
                error = "bad number for --max-candidates: '" + v + "' (1 to 4294967295)";
                return false;
            }
        } else if (a == "--line-limit") {
            if (!value(v)) return false;
            if (!Number(v, o.lineLimit)) {
                error = "bad number for --line-limit: '" + v + "' (0 to 4294967295, 0: the whole text)";
                return false;
            }
        } else if (a == "--jobs") {
            if (!value(v)) return false;
            if (!Number(v, o.jobs) || o.jobs == 0) {
                error = "bad number for --jobs: '" + v + "' (1 to 4294967295)";
                return false;
            }
        } else if (a == "--width") {
            if (!choice({{"half", kMapHalfWidth}, {"full", kMapFullWidth}})) return false;
        } else if (a == "--kana") {
            if (!choice({{"hiragana", kMapHiragana}, {"katakana", kMapKatakana}})) return false;
        } else if (a == "--case") {
            if (!choice({{"lower", kMapLowerCase}, {"upper", kMapUpperCase}})) return false;
        } else if (a == "-h" || a == "--help") {
            o.help = true;
        } else if (a == "--sort") {
            o.sort = true;
        } else if (a == "--line-numbers") {
            o.lineNumbers = true;
        } else if (a == "--no-line-numbers") {
            o.lineNumbers = false;
        } else if (a == "--each-line") {
            o.eachLine = true;
        } else if (a == "--furigana") {
            if (!value(v)) return false;
            if (v == "brackets") {
                o.furigana = CommandOptions::Furigana::Brackets;
            } else if (v == "ruby") {
                o.furigana = CommandOptions::Furigana::Ruby;
            } else {
                error = "bad value for --furigana: " + v;
                return false;
            }
        } else if (a == "--dictionary") {
            if (!value(o.dictionary)) return false;
        } else if (a == "--") {
            o.texts.insert(o.texts.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            error = "unknown option " + a;
            return false;
        } else {
            o.texts.push_back(a);
        }
    }
    return true;
}

namespace {

// Looks up each line of `lines` (whose first line is number firstLine of the
// input) and appends its block of output, or its separator and a message.
void RunLines(const CommandOptions& options, std::string_view lines, std::size_t firstLine,
              ReadingEngine& engine, CommandResult& result)
{
    const auto show = options.furigana == CommandOptions::Furigana::None ? LookUp : WriteFurigana;
    LookupText text;
    std::size_t badAt = 0;
    // CR LF, LF and CR each end a line; in UTF-8 (valid or not) a CR or LF
    // byte is always a character of its own.
    std::size_t start = 0;
    for (std::size_t lineNumber = firstLine; start < lines.size(); ++lineNumber) {
        std::size_t end = start;
        while (end < lines.size() && lines[end] != '\n' && lines[end] != '\r') ++end;
        if (ToLookupText(lines.substr(start, end - start), text, badAt)) {
            show(options, text, engine, result.out);
            if (options.furigana == CommandOptions::Furigana::None) result.out += "\n";
        } else {
            result.exitCode = kExitUnreadable;
            result.err += "lexidrop-lookup: line " + std::to_string(lineNumber) + " is not valid UTF-8\n";
            result.out += "\n";  // the line's block: only its separator
        }
        start = end < lines.size() ? end + LineBreakAt(lines, end) : end;
    }
}

// A run of whole lines of the input and the number of its first line.
struct LineRun {
    std::string_view lines;
    std::size_t firstLine;
};

// Cuts the input after line breaks into at most `parts` runs of about equal size.
std::vector<LineRun> LineRuns(std::string_view input, std::size_t parts)
{
    std::vector<LineRun> runs;
    std::size_t start = 0, firstLine = 1, line = 1;
    for (std::size_t at = 0; at < input.size(); ++at) {
        const std::size_t lineBreak = LineBreakAt(input, at);
        if (lineBreak == 0) continue;
        at += lineBreak - 1;
        ++line;
        const std::size_t end = at + 1;
        if (runs.size() + 1 < parts && end >= input.size() * (runs.size() + 1) / parts) {
            runs.push_back({input.substr(start, end - start), firstLine});
            start = end;
            firstLine = line;
        }
    }
    if (start < input.size()) runs.push_back({input.substr(start), firstLine});
    return runs;
}

}  // namespace

CommandResult RunCommand(const CommandOptions& options, const std::string& input, const Dictionary& dictionary)
{
    CommandResult result;
    result.out.reserve(input.size() * 2 + 64);  // the text and one reading per line, about
    if (!options.eachLine) {
        // Only the lines the limit takes are read. A text that is not valid
        // UTF-8 is reported with the number of the line it goes wrong on.
        ReadingEngine engine(dictionary);
        const std::string_view taken(input.data(), LineLimitedLength(input, options.lineLimit));
        LookupText text;
        std::size_t badAt = 0;
        if (ToLookupText(taken, text, badAt)) {
            (options.furigana == CommandOptions::Furigana::None ? LookUp : WriteFurigana)(options, text, engine,
                                                                                        result.out);
        } else {
            result.exitCode = kExitUnreadable;
            result.err += "lexidrop-lookup: line " + std::to_string(LineNumberAt(input, badAt)) +
                          " is not valid UTF-8\n";
        }
        return result;
    }
    const std::size_t jobs = options.jobs ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
    const std::vector<LineRun> runs = LineRuns(input, std::min<std::size_t>(jobs, 64));
    std::vector<CommandResult> results(runs.size());
    auto work = [&](std::size_t i) {
        ReadingEngine engine(dictionary);  // an engine is for one thread only
        RunLines(options, runs[i].lines, runs[i].firstLine, engine, results[i]);
    };
    std::vector<std::thread> threads;
    for (std::size_t i = 1; i < runs.size(); ++i) threads.emplace_back(work, i);
    if (!runs.empty()) work(0);
    for (auto& t : threads) t.join();
    for (const CommandResult& r : results) {
        result.out += r.out;
        result.err += r.err;
        result.exitCode = std::max(result.exitCode, r.exitCode);
    }
    return result;
}

}  // namespace lexidrop::tool
