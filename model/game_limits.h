#pragma once

// A game has eleven team slots; the teams in play fill the first of them.
// The board has rows for the first eight.
inline constexpr int TeamSlots = 11;
inline constexpr int BoardRows = 8;
