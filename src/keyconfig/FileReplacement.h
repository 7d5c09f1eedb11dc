#pragma once

#include "FileResult.h"
#include "FileWriteLock.h"

#include <cstddef>
#include <string>

// The one route by which a user's file is written: the new content goes into a copy beside the
// file ("<file>.new"), which is flushed to the disk and then moved over the file. Killed at any
// moment, the program leaves either the old file or the new one. The file's write lock is held
// from construction to destruction, so the copy is this writer's alone: read-modify-write steps
// (CopyFrom, then edits, then Commit) see no other writer's work half done. A copy that is not put
// in place is deleted with its owner; one left by a killed program is replaced by the next write.
class FileReplacement {
public:
    // Waits for the file's write lock (FileWriteLock); every step fails with its result when it
    // could not be taken.
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
    // Claims the copy's name for this writer; false (nothing touched) without the lock.
    FileResult Claim();

    std::wstring target_;
    std::wstring copy_;
    FileWriteLock lock_;
    bool claimed_ = false;
    bool committed_ = false;
};

// Replaces `target` with the bytes of `source`.
FileResult ReplaceWithCopyOf(const std::wstring& target, const std::wstring& source);

// Deletes a user's file under its write lock; success only when the file is gone afterwards.
FileResult DeleteUserFile(const std::wstring& path);
