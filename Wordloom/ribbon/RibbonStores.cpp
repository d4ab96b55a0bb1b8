#include "RibbonStores.h"

#include "RegistryKey.h"
#include "TableStore.h"
#include "Win32Handles.h"

#include <shlwapi.h>

#include <vector>

namespace {

constexpr wchar_t RecentItemsValue[] = L"UPTMRUList";
constexpr wchar_t RibbonStateValue[] = L"UPTRibbonState";

}  // namespace

RecentItems LoadRecentItems() {
    const RegistryKey key = RegistryKey::OpenForReadingAndWriting(HKEY_CURRENT_USER, VantixKeyPath);
    if (!key) return {};
    const std::optional<RegistryValueInfo> info = key.QueryValue(RecentItemsValue);
    if (!info || (info->type != REG_SZ && info->type != REG_EXPAND_SZ) || info->size <= 1) return {};
    // The whole value, in whole UTF-16 units: a buffer shorter than the value fails the read. A
    // stray last byte of an odd size is the parser's to judge.
    const std::size_t units = (std::size_t{info->size} + 1) / 2;
    std::vector<std::uint8_t> bytes(2 * units);
    const std::optional<DWORD> type = key.ReadValue(RecentItemsValue, bytes.data(), static_cast<DWORD>(bytes.size()));
    if (!type) return {};
    return RecentItemsFromStored(*type, bytes.data(), info->size);
}

void SaveRecentItems(const RecentItems& items) {
    const std::vector<std::uint8_t> bytes = StoredRecentItemsBytes(items);
    RegistryKey key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, VantixKeyPath);
    if (key) key.SetValue(RecentItemsValue, REG_SZ, bytes.data(), static_cast<DWORD>(bytes.size()));
}

void LoadRibbonSettings(IRibbonView& view) {
    const ComPtr<IStream> stream =
        ComPtr<IStream>::Adopt(SHOpenRegStream2W(HKEY_CURRENT_USER, VantixKeyPath, RibbonStateValue, STGM_READ));
    if (!stream) return;
    const LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    view.LoadSettingsFromStream(stream.get());
}

void SaveRibbonSettings(IRibbonView& view) {
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) || FAILED(view.SaveSettingsToStream(stream.get()))) {
        return;
    }
    STATSTG status{};
    if (FAILED(stream->Stat(&status, STATFLAG_NONAME))) return;
    const ULONG size = status.cbSize.LowPart;
    std::vector<std::uint8_t> bytes(size, 0);
    const LARGE_INTEGER start{};
    ULONG read = 0;
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr)) ||
        (size > 0 && FAILED(stream->Read(bytes.data(), size, &read))) || read != size) {
        return;
    }
    RegistryKey key = RegistryKey::OpenOrCreate(HKEY_CURRENT_USER, VantixKeyPath);
    if (key) key.SetBinary(RibbonStateValue, bytes.data(), size);
}
