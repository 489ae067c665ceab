#include "services/help_control_cache.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace lexidrop {
namespace {

// Libraries by path and their exports by ordinal; records every call.
class FakeLoader : public HelpControlLoader {
public:
    std::optional<std::string> registered;
    std::map<std::string, int> libraries;  // path -> library number
    std::map<int, int> exports;            // library number -> ordinal it exports
    std::vector<std::string> calls;
    int entryToken = 0;

    std::optional<std::string> RegisteredPath() override
    {
        calls.push_back("registry");
        return registered;
    }
    void* LoadLibraryFrom(const std::string& path) override
    {
        calls.push_back("load " + path);
        const auto it = libraries.find(path);
        return it == libraries.end() ? nullptr : Handle(it->second);
    }
    void* EntryByOrdinal(void* library, unsigned ordinal) override
    {
        calls.push_back("entry " + std::to_string(ordinal));
        for (const auto& [number, exported] : exports) {
            if (Handle(number) == library && static_cast<unsigned>(exported) == ordinal) {
                return &entryToken;
            }
        }
        return nullptr;
    }

    static void* Handle(int number)
    {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(number) * 16);
    }
};

TEST(HelpControlCache, LoadsTheRegisteredControlOnceAndKeepsIt)
{
    FakeLoader loader;
    loader.registered = "C:\\Windows\\System32\\hhctrl.ocx";
    loader.libraries[*loader.registered] = 1;
    loader.exports[1] = 14;
    HelpControlCache cache;

    EXPECT_EQ(cache.Entry(loader), &loader.entryToken);
    EXPECT_EQ(cache.Library(), FakeLoader::Handle(1));
    const std::vector<std::string> first = {"registry", "load C:\\Windows\\System32\\hhctrl.ocx", "entry 14"};
    EXPECT_EQ(loader.calls, first);

    // A second request, from the other caller, touches nothing.
    EXPECT_EQ(cache.Entry(loader), &loader.entryToken);
    EXPECT_EQ(loader.calls, first);
    EXPECT_FALSE(cache.Disabled());
}

TEST(HelpControlCache, FallsBackToTheBareNameWhenTheRegistryDoesNotHelp)
{
    for (const bool registered : {false, true}) {
        FakeLoader loader;
        if (registered) loader.registered = "D:\\moved\\hhctrl.ocx";  // registered but not loadable
        loader.libraries["hhctrl.ocx"] = 2;
        loader.exports[2] = 14;
        HelpControlCache cache;
        EXPECT_EQ(cache.Entry(loader), &loader.entryToken);
        EXPECT_EQ(loader.calls.back(), "entry 14");
        EXPECT_EQ(loader.calls[loader.calls.size() - 2], "load hhctrl.ocx");
    }
}

TEST(HelpControlCache, AControlThatCannotBeLoadedDisablesHelpForGood)
{
    FakeLoader loader;
    HelpControlCache cache;
    EXPECT_EQ(cache.Entry(loader), nullptr);
    EXPECT_TRUE(cache.Disabled());
    const std::vector<std::string> attempts = {"registry", "load hhctrl.ocx"};
    EXPECT_EQ(loader.calls, attempts);

    // Even a control that has appeared since is not looked for again.
    loader.libraries["hhctrl.ocx"] = 3;
    loader.exports[3] = 14;
    EXPECT_EQ(cache.Entry(loader), nullptr);
    EXPECT_EQ(loader.calls, attempts);
}

TEST(HelpControlCache, ALibraryWithoutTheEntryOrdinalDisablesHelp)
{
    FakeLoader loader;
    loader.libraries["hhctrl.ocx"] = 4;
    loader.exports[4] = 15;
    HelpControlCache cache;
    EXPECT_EQ(cache.Entry(loader), nullptr);
    EXPECT_TRUE(cache.Disabled());
    const std::size_t calls = loader.calls.size();
    EXPECT_EQ(cache.Entry(loader), nullptr);
    EXPECT_EQ(loader.calls.size(), calls);
}

TEST(HelpControlCache, UsesItsOwnBareName)
{
    FakeLoader loader;
    loader.libraries["other.ocx"] = 5;
    loader.exports[5] = 14;
    HelpControlCache cache("other.ocx");
    EXPECT_EQ(cache.Entry(loader), &loader.entryToken);
}

}  // namespace
}  // namespace lexidrop
