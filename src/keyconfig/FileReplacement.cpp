#include "FileReplacement.h"

#include "ScopedHandle.h"

#include <windows.h>

#include <vector>

namespace {

// How long a move waits out readers of the file: 50 tries, 20 ms apart.
constexpr int kMoveAttempts = 50;
constexpr DWORD kMoveRetryMs = 20;

} // namespace

FileReplacement::FileReplacement(std::wstring target)
    : target_(std::move(target))
    , copy_(target_ + L".new")
    , lock_(target_)
{
}

FileReplacement::~FileReplacement()
{
    // Still under the lock: the copy is this writer's own.
    if (claimed_ && !committed_)
        DeleteFileW(copy_.c_str());
}

FileResult FileReplacement::Claim()
{
    claimed_ = static_cast<bool>(lock_);
    return lock_.Result();
}

FileResult FileReplacement::CopyFrom(const std::wstring& source)
{
    if (const FileResult claimed = Claim(); !claimed)
        return claimed;
    ScopedFileHandle file(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const FileResult failed = FileResult::Of(FALSE);
        // A copy left by a killed writer must not be merged into by edits that start from nothing.
        DeleteFileW(copy_.c_str());
        return failed;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size))
        return FileResult::Of(FALSE);
    if (size.QuadPart > 0x7FFFFFFF)
        return {ERROR_FILE_TOO_LARGE};
    std::vector<char> bytes(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return FileResult::Of(FALSE);
    if (read != bytes.size())
        return {ERROR_READ_FAULT};
    return Write(bytes.data(), bytes.size());
}

FileResult FileReplacement::Write(const void* data, std::size_t size)
{
    if (const FileResult claimed = Claim(); !claimed)
        return claimed;
    ScopedFileHandle file(
        CreateFileW(copy_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return FileResult::Of(FALSE);
    DWORD written = 0;
    if (size > 0 && !WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr))
        return FileResult::Of(FALSE);
    return written == size ? FileResult{} : FileResult{ERROR_WRITE_FAULT};
}

FileResult FileReplacement::Commit()
{
    if (!claimed_)
        return lock_ ? FileResult{ERROR_FILE_NOT_FOUND} : lock_.Result();
    {
        // Whoever wrote the copy (this class or the private-profile functions), its bytes reach
        // the disk before its name replaces the file's.
        ScopedFileHandle file(CreateFileW(copy_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid() || !FlushFileBuffers(file.Get()))
            return FileResult::Of(FALSE);
    }
    // A reader that holds the file open refuses the move for a moment (on Windows unless it shares
    // delete, which the private-profile functions do not; under Wine always); a lasting refusal is
    // reported.
    FileResult moved;
    for (int attempt = 1;; ++attempt) {
        moved = FileResult::Of(
            MoveFileExW(copy_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
        if (moved || attempt == kMoveAttempts ||
            (moved.error != ERROR_ACCESS_DENIED && moved.error != ERROR_SHARING_VIOLATION))
            break;
        Sleep(kMoveRetryMs);
    }
    committed_ = static_cast<bool>(moved);
    return moved;
}

FileResult ReplaceWithCopyOf(const std::wstring& target, const std::wstring& source)
{
    FileReplacement replacement(target);
    const FileResult copied = replacement.CopyFrom(source);
    return copied ? replacement.Commit() : copied;
}

FileResult DeleteUserFile(const std::wstring& path)
{
    const FileWriteLock lock(path);
    if (!lock)
        return lock.Result();
    const FileResult deleted = FileResult::Of(DeleteFileW(path.c_str()));
    // Some file systems report success for a file that stays (the delete waits for a close that
    // cannot remove it); only a file that is gone counts.
    if (deleted && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return {ERROR_FILE_EXISTS};
    return deleted;
}
