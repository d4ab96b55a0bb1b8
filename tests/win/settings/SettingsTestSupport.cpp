#include "SettingsTestSupport.h"

#include "ChildProcess.h"
#include "ConfigureBox.h"
#include "DialogWindow.h"
#include "DialogDriver.h"
#include "SettingsStore.h"
#include "res/resource.h"
#include "TestBytes.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <iterator>

// ---- The stores ----

std::wstring SettingsFile() {
    const std::optional<std::wstring> path = SettingsFilePath();
    EXPECT_TRUE(path.has_value());
    return path.value_or(L"");
}

std::wstring SettingsFolder() {
    return std::filesystem::path(SettingsFile()).parent_path().wstring();
}

void RemoveStoredSettings() {
    std::error_code ignored;
    std::filesystem::remove_all(SettingsFile(), ignored);  // a file, or a folder put in its way
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, SettingsKeyPath);
    ASSERT_TRUE(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) << status;
}

void WriteSettingsFile(const std::string& bytes) { WriteFileBytes(SettingsFile(), bytes); }

std::optional<std::string> ReadSettingsFile() { return ReadFileBytes(SettingsFile()); }

std::string BytesOfWord(SettingsWord word) {
    const auto bytes = StoredBytesOf(word);
    return std::string(bytes.begin(), bytes.end());
}

std::optional<DWORD> RegistrySettingsValue() {
    DWORD value = 0;
    DWORD size = sizeof(value);
    DWORD type = REG_NONE;
    if (RegGetValueW(HKEY_CURRENT_USER, SettingsKeyPath, SettingsValueName, RRF_RT_ANY, &type, &value, &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return std::nullopt;
    }
    return value;
}

bool RunsOnWindows8OrLater() {
    const WindowsVersion version = CurrentWindowsVersion();
    return version.major > 6 || (version.major == 6 && version.minor >= 2);
}

bool RunsOnWindows8Point1OrLater() {
    return CurrentWindowsVersion().IsWindows8Point1OrLater();
}

// ---- The configure dialog ----

namespace {

bool IsDialogClass(HWND window) {
    wchar_t className[16]{};
    GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32770";
}

}  // namespace

INT_PTR RunConfigureBox(const std::vector<DialogStep>& steps) {
    const DialogStepsRun run = RunDialogSteps(
        [] {
            CConfigureBox box(GetModuleHandleW(nullptr));
            return box.Run(nullptr);
        },
        steps, 99);
    EXPECT_FALSE(run.endedByTheRunner) << "the configure dialog was still open ten seconds after the last step";
    EXPECT_EQ(run.stepsRun, steps.size()) << "the dialog closed before every step had run";
    return run.result;
}

HWND FindControl(HWND frame, int id) {
    if (const HWND control = GetDlgItem(frame, id)) return control;
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsDialogClass(child)) continue;
        if (const HWND control = GetDlgItem(child, id)) return control;
    }
    return nullptr;
}

HWND PageOf(HWND frame, int controlId) {
    return GetParent(FindControl(frame, controlId));
}

bool IsMarked(HWND frame, int id) {
    return SendMessageW(FindControl(frame, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsEnabled(HWND frame, int id) {
    return IsWindowEnabled(FindControl(frame, id)) != FALSE;
}

bool IsShown(HWND window) {
    return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void PressLetter(char letter) {
    PressKey(static_cast<UINT>(letter));
}

void ClickTab(HWND frame, int index) {
    const HWND tabs = GetDlgItem(frame, IDC_TABS);
    RECT item{};
    TabCtrl_GetItemRect(tabs, index, &item);
    const LPARAM point = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(tabs, WM_LBUTTONUP, 0, point);
}

void ClickButton(HWND frame, int id) {
    SendMessageW(FindControl(frame, id), BM_CLICK, 0, 0);
}

void SelectListItem(HWND frame, int listId, int index) {
    const HWND list = FindControl(frame, listId);
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

HBITMAP ShownPicture(HWND frame) {
    return reinterpret_cast<HBITMAP>(
        SendMessageW(FindControl(frame, IDC_LAYOUT_PREVIEW), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

namespace {

std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap, BITMAP& info) {
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return {};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight));
    const HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return pixels;
}

}  // namespace

bool SamePixels(HBITMAP a, HBITMAP b) {
    BITMAP infoA{};
    BITMAP infoB{};
    const std::vector<std::uint32_t> pixelsA = PixelsOf(a, infoA);
    const std::vector<std::uint32_t> pixelsB = PixelsOf(b, infoB);
    return !pixelsA.empty() && infoA.bmWidth == infoB.bmWidth && infoA.bmHeight == infoB.bmHeight &&
           pixelsA == pixelsB;
}

// ---- The phrase tool stand-in ----

std::wstring PhraseToolStartsLog() {
    return (std::filesystem::temp_directory_path() / L"vantix-phrase-tool-starts.log").wstring();
}

int WaitForPhraseToolStarts(int count) {
    int lines = 0;
    for (int waited = 0; waited < 5000; waited += 50) {
        std::ifstream log{std::filesystem::path(PhraseToolStartsLog())};
        std::string line;
        lines = 0;
        while (std::getline(log, line)) ++lines;
        if (lines >= count) return lines;
        Sleep(50);
    }
    return lines;
}

std::wstring SettingsToolPath() {
    std::wstring path = VANTIXCFG_EXE;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }
    return path;
}

HWND WaitForDialogOf(DWORD processId) {
    for (int waited = 0; waited < 10000; waited += 50) {
        if (const HWND dialog = VisibleDialogOf(processId)) return dialog;
        Sleep(50);
    }
    return nullptr;
}
