#pragma once
// The keyboard layouts the registry describes, read for naming a layout.
#include <windows.h>

#include <string>

#include "platform/keyboard_layout.h"

namespace qm {

inline constexpr const wchar_t* kKeyboardLayoutsPath =
    L"SYSTEM\\CurrentControlSet\\Control\\Keyboard Layouts";

// The layouts under root\path (tests give a key of their own); indirect strings are read
// with the shell's SHLoadIndirectString, looked up when first needed.
LayoutRegistry LayoutRegistryAt(HKEY root = HKEY_LOCAL_MACHINE,
                                const std::wstring& path = kKeyboardLayoutsPath);

} // namespace qm
