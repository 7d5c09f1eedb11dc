#include "FileReplacement.h"

#include "ScopedHandle.h"

#include <windows.h>

#include <vector>

FileReplacement::FileReplacement(std::wstring target) : target_(std::move(target)), copy_(target_ + L".new") {}

FileReplacement::~FileReplacement()
{
    if (!committed_)
        DeleteFileW(copy_.c_str());
}

FileResult FileReplacement::CopyFrom(const std::wstring& source)
{
    ScopedFileHandle file(CreateFileW(source.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const FileResult failed = FileResult::Of(FALSE);
        // No copy may stay from an earlier, killed write.
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
    {
        // Whoever wrote the copy (this class or the private-profile functions), its bytes reach
        // the disk before its name replaces the file's.
        ScopedFileHandle file(CreateFileW(copy_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid() || !FlushFileBuffers(file.Get()))
            return FileResult::Of(FALSE);
    }
    const FileResult moved = FileResult::Of(
        MoveFileExW(copy_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    committed_ = static_cast<bool>(moved);
    return moved;
}

FileResult ReplaceWithCopyOf(const std::wstring& target, const std::wstring& source)
{
    FileReplacement replacement(target);
    const FileResult copied = replacement.CopyFrom(source);
    return copied ? replacement.Commit() : copied;
}
