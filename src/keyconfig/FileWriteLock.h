#pragma once

#include "FileResult.h"
#include "ScopedHandle.h"

#include <string>

// One writer at a time for a user's file, across processes: a named mutex derived from the file's
// full path with its case folded, held for the lifetime of this object. A holder that died leaves
// the mutex abandoned, which counts as free. Readers take no lock: a file changes by one move.
class FileWriteLock {
public:
    // A writer waits this long for another one to finish, then fails with ERROR_TIMEOUT.
    static constexpr DWORD kWaitMs = 5000;

    explicit FileWriteLock(const std::wstring& path, DWORD waitMs = kWaitMs);
    ~FileWriteLock();
    FileWriteLock(const FileWriteLock&) = delete;
    FileWriteLock& operator=(const FileWriteLock&) = delete;

    // Success while held; otherwise why the lock could not be taken.
    const FileResult& Result() const noexcept { return result_; }
    explicit operator bool() const noexcept { return static_cast<bool>(result_); }

    // The mutex's name for `path`: equal for every spelling of one file that differs in case or
    // in relative steps.
    static std::wstring MutexName(const std::wstring& path);

private:
    ScopedFileHandle mutex_;
    FileResult result_;
};
