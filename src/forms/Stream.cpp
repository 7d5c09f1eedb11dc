#include "forms/Stream.h"

#include "forms/Exceptions.h"

namespace forms {

TFileStream::TFileStream(const std::wstring& path, unsigned mode) : path_(path)
{
    static const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;  // fmShareCompat and fmShareDenyNone
    switch (mode & 0xF0) {
    case fmShareExclusive:
        share = 0;
        break;
    case fmShareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    default:
        break;
    }
    const unsigned accessMode = mode & 0x3;
    file_ = CreateFileW(path.c_str(), access[accessMode < 3 ? accessMode : 0], share, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file_ == INVALID_HANDLE_VALUE)
        throw EFOpenError(path, GetLastError());
}

TFileStream::~TFileStream()
{
    if (file_ != INVALID_HANDLE_VALUE)
        CloseHandle(file_);
}

int TFileStream::Read(void* buffer, int count)
{
    if (count <= 0)
        return 0;
    DWORD read = 0;
    if (!ReadFile(file_, buffer, static_cast<DWORD>(count), &read, nullptr))
        return 0;
    return static_cast<int>(read);
}

int TFileStream::Write(const void* buffer, int count)
{
    if (count <= 0)
        return 0;
    DWORD written = 0;
    if (!WriteFile(file_, buffer, static_cast<DWORD>(count), &written, nullptr) || written != static_cast<DWORD>(count))
        throw Exception(L"Stream write error: " + SysErrorMessage(GetLastError()));
    return static_cast<int>(written);
}

std::int64_t TFileStream::Size()
{
    LARGE_INTEGER size{};
    GetFileSizeEx(file_, &size);
    return size.QuadPart;
}

std::int64_t TFileStream::Position()
{
    LARGE_INTEGER zero{}, position{};
    SetFilePointerEx(file_, zero, &position, FILE_CURRENT);
    return position.QuadPart;
}

void TFileStream::SetPosition(std::int64_t position)
{
    LARGE_INTEGER target{};
    target.QuadPart = position;
    SetFilePointerEx(file_, target, nullptr, FILE_BEGIN);
}

}  // namespace forms
