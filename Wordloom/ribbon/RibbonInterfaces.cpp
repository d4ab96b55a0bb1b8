#include "RibbonInterfaces.h"

#include <cstring>
#include <cwchar>

namespace {

// One family of keys: the same GUID, told apart by the property id.
constexpr GUID KeyFamily{0x80cf83ec, 0x82dc, 0x4bfb, {0xb5, 0x23, 0x9a, 0x17, 0x3f, 0xa9, 0xb1, 0xa9}};

constexpr PROPERTYKEY Key(DWORD id) {
    return PROPERTYKEY{KeyFamily, id};
}

}  // namespace

const PROPERTYKEY RibbonKeyEnabled = Key(1);
const PROPERTYKEY RibbonKeyLabel = Key(2);
const PROPERTYKEY RibbonKeyLabelDescription = Key(3);
const PROPERTYKEY RibbonKeyTooltipTitle = Key(4);
const PROPERTYKEY RibbonKeyTooltipDescription = Key(5);
const PROPERTYKEY RibbonKeyBooleanValue = Key(6);
const PROPERTYKEY RibbonKeyRecentItems = Key(7);
const PROPERTYKEY RibbonKeyPinned = Key(8);
const PROPERTYKEY RibbonKeySelectedItem = Key(9);

const IID IID_IRibbonPropertySet{0x5945c0a9, 0x626f, 0x43a4, {0x88, 0xaf, 0x18, 0xce, 0xe7, 0x73, 0x66, 0xc0}};
const IID IID_IRibbonCommandHandler{0xc054f90c, 0xccff, 0x4e5d, {0xac, 0x95, 0xe8, 0xb2, 0x6d, 0x32, 0x76, 0xf7}};
const IID IID_IRibbonApplication{0xbfecb971, 0xa3f8, 0x4704, {0x83, 0xf5, 0x45, 0x89, 0xbb, 0x3a, 0xb0, 0x7a}};
const IID IID_IRibbonView{0x4f0a8ee5, 0x3fd0, 0x4779, {0xbd, 0xb8, 0x20, 0xf3, 0xa1, 0x6e, 0xc6, 0x99}};
const IID IID_IRibbonContextualUI{0xed3047d7, 0xb30c, 0x4cbf, {0x95, 0xbf, 0xb0, 0x2f, 0xdb, 0xde, 0x49, 0x6a}};
const IID IID_IRibbonFramework{0xb08e655b, 0xe26d, 0x4deb, {0xbe, 0x5d, 0xdb, 0xd5, 0xb1, 0x0d, 0xd3, 0x11}};

bool SameKey(const PROPERTYKEY& a, const PROPERTYKEY& b) {
    return a.pid == b.pid && IsEqualGUID(a.fmtid, b.fmtid);
}

HRESULT RibbonStringValue(const wchar_t* text, PROPVARIANT* value) {
    if (!value) return E_POINTER;
    const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    auto* copy = static_cast<wchar_t*>(CoTaskMemAlloc(bytes));
    if (!copy) return E_OUTOFMEMORY;
    std::memcpy(copy, text, bytes);
    PropVariantInit(value);
    value->vt = VT_LPWSTR;
    value->pwszVal = copy;
    return S_OK;
}

HRESULT RibbonBooleanValue(bool flag, PROPVARIANT* value) {
    if (!value) return E_POINTER;
    PropVariantInit(value);
    value->vt = VT_BOOL;
    value->boolVal = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

bool ReadRibbonBoolean(const PROPVARIANT& value, bool fallback) {
    return value.vt == VT_BOOL ? value.boolVal != VARIANT_FALSE : fallback;
}
