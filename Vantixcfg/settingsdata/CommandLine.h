// The settings tool's command line: which dialog to show.
#pragma once

#include <span>
#include <string_view>

enum class StartUpDialog { None, About, Configure };

// The first argument that is "/about" or "/configure" in any mix of upper and lower case
// decides; the others are passed over. Nothing is shown when no argument is one of the two
// (the platform hands over the program's own path when the command line is empty).
StartUpDialog DialogForArguments(std::span<const std::wstring_view> arguments);
