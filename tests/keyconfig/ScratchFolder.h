#pragma once

#include "ScopedHandle.h"

#include <string>
#include <string_view>

// A fresh program folder for one test: created under the temporary folder, made the program
// folder, and removed with everything in it at the end. The process-wide key maps start empty.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // The folder, with its trailing backslash.
    const std::wstring& Path() const { return path_; }
    std::wstring File(std::wstring_view name) const { return path_ + std::wstring(name); }

    // Writes `text` as the file's whole content: ANSI (ASCII here) or UTF-16LE with a byte-order mark.
    void WriteAnsi(std::wstring_view name, std::string_view text) const;
    void WriteUtf16(std::wstring_view name, std::wstring_view text) const;
    void WriteBytes(std::wstring_view name, const void* data, std::size_t size) const;

private:
    std::wstring path_;
    std::wstring previousProgramFolder_;
};

std::string ReadBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);

// Holds `path` open and lets others only read it: writing, replacing or deleting it fails meanwhile.
ScopedFileHandle HoldReadOnly(const std::wstring& path);
