// Entry point. On Windows the arguments arrive as UTF-16 through wmain and are turned into UTF-8
// here, so that every file name reaches the program whatever the console's code page; elsewhere
// they already are UTF-8 bytes.
#include "Utf8.h"
#include "VantixDict.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

int Run(std::vector<std::string> args) {
    std::ios::sync_with_stdio(false);  // reports of large files are long
    const int code = RunVantixDict(args, std::cout, std::cerr);
    std::cout.flush();
    return code;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t* argv[]) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide strings are UTF-16");
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::u16string units;
        for (const wchar_t* c = argv[i]; *c != L'\0'; ++c) units += static_cast<char16_t>(*c);
        std::string utf8;
        std::size_t badUnit = 0;
        if (!AppendUtf8FromUtf16(utf8, units, badUnit)) {
            std::cerr << "vantixdict: argument " << i << " is not valid UTF-16\n";
            return 2;
        }
        args.push_back(std::move(utf8));
    }
    return Run(std::move(args));
}
#else
int main(int argc, char* argv[]) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
