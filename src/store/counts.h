#pragma once

// How many of each thing the game has. The data files' layouts fix them: the
// record files hold a line per playable pattern (and per rank), the word file
// a slot per word. Plain constants, so the tools that have no Qt use them too.
inline constexpr int kPlayablePatterns = 99; // patterns 0 to 98
inline constexpr int kTitlePatternIndex = 99; // drawn on the title board, never played
inline constexpr int kPatternSlots = 100;    // the playable patterns and the title
inline constexpr int kWordSlots = 16;        // words of a pattern, slots 0 to 15
inline constexpr int kRankCount = 9;         // CPU ranks 0 to 8
inline constexpr int kBoardSide = 7;         // cells across and down
inline constexpr int kBoardCells = kBoardSide * kBoardSide;
