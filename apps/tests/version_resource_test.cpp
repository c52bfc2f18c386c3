#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/program_folder.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"
#include "profiles/profile.h"

namespace nudgekey {
namespace {

// The version resource of one program file, read as the shell reads it.
class VersionResource {
public:
    explicit VersionResource(const std::wstring& file)
    {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
        if (size == 0) return;
        data_.resize(size);
        if (!GetFileVersionInfoW(file.c_str(), 0, size, data_.data())) data_.clear();
    }

    bool Present() const { return !data_.empty(); }

    VS_FIXEDFILEINFO Fixed() const
    {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data_.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) return {};
        return *static_cast<const VS_FIXEDFILEINFO*>(value);
    }

    std::vector<DWORD> Translations() const
    {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length)) return {};
        const auto* words = static_cast<const WORD*>(value);
        std::vector<DWORD> pairs;
        for (UINT i = 0; i + 1 < length / sizeof(WORD); i += 2) pairs.push_back(MAKELONG(words[i + 1], words[i]));
        return pairs;
    }

    std::string Text(const wchar_t* name) const
    {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(data_.data(), path.c_str(), &value, &length)) return "<missing>";
        std::wstring text(static_cast<const wchar_t*>(value), length);
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        return Narrow(text);
    }

private:
    std::vector<BYTE> data_;
};

DWORD Packed(std::uint16_t high, std::uint16_t low) { return (static_cast<DWORD>(high) << 16) | low; }

TEST(VersionResource, EachProgramCarriesItsProfilesVersionData)
{
    const std::wstring folder = FolderOfModule(RunningModulePath());
    for (const Profile* profile : {&Nudgekey2Profile(), &NudgekeyProfile()}) {
        const VersionData& expected = profile->Version;
        SCOPED_TRACE(expected.OriginalFileName);
        const VersionResource resource(folder + L"\\" + Widen(expected.OriginalFileName));
        ASSERT_TRUE(resource.Present());

        const VS_FIXEDFILEINFO fixed = resource.Fixed();
        EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
        const DWORD high = Packed(expected.Version[0], expected.Version[1]);
        const DWORD low = Packed(expected.Version[2], expected.Version[3]);
        EXPECT_EQ(fixed.dwFileVersionMS, high);
        EXPECT_EQ(fixed.dwFileVersionLS, low);
        EXPECT_EQ(fixed.dwProductVersionMS, high);
        EXPECT_EQ(fixed.dwProductVersionLS, low);
        EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));

        // U.S. English, Unicode: the block "040904B0" and the matching translation.
        EXPECT_EQ(resource.Translations(), std::vector<DWORD>{0x040904B0});
        const std::pair<const wchar_t*, std::string> texts[] = {
            {L"FileDescription", expected.FileDescription}, {L"ProductName", expected.ProductName},
            {L"InternalName", expected.InternalName},       {L"OriginalFilename", expected.OriginalFileName},
            {L"FileVersion", expected.FileVersionText},     {L"ProductVersion", expected.FileVersionText},
            {L"CompanyName", expected.CompanyName},         {L"Comments", expected.Comments},
        };
        for (const auto& [name, text] : texts) EXPECT_EQ(resource.Text(name), text) << Narrow(name);
    }
}

}  // namespace
}  // namespace nudgekey
