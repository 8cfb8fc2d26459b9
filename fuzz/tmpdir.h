// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the file targets write each input: memory (/dev/shm) when the system has it. On a disk,
// rewriting the same small file for every input waits for the disk (ext4 flushes a file that
// was truncated and rewritten when it is closed) and runs ten times slower.

#include <filesystem>
#include <system_error>

inline std::filesystem::path fuzzTempDir() {
    std::error_code ec;
    if (std::filesystem::is_directory("/dev/shm", ec)) return "/dev/shm";
    return std::filesystem::temp_directory_path();
}
