#pragma once

// Every test program links history_sandbox.cpp: before any test runs,
// SG8GEN_BACKUP_DIR names a fresh temporary folder, so that no test (nor an
// sg8gen that a test starts) writes into the user's own backup history.

#include <filesystem>
#include <optional>

namespace sg8::testing {

/// The folder the whole test program keeps its backup histories in.
const std::filesystem::path& sandboxBackupRoot();

/// Sets SG8GEN_BACKUP_DIR to `folder` (or removes it when empty) while it lives,
/// then back to what it was.
class BackupRootOverride {
public:
    explicit BackupRootOverride(const std::filesystem::path& folder);
    BackupRootOverride(const BackupRootOverride&) = delete;
    BackupRootOverride& operator=(const BackupRootOverride&) = delete;
    ~BackupRootOverride();

private:
    std::filesystem::path before_;
};

/// Sets an environment variable (empty value: removes it).
void setEnvironment(const char* name, const std::filesystem::path& value);

}  // namespace sg8::testing
