#include "services/help_control_cache.h"

namespace lexidrop {

void* HelpControlCache::Entry(HelpControlLoader& loader)
{
    if (disabled_) return nullptr;
    if (library_ == nullptr) {
        if (const std::optional<std::string> path = loader.RegisteredPath()) {
            library_ = loader.LoadLibraryFrom(*path);
        }
        if (library_ == nullptr) {
            library_ = loader.LoadLibraryFrom(bareName_);
        }
        if (library_ == nullptr) {
            disabled_ = true;
            return nullptr;
        }
    }
    if (entry_ == nullptr) {
        entry_ = loader.EntryByOrdinal(library_, kHelpEntryOrdinal);
        if (entry_ == nullptr) {
            disabled_ = true;
            return nullptr;
        }
    }
    return entry_;
}

}  // namespace lexidrop
