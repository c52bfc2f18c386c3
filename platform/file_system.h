#pragma once

#include <string>

namespace nudgekey {

// Windows paths, UTF-8 encoded. Every failure throws PlatformError.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Creates one folder; its parent must exist. An existing folder is an error.
    virtual void MakeFolder(const std::string& path) = 0;
    // `pattern` is a folder path ending in a wildcard name ("C:\\x\\*.ipc").
    // Returns the bare name of the first plain file the directory search yields
    // (hidden, system files and folders never match), or "" when none does.
    virtual std::string FirstMatch(const std::string& pattern) = 0;
    // Replaces `target` if it exists.
    virtual void CopyFile(const std::string& source, const std::string& target) = 0;
};

}  // namespace nudgekey
