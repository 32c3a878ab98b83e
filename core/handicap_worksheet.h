#pragma once
// The record of the last calculation: the nine entry texts as typed, the
// nine values parsed from them, the handicap value (first the average of the
// three rounds, then the whole number) and the handicap text. One instance
// lives for the whole run; a calculation writes every field before it reads
// it, so what an earlier, failed calculation left behind never matters.

#include <array>
#include <string>

// The factor of every score differential: the slope rating of a course of
// standard difficulty.
inline constexpr float StandardSlope = 113.0f;
// The number of rounds averaged.
inline constexpr float RoundCount = 3.0f;

struct HandicapWorksheet {
  // Entries 1-3 are the scores, 4-6 the course ratings, 7-9 the slope
  // ratings of rounds 1 to 3 (entryTexts[0] is entry 1).
  std::array<std::string, 9> entryTexts;
  std::array<double, 3> scores{};
  std::array<double, 3> courseRatings{};
  std::array<double, 3> slopeRatings{};
  double handicapValue = 0;
  std::string handicapText;

  // Frees the ten texts (at shutdown); the values stay as they are.
  void ReleaseTexts();

  // The value that entry n (0-based, in the order above) is parsed into.
  double& EntryValue(int n) {
    return n < 3 ? scores[n] : n < 6 ? courseRatings[n - 3] : slopeRatings[n - 6];
  }
};
