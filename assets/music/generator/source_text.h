// Reading the plain-text music sources: lines, words and numbers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace music {

bool IsBlank(char c);
std::string_view Trim(std::string_view text);
// Every piece between separators, empty ones included.
std::vector<std::string_view> Split(std::string_view text, char separator);
// The pieces between blanks, none empty.
std::vector<std::string_view> Words(std::string_view text);
// A number as a person writes it: 4, 0.5, 96000.
std::string ShortNumber(double value);

}  // namespace music
