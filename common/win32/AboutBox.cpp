#include "AboutBox.h"

#include "Localization.h"

#include <vector>

namespace {

// The ProductVersion of the file, from its version resource's language-neutral UTF-16 table.
std::optional<std::wstring> ProductVersionOf(const wchar_t* path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    if (size == 0) return std::nullopt;
    std::vector<std::byte> info(size);
    if (!GetFileVersionInfoW(path, 0, size, info.data())) return std::nullopt;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), L"\\StringFileInfo\\000004b0\\ProductVersion", &value, &length) ||
        !value) {
        return std::nullopt;
    }
    const auto* text = static_cast<const wchar_t*>(value);
    // The length counts the terminator when there is one.
    while (length > 0 && text[length - 1] == L'\0') --length;
    return std::wstring(text, length);
}

}  // namespace

std::wstring VersionLineOfFile(const std::wstring& format, const wchar_t* filePath) {
    const std::optional<std::wstring> version = ProductVersionOf(filePath);
    return version ? FormatWithText(format, *version) : format;
}

std::wstring AboutVersionLine(HINSTANCE instance, UiLanguage language, unsigned formatString,
                              ModuleFileNameQuery programFileName) {
    const std::optional<std::wstring> path = WholeProgramPath(programFileName);
    const std::wstring format = LoadLocalizedString(instance, language, formatString);
    if (!path) return format;
    return VersionLineOfFile(format, path->c_str());
}

CAboutBox::CAboutBox(HINSTANCE instance, UiLanguage language, const AboutBoxResources& resources)
    : instance_(instance), language_(language), resources_(resources) {}

INT_PTR CAboutBox::Show(HWND owner) {
    return RunModal(instance_, resources_.templateId, owner);
}

INT_PTR CAboutBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DPICHANGED:
        if (resources_.dpiRule != DialogDpiRule::Monitor ||
            !CurrentWindowsVersion().IsWindows8Point1OrLater()) {
            return FALSE;
        }
        OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
        return TRUE;
    case WM_DESTROY:
        font_.reset();
        smallIcon_.reset();
        bigIcon_.reset();
        return FALSE;
    default:
        return CDialog::HandleMessage(message, wParam, lParam);
    }
}

bool CAboutBox::OnCommand(int id, int) {
    if (id != IDOK && id != IDCANCEL) return false;
    EndDialog(Window(), id);
    return true;
}

void CAboutBox::OnInitDialog() {
    if (resources_.dpiRule == DialogDpiRule::Monitor) EnableNonClientScalingIfNeeded(Window());
    LoadDialogIcons(Window(), instance_, resources_.iconId, BaseDpi, DialogDpiRule::DeviceContext,
                    smallIcon_, bigIcon_);
    SetWindowTextW(Window(), LoadLocalizedString(instance_, language_, resources_.captionString).c_str());
    Layout();
    CentreWindow(Window());
}

void CAboutBox::Layout() {
    const std::wstring versionLine = AboutVersionLine(instance_, language_, resources_.versionFormatString);
    const std::wstring secondLine = LoadLocalizedString(instance_, language_, resources_.secondLineString);
    const std::wstring okText = LoadLocalizedString(instance_, language_, resources_.okString);

    DialogMeasure measure(Window(), resources_.dpiRule);
    dpi_ = measure.Dpi();
    RECT iconClient{};
    GetClientRect(GetDlgItem(Window(), resources_.iconControl), &iconClient);
    const Size icon{iconClient.right, iconClient.bottom};
    std::optional<AboutBoxMeasurements> measured;
    if (measure.HasDeviceContext()) {
        measured = AboutBoxMeasurements{measure.Dpi(), measure.Extent(versionLine),
                                        measure.Extent(secondLine)};
    }
    const AboutBoxLayout layout = AboutBoxLayoutFor(resources_.base, icon, measured);
    font_ = measure.TakeFont();

    const Size client = ResizeDialogClient(Window(), layout.clientSize, dpi_, resources_.dpiRule);
    const AboutBoxPlacement placement = PlaceAboutBoxControls(layout, client);
    PlaceDialogControl(Window(), resources_.iconControl, placement.icon, font_.get());
    PlaceDialogControl(Window(), resources_.versionLineControl, placement.versionLine, font_.get(), &versionLine);
    PlaceDialogControl(Window(), resources_.secondLineControl, placement.secondLine, font_.get(), &secondLine);
    PlaceDialogControl(Window(), IDOK, placement.okButton, font_.get(), &okText);
}

void CAboutBox::OnDpiChanged(const RECT& suggested) {
    SetWindowPos(Window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Layout();
    // The layout sized the window anew; it stays where the system put it.
    SetWindowPos(Window(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    LoadDialogIcons(Window(), instance_, resources_.iconId, dpi_, resources_.dpiRule, smallIcon_, bigIcon_);
}
