#include "support/temp_directory.h"

#include <windows.h>

namespace korrelin::support {
namespace {

constexpr int kNameAttempts = 1000;

// Deletes the folder with everything in it; files that are still open stay.
void DeleteTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

TempDirectory::TempDirectory() {
    wchar_t base[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, base);
    if (length == 0 || length > MAX_PATH) return;
    // The process ID and the clock keep parallel and successive tests apart.
    const std::wstring stem = std::wstring(base) + L"korrelin-test-" +
                              std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(GetTickCount64());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::wstring candidate = stem + L"-" + std::to_wstring(attempt);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return;
    }
}

TempDirectory::~TempDirectory() {
    if (!path_.empty()) DeleteTree(path_);
}

std::wstring TempDirectory::FilePath(std::wstring_view name) const {
    return path_ + L"\\" + std::wstring(name);
}

}  // namespace korrelin::support
