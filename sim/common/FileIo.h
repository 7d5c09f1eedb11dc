#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// Writes the whole file through a temporary file in the same folder that then replaces the
// target, so a reader in another process never sees half a file.
bool WriteFileAtomic(const std::wstring& path, const void* data, std::size_t size);

// The whole file, or nothing when it cannot be opened or read.
std::optional<std::vector<BYTE>> ReadWholeFile(const std::wstring& path);

// Appends the text in one write, so lines from several processes do not interleave.
bool AppendToFile(const std::wstring& path, std::string_view text);

}  // namespace sim
