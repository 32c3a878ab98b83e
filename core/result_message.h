#pragma once
// The result message: ResultPrefix, the handicap text, ResultSuffix. The
// carriage return of the prefix breaks it into two lines in the dialog.

#include <string>
#include <string_view>

// "あなたのＨＣは", a carriage return alone, three spaces.
inline constexpr std::string_view ResultPrefix = "あなたのＨＣは\r   ";
// Two ideographic spaces, "です".
inline constexpr std::string_view ResultSuffix = "　　です";

std::string ComposeResultMessage(std::string_view handicap_text);
