// The command-line lookup: text in, the list window's lines out.
//
//   lexidrop-lookup [--max-candidates N] [--width none|half|full]
//                   [--kana none|hiragana|katakana] [--case none|lower|upper]
//                   [--sort] [--line-numbers | --no-line-numbers]
//                   [--line-limit N] [--each-line] [--dictionary FILE]
//                   [--furigana brackets|ruby] [--jobs N] [TEXT...]
#pragma once

#include "engine/reading_engine.h"

#include <string>
#include <vector>

namespace lexidrop::tool {

inline constexpr int kExitOk = 0;
inline constexpr int kExitNoDictionary = 1;
inline constexpr int kExitUnreadable = 1;  // a line (or the text) was not valid UTF-8
inline constexpr int kExitBadInput = 2;

struct CommandResult {
    int exitCode = kExitOk;
    std::string out;  // UTF-8
    std::string err;
};

struct CommandOptions {
    std::uint32_t maxCandi = 20;
    std::uint32_t mappingFlags = 0;
    bool sort = false;
    bool lineNumbers = true;
    std::uint32_t lineLimit = 1;
    bool eachLine = false;
    bool help = false;  // -h or --help: print the usage and do nothing else
    // Instead of the lines: the text with readings over its kanji, one line.
    enum class Furigana { None, Brackets, Ruby } furigana = Furigana::None;
    std::string dictionary;  // "" = Lexidrop.dic beside the program
    // With --each-line: threads that share the lines, each with an engine of
    // its own (0: one per processor).
    std::uint32_t jobs = 0;
    std::vector<std::string> texts;
};

// The usage line, ending in a line break.
extern const char kUsage[];

// Parses the arguments; false with a message in `error` on a usage error. An
// option given twice takes its last value.
bool ParseOptions(const std::vector<std::string>& args, CommandOptions& options, std::string& error);

// Looks up `input` (the joined TEXT arguments, or standard input) in the
// dictionary. With --each-line the lines are shared out in runs of whole
// lines among the jobs; the output is the same for any number of jobs.
CommandResult RunCommand(const CommandOptions& options, const std::string& input, const Dictionary& dictionary);

}  // namespace lexidrop::tool
