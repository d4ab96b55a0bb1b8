#include "FileAccess.h"

#include <chrono>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string Quoted(const std::string& utf8Path) {
    return "'" + utf8Path + "'";
}

// A name beside the target that no file has yet; the clock keeps two runs apart.
fs::path TemporaryPathBeside(const fs::path& target) {
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0;; ++attempt) {
        fs::path candidate = target;
        candidate += ".vantixdict-" + std::to_string(ticks % 1000000007) + "-" + std::to_string(attempt) + ".tmp";
        std::error_code error;
        if (!fs::exists(candidate, error) || attempt >= 1000) return candidate;
    }
}

}  // namespace

fs::path PathFromUtf8(std::string_view utf8Path) {
    return fs::path(std::u8string(utf8Path.begin(), utf8Path.end()));
}

FileReading ReadWholeFile(const std::string& utf8Path, std::uint64_t maxBytes) {
    FileReading reading;
    const fs::path path = PathFromUtf8(utf8Path);
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        reading.error = "cannot read " + Quoted(utf8Path) + ": there is no such file";
        return reading;
    }
    if (error) {
        reading.error = "cannot read " + Quoted(utf8Path) + ": " + error.message();
        return reading;
    }
    if (status.type() == fs::file_type::directory) {
        reading.error = Quoted(utf8Path) + " is a directory, not a file";
        return reading;
    }
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        reading.error = "cannot read " + Quoted(utf8Path) + ": " + error.message();
        return reading;
    }
    if (size > maxBytes) {
        reading.error = Quoted(utf8Path) + " has " + std::to_string(size) + " bytes; vantixdict reads files of up to " +
                        std::to_string(maxBytes) + " bytes";
        return reading;
    }

    std::ifstream file(path, std::ios::binary);
    if (!file) {
        reading.error = "cannot open " + Quoted(utf8Path) + " for reading";
        return reading;
    }
    reading.bytes.resize(static_cast<std::size_t>(size));
    file.read(reading.bytes.data(), static_cast<std::streamsize>(size));
    if (file.gcount() != static_cast<std::streamsize>(size)) {
        reading.bytes.clear();
        reading.error = "cannot read " + Quoted(utf8Path) + ": the read stopped short of its size";
        return reading;
    }
    reading.ok = true;
    return reading;
}

std::string WriteFileAtomically(const std::string& utf8Path,
                                const std::function<void(std::ostream&)>& writeContent) {
    const fs::path target = PathFromUtf8(utf8Path);
    std::error_code error;
    if (fs::is_directory(target, error)) return Quoted(utf8Path) + " is a directory, not a file";

    const fs::path temporary = TemporaryPathBeside(target);
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) return "cannot create a file beside " + Quoted(utf8Path);
        writeContent(file);
        file.close();
        if (!file) {
            fs::remove(temporary, error);
            return "cannot write " + Quoted(utf8Path) + " (is the disk full?)";
        }
    }
    // A replaced file keeps its permissions.
    const fs::file_status old = fs::status(target, error);
    if (!error && fs::is_regular_file(old)) fs::permissions(temporary, old.permissions(), error);

    fs::rename(temporary, target, error);
    if (error) {
        const std::string reason = error.message();
        fs::remove(temporary, error);
        return "cannot replace " + Quoted(utf8Path) + ": " + reason;
    }
    return {};
}

bool IsSameFile(const std::string& utf8PathA, const std::string& utf8PathB) {
    std::error_code error;
    return fs::equivalent(PathFromUtf8(utf8PathA), PathFromUtf8(utf8PathB), error) && !error;
}
