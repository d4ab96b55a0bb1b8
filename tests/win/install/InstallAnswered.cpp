// Runs an installer and answers its messages, for a first run without anyone at the screen
// (tools/run-wordloom): prints each message, then exits with the installer's exit code.
//   install_answered PATH\Install.exe
#include "InstallerProcess.h"

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: install_answered PATH\\Install.exe\n", stderr);
        return 2;
    }
    const InstallerProcess installer{std::filesystem::path(argv[1])};
    if (!installer.Started()) {
        std::fputs("install_answered: the installer could not be started\n", stderr);
        return 2;
    }
    std::vector<MessageShown> shown;
    const std::optional<DWORD> exitCode = installer.AnswerAll(shown);
    for (const MessageShown& message : shown) {
        std::printf("%s: %s\n", Utf8(message.caption).c_str(), Utf8(message.text).c_str());
    }
    if (!exitCode) {
        std::fputs("install_answered: the installer did not end\n", stderr);
        return 2;
    }
    std::printf("exit code %ld\n", static_cast<long>(static_cast<LONG>(*exitCode)));
    return static_cast<int>(*exitCode);
}
