#pragma once

#include "platform/file_system.h"

namespace nudgekey {

// Folders and files through the wide functions, so names outside the system
// code page ("GL²ide") come out as they are.
class Win32FileSystem : public FileSystem {
public:
    void MakeFolder(const std::string& path) override;
    // A missing folder gives "" like an empty one.
    std::string FirstMatch(const std::string& pattern) override;
    // Never leaves a half-written target: the copy is made beside the target and
    // then put in its place in one step. A read-only target is not replaced; the
    // installed copy is never read-only, whatever the source was.
    void CopyFile(const std::string& source, const std::string& target) override;
};

}  // namespace nudgekey
