// Finding, loading and keeping the HTML Help control's entry point. The
// control is looked up in the registry on first use, with its bare file name
// as a fallback; once it fails to load, it is never tried again.
#pragma once
#include <optional>
#include <string>

namespace lexidrop {

// File name of the HTML Help control, found along the library search path.
inline constexpr const char* kHelpControlFileName = "hhctrl.ocx";
// Ordinal of the control's ANSI entry point (HtmlHelpA).
inline constexpr unsigned kHelpEntryOrdinal = 14;

// The platform operations the cache needs.
class HelpControlLoader {
public:
    virtual ~HelpControlLoader() = default;
    // The control's registered library path, or nothing when it is not registered.
    virtual std::optional<std::string> RegisteredPath() = 0;
    // Loads a library; null on failure.
    virtual void* LoadLibraryFrom(const std::string& path) = 0;
    // The library's export with this ordinal; null when there is none.
    virtual void* EntryByOrdinal(void* library, unsigned ordinal) = 0;
};

// Not loaded -> loaded (library and entry kept for good) or disabled (every
// later request answers null without looking anything up).
class HelpControlCache {
public:
    explicit HelpControlCache(const char* bareName = kHelpControlFileName) : bareName_(bareName) {}

    // The entry point, loading the control on the first request; null when the
    // control is unavailable.
    void* Entry(HelpControlLoader& loader);

    bool Disabled() const { return disabled_; }
    void* Library() const { return library_; }

private:
    const char* bareName_;
    void* library_ = nullptr;
    bool disabled_ = false;
    void* entry_ = nullptr;
};

}  // namespace lexidrop
