// The string-mapping flags of readings, with the values of the platform's
// LCMAP_* flags: the settings store them and the mapping reads them.
#pragma once
#include <cstdint>

namespace lexidrop {

inline constexpr std::uint32_t kMapLowerCase = 0x00000100;
inline constexpr std::uint32_t kMapUpperCase = 0x00000200;
inline constexpr std::uint32_t kMapHiragana = 0x00100000;
inline constexpr std::uint32_t kMapKatakana = 0x00200000;
inline constexpr std::uint32_t kMapHalfWidth = 0x00400000;
inline constexpr std::uint32_t kMapFullWidth = 0x00800000;

}  // namespace lexidrop
