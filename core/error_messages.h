#pragma once
// The texts that the handicap calculation's errors carry (UTF-8).

#include <string>
#include <string_view>

inline constexpr std::string_view InvalidOpMessage = "不正な浮動小数点数演算命令";
inline constexpr std::string_view ZeroDivideMessage = "0 による浮動小数点数除算";
inline constexpr std::string_view OverflowMessage = "浮動小数点数のオーバーフロー";

// "'<text>' は浮動小数点数ではありません", quoting the entry text whole, as typed.
std::string NotANumberMessage(std::string_view text);
