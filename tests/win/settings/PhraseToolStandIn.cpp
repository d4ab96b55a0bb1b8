// Stands in for the phrase tool beside the settings tool's tests: each start adds one line
// to %TEMP%\vantix-phrase-tool-starts.log, so a test can count the starts.
#include <windows.h>

#include <filesystem>
#include <fstream>

int main() {
    std::ofstream log(std::filesystem::temp_directory_path() / "vantix-phrase-tool-starts.log", std::ios::app);
    log << "started " << GetCurrentProcessId() << "\n";
    return 0;
}
