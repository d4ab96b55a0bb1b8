#include "ResourceChecks.h"

#include "Localization.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace {

std::wstring FromUtf8(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                           static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                        wide.data(), length);
    return wide;
}

std::wstring Unescape(const std::wstring& text) {
    std::wstring plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        switch (text[++i]) {
        case L'n': plain += L'\n'; break;
        case L'r': plain += L'\r'; break;
        case L't': plain += L'\t'; break;
        default: plain += text[i]; break;
        }
    }
    return plain;
}

BOOL CALLBACK CollectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR collected) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<unsigned>*>(collected)->push_back(
            static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR collected) {
    reinterpret_cast<std::vector<WORD>*>(collected)->push_back(language);
    return TRUE;
}

}  // namespace

StringTable ReadExpectedStrings(const std::string& fileName) {
    StringTable table;
    std::ifstream file(std::string(VANTIX_FIXTURES_DIR) + "/strings/" + fileName, std::ios::binary);
    EXPECT_TRUE(file.good()) << "cannot read " << fileName;
    std::string line;
    while (std::getline(file, line)) {
        const std::size_t first = line.find('\t');
        const std::size_t second = line.find('\t', first + 1);
        if (first == std::string::npos || second == std::string::npos) continue;
        const auto language = static_cast<UiLanguage>(std::stoul(line.substr(0, first)));
        const auto id = static_cast<unsigned>(std::stoul(line.substr(first + 1, second - first - 1)));
        table[{language, id}] = Unescape(FromUtf8(line.substr(second + 1)));
    }
    return table;
}

StringTable CompiledStrings(HMODULE module) {
    StringTable table;
    std::vector<unsigned> blocks;
    EnumResourceNamesW(module, RT_STRING, CollectName, reinterpret_cast<LONG_PTR>(&blocks));
    for (const unsigned block : blocks) {
        std::vector<WORD> languages;
        EnumResourceLanguagesW(module, RT_STRING, MAKEINTRESOURCEW(block), CollectLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
        for (const WORD language : languages) {
            for (unsigned id = (block - 1) * 16; id < block * 16; ++id) {
                std::wstring text = LoadLocalizedString(module, language, id);
                if (!text.empty()) table[{language, id}] = std::move(text);
            }
        }
    }
    return table;
}
