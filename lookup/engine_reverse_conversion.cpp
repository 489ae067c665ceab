#include "lookup/engine_reverse_conversion.h"

#include <cstddef>
#include <cstring>
#include <new>

namespace lexidrop {

std::u16string ForShiftJis(std::u16string reading)
{
    for (auto& c : reading)
        if (c >= u'\u3094' && c <= u'\u3096') c = static_cast<char16_t>(c + 0x60);
    return reading;
}

void EngineReverseConversion::Build(const std::u16string& source)
{
    if (built_ && builtFor_ == source && builtMax_ == maxReadings_) return;
    built_ = false;
    list_.clear();
    std::vector<std::u16string> readings = engine_.Readings(source, maxReadings_);
    if (readings.empty()) return;
    const std::size_t header = offsetof(CandidateListHeader, dwOffset) + 4 * readings.size();
    std::size_t size = header;
    for (const auto& r : readings) size += 2 * (r.size() + 1);
    if (size > UINT32_MAX) return;
    list_.assign(size, 0);
    CandidateListHeader h{};
    h.dwSize = static_cast<std::uint32_t>(size);
    h.dwStyle = 3;  // IME_CAND_MEANING
    h.dwCount = static_cast<std::uint32_t>(readings.size());
    h.dwPageSize = h.dwCount;
    std::memcpy(list_.data(), &h, offsetof(CandidateListHeader, dwOffset));
    std::size_t at = header;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const std::u16string r = ForShiftJis(readings[i]);
        const auto offset = static_cast<std::uint32_t>(at);
        std::memcpy(list_.data() + offsetof(CandidateListHeader, dwOffset) + 4 * i, &offset, 4);
        std::memcpy(list_.data() + at, r.data(), 2 * r.size());
        at += 2 * (r.size() + 1);
    }
    builtFor_ = source;
    builtMax_ = maxReadings_;
    built_ = true;
}

std::uint32_t EngineReverseConversion::GetReverseConversionList(void*, void*, const char16_t* source,
                                                                void* list, std::uint32_t size)
{
    if (!source) return 0;
    try {
        Build(std::u16string(source));
    } catch (const std::bad_alloc&) {
        built_ = false;
        list_.clear();
        return 0;
    }
    if (!built_) return 0;
    const auto needed = static_cast<std::uint32_t>(list_.size());
    if (!list) return needed;
    if (size < needed) return 0;
    std::memcpy(list, list_.data(), needed);
    return needed;
}

}  // namespace lexidrop
