// The ticket's finishing codes and the "finishings" enumeration numbers.
#pragma once

#include <cstdint>

#include "convert/code_table.h"

namespace ovrabjt {

// Codes without a number here: 32 separator sheets and 256 a finishing
// template (written as their own attributes), 128 no finishing.
inline constexpr NumberTable<std::int32_t, 12> kFinishings{{{
    {1, 3},   // none
    {2, 20},  // staple top left
    {4, 21},  // staple bottom left
    {8, 28},  // dual staple left
    {16, 50},
    {64, 13},    // booklet maker
    {512, 29},   // dual staple top
    {1024, 22},  // staple top right
    {2048, 23},  // staple bottom right
    {4096, 30},  // dual staple right
    {8192, 52},
    {16384, 31},  // dual staple bottom
}}};

inline constexpr std::int32_t kFinishingSeparatorSheets = 32;
inline constexpr std::int32_t kFinishingNone = 128;
inline constexpr std::int32_t kFinishingTemplate = 256;

}  // namespace ovrabjt
