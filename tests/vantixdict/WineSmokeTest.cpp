// Smoke test of the real vantixdict.exe on Windows (run through Wine by ctest): starts the
// program beside this one with wide command lines, in a folder whose name is not ASCII, and
// checks exit codes, reports and the files it writes. Exit code 0 when everything holds.
#include "ChildProcess.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

int failures = 0;

void Expect(bool condition, const char* what) {
    std::printf("%s: %s\n", condition ? "ok" : "FAILED", what);
    if (!condition) ++failures;
}

struct Run {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // stdout and stderr together
};

// Starts vantixdict.exe with the arguments and collects what it prints.
Run Start(const std::wstring& arguments, const fs::path& folder) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    ChildProcess program(fs::path(self).parent_path() / L"vantixdict.exe", arguments, ChildOutput::Captured, folder);
    Run run;
    run.output = program.ReadOutput();
    run.exitCode = program.ExitCode(INFINITE).value_or(0xFFFFFFFF);
    return run;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Expects an exit code; shows what the program printed when it differs.
void ExpectExit(const Run& run, DWORD code, const char* what) {
    Expect(run.exitCode == code, what);
    if (run.exitCode != code) std::printf("  exit code %lu, output:\n%s\n", run.exitCode, run.output.c_str());
}

bool Has(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

}  // namespace

int wmain() {
    const fs::path folder = fs::temp_directory_path() / L"vantixdict \u8a5e\u5f59 smoke";
    fs::remove_all(folder);
    fs::create_directories(folder);

    // The stored form of "YOEY<TAB>詞彙 CR LF" and "q<TAB>人 CR LF", written as the phrase tool does.
    const std::string stored("Y\0O\0E\0Y\0\t\0\x5e\x8a\x59\x5f\r\0\n\0q\0\t\0\xba\x4e\r\0\n\0", 28);
    WriteFile(folder / L"\u8a5e\u5f59.dat", stored);

    const Run help = Start(L"--help", folder);
    Expect(help.exitCode == 0 && Has(help.output, "Usage: vantixdict"), "--help prints the usage, exit 0");

    const Run toUtf8 = Start(L"convert \u8a5e\u5f59.dat \u8a5e\u5f59.txt", folder);
    ExpectExit(toUtf8, 0, "convert to UTF-8 with non-ASCII file names, exit 0");
    Expect(ReadFile(folder / L"\u8a5e\u5f59.txt") == "YOEY\t\xE8\xA9\x9E\xE5\xBD\x99\nq\t\xE4\xBA\xBA\n",
           "the UTF-8 text holds the phrases with LF line ends");

    const Run back = Start(L"convert \u8a5e\u5f59.txt -o back.dat", folder);
    ExpectExit(back, 0, "convert back to the stored form, exit 0");
    std::string raised = stored;
    raised[18] = 'Q';  // the import raises the key q
    Expect(ReadFile(folder / L"back.dat") == raised, "the stored form comes back, with the key raised");

    WriteFile(folder / L"broken.txt", "Q\tgood\nno tab here\nA\tlast");
    const Run check = Start(L"check broken.txt", folder);
    Expect(check.exitCode == 1, "check of a broken file, exit 1");
    Expect(Has(check.output, "broken.txt:2: invalid: no TAB"), "check names the invalid line");
    Expect(Has(check.output, "read 2 phrases and report 1 invalid line"), "check reads the last line without line end");

    const Run refused = Start(L"convert broken.txt broken.dat", folder);
    Expect(refused.exitCode == 1 && !fs::exists(folder / L"broken.dat"), "a refused conversion writes nothing");

    const Run replace = Start(L"convert back.dat -o back.dat --to utf8 --eol crlf", folder);
    ExpectExit(replace, 0, "-o may name the input");
    Expect(ReadFile(folder / L"back.dat") == "YOEY\t\xE8\xA9\x9E\xE5\xBD\x99\r\nQ\t\xE4\xBA\xBA\r\n",
           "the input was replaced by its UTF-8 text");
    std::size_t files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) files += entry.is_regular_file() ? 1 : 0;
    Expect(files == 4, "no temporary file is left behind");

    const Run missing = Start(L"stats missing.dat", folder);
    Expect(missing.exitCode == 2 && Has(missing.output, "no such file"), "a missing file, exit 2");

    fs::remove_all(folder);
    std::printf("%d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
