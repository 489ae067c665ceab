// lexidrop-lookup: the readings of a text as Lexidrop's list window would show
// them, from the built-in engine (Lexidrop.dic beside the program).
#include "lookup_command.h"
#include "platform.h"

#include <cstdio>

int main(int argc, char** argv)
{
    using namespace lexidrop;
    using namespace lexidrop::tool;
    UseBinaryStreams();
    CommandOptions options;
    std::string error;
    if (!ParseOptions(Arguments(argc, argv), options, error)) {
        std::fprintf(stderr, "lexidrop-lookup: %s\n%s", error.c_str(), kUsage);
        return kExitBadInput;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    std::string input;
    if (!options.texts.empty()) {
        for (std::size_t i = 0; i < options.texts.size(); ++i) input += (i ? " " : "") + options.texts[i];
    } else {
        // Read in blocks: a character at a time costs more than a short lookup.
        char block[65536];
        for (std::size_t n; (n = std::fread(block, 1, sizeof block, stdin)) > 0;) input.append(block, n);
        if (!input.empty() && input.back() == '\n') input.pop_back();  // the final line break of a file
        if (!input.empty() && input.back() == '\r') input.pop_back();
    }
    std::string path = options.dictionary.empty() ? DictionaryFileIn(ProgramFolder()) : options.dictionary;
    auto dictionary = Dictionary::Open(MapFile(path));
    if (!dictionary) {
        std::fprintf(stderr, "lexidrop-lookup: cannot use the dictionary %s\n", path.c_str());
        return kExitNoDictionary;
    }
    CommandResult result = RunCommand(options, input, *dictionary);
    std::fwrite(result.out.data(), 1, result.out.size(), stdout);
    std::fputs(result.err.c_str(), stderr);
    return result.exitCode;
}
