// Whole-file reading and atomic writing with the standard library alone, so that the same code
// serves Linux and Windows. Paths arrive as UTF-8 (see main.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

std::filesystem::path PathFromUtf8(std::string_view utf8Path);

struct FileReading {
    bool ok = false;
    std::string bytes;
    std::string error;  // when not ok: what went wrong, naming the file
};

// Reads a whole regular file of at most maxBytes bytes.
FileReading ReadWholeFile(const std::string& utf8Path, std::uint64_t maxBytes);

// Has writeContent write to a temporary file beside the target and renames that over the target,
// so that the target is either left as it was or replaced whole. Returns an error text, empty on
// success.
std::string WriteFileAtomically(const std::string& utf8Path,
                                const std::function<void(std::ostream&)>& writeContent);

// Whether both paths name one existing file.
bool IsSameFile(const std::string& utf8PathA, const std::string& utf8PathB);
