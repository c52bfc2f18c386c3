#include <algorithm>
#include <cctype>

#include "platform/error.h"
#include "platform/fake/fake_platform.h"

namespace nudgekey {

namespace {

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool SamePath(const std::string& a, const std::string& b)
{
    return Lower(FakeFileSystem::Normalise(a)) == Lower(FakeFileSystem::Normalise(b));
}

// '*' and '?' wildcards, case-insensitive.
bool Matches(const char* pattern, const char* name)
{
    if (*pattern == '\0') return *name == '\0';
    if (*pattern == '*') return Matches(pattern + 1, name) || (*name != '\0' && Matches(pattern, name + 1));
    if (*name == '\0') return false;
    if (*pattern != '?' && std::tolower(static_cast<unsigned char>(*pattern)) !=
                               std::tolower(static_cast<unsigned char>(*name)))
        return false;
    return Matches(pattern + 1, name + 1);
}

FakeFileSystem::Entry FolderEntry(const std::string& path)
{
    FakeFileSystem::Entry entry;
    entry.path = path;
    entry.folder = true;
    return entry;
}

bool IsDriveRoot(const std::string& path) { return path.size() == 3 && path[1] == ':' && path[2] == '\\'; }

}  // namespace

std::string FakeFileSystem::Normalise(const std::string& path)
{
    std::string result;
    for (char c : path) {
        if (c == '/') c = '\\';
        if (c == '\\' && !result.empty() && result.back() == '\\') continue;
        result += c;
    }
    if (result.size() > 1 && result.back() == '\\' && !IsDriveRoot(result)) result.pop_back();
    return result;
}

std::string FakeFileSystem::ParentOf(const std::string& path)
{
    const std::string normal = Normalise(path);
    const auto slash = normal.rfind('\\');
    if (slash == std::string::npos) return "";
    std::string parent = normal.substr(0, slash);
    if (parent.size() == 2 && parent[1] == ':') parent += '\\';
    return parent;
}

std::string FakeFileSystem::NameOf(const std::string& path)
{
    const std::string normal = Normalise(path);
    const auto slash = normal.rfind('\\');
    return slash == std::string::npos ? normal : normal.substr(slash + 1);
}

FakeFileSystem::Entry* FakeFileSystem::Find(const std::string& path)
{
    for (Entry& entry : entries_)
        if (SamePath(entry.path, path)) return &entry;
    return nullptr;
}

const FakeFileSystem::Entry* FakeFileSystem::Find(const std::string& path) const
{
    for (const Entry& entry : entries_)
        if (SamePath(entry.path, path)) return &entry;
    return nullptr;
}

bool FakeFileSystem::Exists(const std::string& path) const { return Find(path) != nullptr; }

bool FakeFileSystem::IsFolder(const std::string& path) const
{
    const Entry* entry = Find(path);
    return entry != nullptr && entry->folder;
}

void FakeFileSystem::AddFolder(const std::string& path)
{
    const std::string normal = Normalise(path);
    if (Exists(normal)) return;
    const std::string parent = ParentOf(normal);
    if (!parent.empty() && parent != normal) AddFolder(parent);
    entries_.push_back(FolderEntry(normal));
}

void FakeFileSystem::AddFile(const std::string& path, const std::string& content, bool hidden, bool readOnly)
{
    const std::string normal = Normalise(path);
    AddFolder(ParentOf(normal));
    if (Entry* existing = Find(normal)) {
        *existing = Entry{normal, false, hidden, false, readOnly, false, content};
        return;
    }
    entries_.push_back(Entry{normal, false, hidden, false, readOnly, false, content});
}

std::vector<std::string> FakeFileSystem::Children(const std::string& folder) const
{
    std::vector<std::string> children;
    for (const Entry& entry : entries_)
        if (SamePath(ParentOf(entry.path), folder) && !SamePath(entry.path, folder)) children.push_back(entry.path);
    return children;
}

void FakeFileSystem::MakeFolder(const std::string& path)
{
    if (record) record("MakeFolder " + path);
    if (readOnlyMedium) throw PlatformError("write-protected medium: " + path);
    if (Exists(path)) throw PlatformError("path/file access error: " + path);
    if (!IsFolder(ParentOf(path))) throw PlatformError("path not found: " + path);
    entries_.push_back(FolderEntry(Normalise(path)));
}

std::string FakeFileSystem::FirstMatch(const std::string& pattern)
{
    if (record) record("FirstMatch " + pattern);
    const std::string folder = ParentOf(pattern);
    const std::string namePattern = NameOf(pattern);
    for (const std::string& child : Children(folder)) {
        const Entry* entry = Find(child);
        if (entry->folder || entry->hidden || entry->system) continue;
        const std::string name = NameOf(child);
        if (Matches(namePattern.c_str(), name.c_str())) return name;
    }
    return "";
}

void FakeFileSystem::CopyFile(const std::string& source, const std::string& target)
{
    if (record) record("CopyFile " + source + " -> " + target);
    const Entry* from = Find(source);
    if (from == nullptr || from->folder) throw PlatformError("file not found: " + source);
    if (readOnlyMedium) throw PlatformError("write-protected medium: " + target);
    if (!IsFolder(ParentOf(target))) throw PlatformError("path not found: " + target);
    const std::string content = from->content;
    if (Entry* to = Find(target)) {
        if (to->folder || to->readOnly || to->locked) throw PlatformError("permission denied: " + target);
        to->content = content;
        to->hidden = false;
        to->system = false;
        return;
    }
    entries_.push_back(Entry{Normalise(target), false, false, false, false, false, content});
}

}  // namespace nudgekey
