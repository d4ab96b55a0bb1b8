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

// The dialog the timer is waiting for, and what to do with it.
const std::function<void(HWND)>* pendingAnswer = nullptr;

BOOL CALLBACK FindThreadDialog(HWND window, LPARAM found) {
    wchar_t className[16]{};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK AnswerWhenUp(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindThisThreadsDialog();
    if (!dialog || !pendingAnswer) return;
    KillTimer(nullptr, timer);
    const auto* answer = std::exchange(pendingAnswer, nullptr);
    (*answer)(dialog);
}

}  // namespace

HWND FindThisThreadsDialog() {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindThreadDialog, reinterpret_cast<LPARAM>(&dialog));
    return dialog;
}

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

INT_PTR RunDialogAnswered(const std::function<INT_PTR()>& show,
                          const std::function<void(HWND dialog)>& answer) {
    pendingAnswer = &answer;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, AnswerWhenUp);
    const INT_PTR result = show();
    KillTimer(nullptr, timer);
    pendingAnswer = nullptr;
    return result;
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ControlText(HWND dialog, int controlId) {
    return WindowText(GetDlgItem(dialog, controlId));
}

RECT ControlRect(HWND dialog, int controlId) {
    RECT rect{};
    GetWindowRect(GetDlgItem(dialog, controlId), &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}
