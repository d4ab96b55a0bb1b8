// The help texts: the overview and one page per command.
#pragma once

#include <string>
#include <string_view>

// The page for a command name, or the overview for an empty topic.
std::string HelpText(std::string_view topic);

inline constexpr const char* VantixDictVersion = "1.0.0";
