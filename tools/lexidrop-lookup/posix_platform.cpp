#include "platform.h"

#include <iconv.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace lexidrop::tool {
namespace {

// One converter per direction is opened once and kept for the run (opening
// one costs more than converting a line); the tool is single-threaded.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (Valid()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of in; on a sequence it cannot convert calls bad(out) and
    // skips one input byte (or unit) unless bad returns false, which stops.
    template <typename Bad>
    bool Run(const char* data, std::size_t size, std::string& out, std::size_t unit, Bad bad)
    {
        out.clear();
        if (!Valid()) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh start for a reused converter
        char* in = const_cast<char*>(data);
        std::size_t left = size;
        // Room for the whole result at once: glibc converts in two steps and
        // redoes the first one whenever the output runs full.
        std::size_t used = 0;
        while (left > 0) {
            out.resize(used + left + left / 2 + 16);
            char* o = out.data() + used;
            std::size_t room = out.size() - used;
            std::size_t r = iconv(cd_, &in, &left, &o, &room);
            used = static_cast<std::size_t>(o - out.data());
            out.resize(used);
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
                if (!bad(out)) return false;
                used = out.size();
                std::size_t skip = std::min(unit, left);
                in += skip;
                left -= skip;
            }
        }
        return true;
    }

private:
    iconv_t cd_;
};

}  // namespace

bool Utf8ToShiftJis(std::string_view utf8, std::string& out)
{
    static Converter c("CP932", "UTF-8");
    return c.Run(utf8.data(), utf8.size(), out, 1, [](std::string&) { return false; });
}

std::string ShiftJisToUtf8(std::string_view sjis)
{
    std::string out;
    static Converter c("UTF-8", "CP932");
    c.Run(sjis.data(), sjis.size(), out, 1, [](std::string& o) {
        o += "\xE3\x83\xBB";
        return true;
    });
    return out;
}

std::u16string ShiftJisToUtf16(std::string_view sjis)
{
    std::string bytes;
    static Converter c("UTF-16LE", "CP932");
    c.Run(sjis.data(), sjis.size(), bytes, 1, [](std::string& o) {
        o += "\xFB\x30";
        return true;
    });
    std::u16string out(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    return out;
}

std::string Utf16ToShiftJis(std::u16string_view text)
{
    std::string bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    std::string out;
    static Converter c("CP932", "UTF-16LE");
    c.Run(bytes.data(), bytes.size(), out, 2, [](std::string& o) {
        o += '?';
        return true;
    });
    return out;
}

std::string ProgramFolder()
{
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    std::string s(path, static_cast<std::size_t>(n));
    return s.substr(0, s.find_last_of('/') + 1);
}

std::vector<std::string> Arguments(int argc, char** argv)
{
    return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

void UseBinaryStreams() {}

}  // namespace lexidrop::tool
