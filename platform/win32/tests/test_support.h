#pragma once

#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace nudgekey::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it (read-only files included) when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

void RemoveTree(const std::wstring& path);
void WriteFile(const std::wstring& path, const std::string& content, DWORD attributes = FILE_ATTRIBUTE_NORMAL);
std::string ReadFile(const std::wstring& path);
// The names in a folder (without "." and ".."), sorted.
std::vector<std::wstring> Listing(const std::wstring& folder);

// Dispatches this thread's messages for about `milliseconds`.
void PumpMessages(DWORD milliseconds);

// The root of the drive that the test runner mapped to an empty folder
// ("N:\\"), or "" when it could not.
std::wstring MappedRootDrive();

}  // namespace nudgekey::test
