#pragma once
// Shared by the hotkey control tests: a window to place controls on, files and
// registry keys of their own, key presses sent as messages, a look at the control's
// hooks, and a watch that answers the control's "error" boxes so that no test hangs on one.
#include "hotkey/hotkey_control.h"
#include "hotkey/hotkey_field_subclass.h"
#include "platform/program_path.h"
#include "platform/text_codec.h"
#include "platform/unique_handle.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qm::test {

inline std::string TestName() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

// A settings file beside the test exe, named after the running test.
inline std::string TestIniName() {
    return "hotkey-test-" + TestName() + ".ini";
}
inline std::wstring TestIniPath() {
    return ProgramFolder() + L"\\" + AnsiToWide(TestIniName());
}
inline std::string ReadWholeFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
inline void WriteWholeFile(const std::wstring& path, const std::string& content) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << content;
}

inline UniqueHwnd CreateParentWindow() {
    return UniqueHwnd(CreateWindowExA(0, "STATIC", "hotkey test", WS_OVERLAPPEDWINDOW, 0, 0, 400,
                                      200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
}

inline HotKeyOptions TestOptions(const std::string& name = "HotKey1") {
    HotKeyOptions options;
    options.name = name;
    options.ini_file_name = TestIniName();
    return options;
}

inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Presses the keys in order into a window, holding each, then releases them in
// reverse order: the thread's keyboard state says what is held, as for real keys.
inline void PressKeys(HWND window, std::initializer_list<int> keys) {
    BYTE state[256] = {};
    for (int key : keys) {
        state[key] = 0x80;
        SetKeyboardState(state);
        SendMessageA(window, WM_KEYDOWN, key, 1);
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) {
        state[*it] = 0;
        SetKeyboardState(state);
        SendMessageA(window, WM_KEYUP, *it, 0xC0000001);
    }
}

// The 64-bit import library lacks GetWindowSubclass, so it is looked up by name and,
// for common controls that export it by ordinal only, by its ordinal 411.
inline bool IsHooked(HWND window, SUBCLASSPROC procedure) {
    using GetWindowSubclassFn = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
    HMODULE comctl32 = GetModuleHandleA("comctl32.dll");
    if (!comctl32)
        return false;
    FARPROC found = GetProcAddress(comctl32, "GetWindowSubclass");
    if (!found)
        found = GetProcAddress(comctl32, MAKEINTRESOURCEA(411));
    if (!found)
        return false;
    DWORD_PTR ref_data = 0;
    auto get_window_subclass =
        reinterpret_cast<GetWindowSubclassFn>(reinterpret_cast<void (*)()>(found));
    return get_window_subclass(window, procedure, kSubclassId, &ref_data) != FALSE;
}
inline bool IsHotKeyWindowHooked(HWND window) {
    return IsHooked(window, HotKeyWindowProc);
}
inline bool IsTextBoxHooked(HWND text_box) {
    return IsHooked(text_box, TextBoxWindowProc);
}

// Answers every message box captioned "error" of this process and keeps its text.
class ErrorBoxWatch {
  public:
    ErrorBoxWatch() : thread_([this] { Run(); }) {}
    ~ErrorBoxWatch() {
        stop_ = true;
        thread_.join();
    }
    std::vector<std::string> Texts() {
        std::lock_guard<std::mutex> lock(mutex_);
        return texts_;
    }

  private:
    void Run() {
        while (!stop_) {
            HWND box = FindWindowA("#32770", "error");
            DWORD pid = 0;
            if (box)
                GetWindowThreadProcessId(box, &pid);
            if (box && pid == GetCurrentProcessId() && IsWindowVisible(box)) {
                std::string text;
                EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
                {
                    std::lock_guard<std::mutex> lock(mutex_);
                    texts_.push_back(text);
                }
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                for (int i = 0; i < 250 && IsWindow(box); ++i)
                    Sleep(20);
            }
            Sleep(20);
        }
    }
    static BOOL CALLBACK CollectStaticText(HWND child, LPARAM out) {
        char class_name[32] = {}, text[256] = {};
        GetClassNameA(child, class_name, sizeof(class_name));
        GetWindowTextA(child, text, sizeof(text));
        if (lstrcmpiA(class_name, "Static") == 0 && text[0])
            *reinterpret_cast<std::string*>(out) += text;
        return TRUE;
    }

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

} // namespace qm::test
