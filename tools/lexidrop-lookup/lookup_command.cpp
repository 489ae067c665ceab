#include "lookup_command.h"

#include "lookup/line_limit.h"
#include "engine/string_forms.h"
#include "engine_chunk_converter.h"
#include "lookup/display_lines.h"
#include "platform.h"

#include <algorithm>
#include <charconv>

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
std::size_t LineBreakAt(const std::string& text, std::size_t at)
{
    if (text[at] == '\n') return 1;
    if (text[at] != '\r') return 0;
    return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
}

// Looks up one clipboard text (Shift-JIS) and appends its lines.
void LookUp(const CommandOptions& options, std::string text, ReadingEngine& engine, std::string& out)
{
    text.resize(LineLimitedLength(text, options.lineLimit));
    if (text.empty()) return;  // like an empty clipboard: nothing to show
    ReadingList readings;
    EngineChunkConverter converter(engine, options.maxCandi, options.mappingFlags);
    ConvertText(text, options.maxCandi, converter, readings);
    MemoryList list(options.sort);
    SetDisplayLines(list, text, readings, options.lineNumbers);
    for (const auto& line : list.Lines()) out += ShiftJisToUtf8(line) + "\n";
}

}  // namespace

const char kUsage[] =
    "usage: lexidrop-lookup [--max-candidates N] [--width none|half|full] "
    "[--kana none|hiragana|katakana] [--case none|lower|upper] [--sort] "
    "[--line-numbers | --no-line-numbers] [--line-limit N] [--each-line] [--dictionary FILE] "
    "[TEXT...]\n";

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

CommandResult RunCommand(const CommandOptions& options, const std::string& input, ReadingEngine& engine)
{
    CommandResult result;
    result.out.reserve(input.size() * 2 + 64);  // the text and one reading per line, about
    std::string text;
    if (!Utf8ToShiftJis(input, text)) {
        result.exitCode = kExitBadInput;
        result.err = "lexidrop-lookup: the text is not valid UTF-8 or has characters that Shift-JIS lacks\n";
        return result;
    }
    if (!options.eachLine) {
        LookUp(options, text, engine, result.out);
        return result;
    }
    // CR LF, LF and CR each end a line. Shift-JIS trail bytes are 0x40 and up,
    // so a CR or LF byte is always a character of its own.
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        LookUp(options, text.substr(start, end - start), engine, result.out);
        result.out += "\n";
        start = end < text.size() ? end + LineBreakAt(text, end) : end;
    }
    return result;
}

}  // namespace lexidrop::tool
