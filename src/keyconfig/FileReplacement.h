#pragma once

#include "FileResult.h"

#include <cstddef>
#include <string>

// The one route by which a user's file is written: the new content goes into a copy beside the
// file ("<file>.new"), which is flushed to the disk and then moved over the file. Killed at any
// moment, the program leaves either the old file or the new one. A copy that is not put in place
// is deleted with its owner; one left by a killed program is overwritten by the next write.
class FileReplacement {
public:
    explicit FileReplacement(std::wstring target);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    const std::wstring& Target() const { return target_; }
    const std::wstring& Copy() const { return copy_; }

    // Starts the copy with the bytes of `source`; when `source` cannot be read, there is no copy
    // and the result says why (ERROR_FILE_NOT_FOUND when there is no such file).
    FileResult CopyFrom(const std::wstring& source);
    // Starts the copy with the given bytes.
    FileResult Write(const void* data, std::size_t size);
    // Flushes the copy and moves it over the target.
    FileResult Commit();

private:
    std::wstring target_;
    std::wstring copy_;
    bool committed_ = false;
};

// Replaces `target` with the bytes of `source`.
FileResult ReplaceWithCopyOf(const std::wstring& target, const std::wstring& source);
