#include "FileWriteLock.h"

#include <cstdint>
#include <cwchar>
#include <vector>

namespace {

std::wstring FullPath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::vector<wchar_t> full(needed);
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    return length > 0 && length < needed ? std::wstring(full.data(), length) : path;
}

} // namespace

std::wstring FileWriteLock::MutexName(const std::wstring& path)
{
    std::wstring folded = FullPath(path);
    if (!folded.empty())
        CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    // A path may be longer than a kernel object's name and holds backslashes, which name
    // namespaces there: the name carries a hash of it (FNV-1a over the UTF-16 units).
    std::uint64_t hash = 14695981039346656037ull;
    for (const wchar_t unit : folded)
        hash = (hash ^ static_cast<std::uint16_t>(unit)) * 1099511628211ull;
    wchar_t name[64] = {};
    std::swprintf(name, 64, L"Local\\TastroII.FileWrite.%016llx", static_cast<unsigned long long>(hash));
    return name;
}

FileWriteLock::FileWriteLock(const std::wstring& path, DWORD waitMs)
    : mutex_(CreateMutexW(nullptr, FALSE, MutexName(path).c_str()))
{
    if (!mutex_.Valid()) {
        result_ = FileResult::Of(FALSE);
        return;
    }
    switch (WaitForSingleObject(mutex_.Get(), waitMs)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED: // its holder died; what it left beside the file is the next writer's to replace
        break;
    case WAIT_TIMEOUT:
        result_ = {ERROR_TIMEOUT};
        break;
    default:
        result_ = FileResult::Of(FALSE);
        break;
    }
}

FileWriteLock::~FileWriteLock()
{
    if (result_)
        ReleaseMutex(mutex_.Get());
}
