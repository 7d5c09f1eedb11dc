#include "FileIo.h"

#include <string>

namespace sim {
namespace {

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    bool Close()
    {
        if (!Valid()) {
            return true;
        }
        const bool closed = CloseHandle(handle_) != FALSE;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_;
};

bool WriteAll(HANDLE file, const void* data, std::size_t size)
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    while (size > 0) {
        const DWORD chunk = size > 0x10000000 ? 0x10000000 : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

}  // namespace

bool WriteFileAtomic(const std::wstring& path, const void* data, std::size_t size)
{
    if (data == nullptr && size > 0) {
        return false;
    }
    const std::wstring temp = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    {
        FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) {
            return false;
        }
        const bool written = WriteAll(file.Get(), data, size) && FlushFileBuffers(file.Get());
        if (!file.Close() || !written) {
            DeleteFileW(temp.c_str());
            return false;
        }
    }
    // A reader that holds the target open without delete sharing blocks the replace briefly.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        Sleep(20);
    }
    DeleteFileW(temp.c_str());
    return false;
}

std::optional<std::vector<BYTE>> ReadWholeFile(const std::wstring& path)
{
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x40000000) {
        return std::nullopt;
    }
    std::vector<BYTE> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            bytes.resize(done);  // the file shrank while we read it
            break;
        }
        done += read;
    }
    return bytes;
}

bool AppendToFile(const std::wstring& path, std::string_view text)
{
    // Another process may be appending at this moment: retry a sharing conflict briefly.
    for (int attempt = 0; attempt < 50; ++attempt) {
        FileHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid()) {
            return WriteAll(file.Get(), text.data(), text.size());
        }
        if (GetLastError() != ERROR_SHARING_VIOLATION) {
            return false;
        }
        Sleep(10);
    }
    return false;
}

}  // namespace sim
