#include "platform/win32/tests/test_support.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "platform/win32/handles.h"

namespace nudgekey::test {

TemporaryFolder::TemporaryFolder()
{
    wchar_t base[MAX_PATH] = {};
    if (GetTempPathW(MAX_PATH, base) == 0) throw std::runtime_error("GetTempPath failed");
    for (unsigned attempt = 0;; ++attempt) {
        path_ = std::wstring(base) + L"nudgekey-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount() + attempt);
        if (CreateDirectoryW(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a temporary folder");
    }
}

TemporaryFolder::~TemporaryFolder() { RemoveTree(path_); }

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileW((path + L"\\*").c_str(), &found));
    if (search) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search.get(), &found));
    }
    search.reset();
    RemoveDirectoryW(path.c_str());
}

void WriteFile(const std::wstring& path, const std::string& content, DWORD attributes)
{
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        throw std::runtime_error("cannot create a test file");
    }
    DWORD written = 0;
    ::WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    file.reset();
    SetFileAttributesW(path.c_str(), attributes);
}

std::string ReadFile(const std::wstring& path)
{
    KernelHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        throw std::runtime_error("cannot open a test file");
    }
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    return content;
}

std::vector<std::wstring> Listing(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &found));
    if (!search) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

std::wstring MappedRootDrive()
{
    const char* drive = std::getenv("NUDGEKEY_TEST_ROOT_DRIVE");
    if (drive == nullptr || drive[0] == '\0') return {};
    return std::wstring(1, static_cast<wchar_t>(drive[0])) + L":\\";
}

}  // namespace nudgekey::test
