#include "window/win32/file_path.h"

#include <windows.h>

#include <string_view>

bool NamesAFile(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(size, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), size, full.data(), nullptr));
    // Windows before 11 reads a name such as COM1 or NUL as a device in any folder and with any
    // extension, and gives its full path as \\.\COM1, in the namespace of devices and pipes.
    const std::wstring_view name = full;
    if (name.empty() || name.starts_with(LR"(\\.\)")) {
        return false;
    }
    // \\?\ reaches a drive's or a share's files, and devices as well.
    if (name.starts_with(LR"(\\?\)")) {
        const std::wstring_view rest = name.substr(4);
        const bool onADrive = rest.size() >= 3 && rest[1] == L':' && rest[2] == L'\\';
        return onADrive || rest.starts_with(LR"(UNC\)");
    }
    return true;
}

std::wstring WithoutLengthLimit(const std::wstring& path) {
    const std::wstring_view name = path;
    if (name.size() < MAX_PATH || name.starts_with(LR"(\\?\)") || name.starts_with(LR"(\\.\)")) {
        return path;
    }
    if (name.starts_with(LR"(\\)")) {
        return LR"(\\?\UNC\)" + path.substr(2);
    }
    const bool onADrive = name.size() >= 3 && name[1] == L':' && name[2] == L'\\';
    return onADrive ? LR"(\\?\)" + path : path;
}
