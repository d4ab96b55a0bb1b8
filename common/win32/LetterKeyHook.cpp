#include "LetterKeyHook.h"

namespace {

// The hook of this thread; a hook procedure gets no pointer of its own.
thread_local CLetterKeyHook* installedHook = nullptr;

constexpr UINT LastKeyMessage = 0x109;  // WM_UNICHAR

}  // namespace

std::unique_ptr<CLetterKeyHook> CLetterKeyHook::Install(HINSTANCE instance, int tableId) {
    UniqueAcceleratorTable table(LoadAcceleratorsW(instance, MAKEINTRESOURCEW(tableId)));
    if (!table) return nullptr;
    std::unique_ptr<CLetterKeyHook> hook(new CLetterKeyHook(std::move(table)));
    hook->hook_.reset(SetWindowsHookExW(WH_MSGFILTER, MessageFilter, nullptr, GetCurrentThreadId()));
    if (!hook->hook_) return nullptr;
    installedHook = hook.get();
    return hook;
}

bool CLetterKeyHook::InstalledOnThisThread() {
    return installedHook != nullptr;
}

CLetterKeyHook::~CLetterKeyHook() {
    hook_.reset();
    if (installedHook == this) installedHook = nullptr;
}

LRESULT CALLBACK CLetterKeyHook::MessageFilter(int code, WPARAM wParam, LPARAM lParam) {
    const CLetterKeyHook* self = installedHook;
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (self && self->target_ && code == MSGF_DIALOGBOX && message->message >= WM_KEYDOWN &&
        message->message <= LastKeyMessage && !(self->typingField_ && GetFocus() == self->typingField_) &&
        TranslateAcceleratorW(self->target_, self->table_.get(), message)) {
        return TRUE;  // consumed: the dialog never sees the key
    }
    return CallNextHookEx(self ? self->hook_.get() : nullptr, code, wParam, lParam);
}
