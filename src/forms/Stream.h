#pragma once

// Byte streams: the file stream the PNG loading reads through.

#include <windows.h>

#include <cstdint>
#include <string>

namespace forms {

// Open modes (combine one access mode with one share mode).
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyNone = 0x0040;

class TStream {
public:
    TStream() = default;
    TStream(const TStream&) = delete;
    TStream& operator=(const TStream&) = delete;
    virtual ~TStream() = default;

    // Reads up to `count` bytes; returns how many were read (0 at the end).
    virtual int Read(void* buffer, int count) = 0;
    virtual std::int64_t Size() = 0;
    virtual std::int64_t Position() = 0;
    virtual void SetPosition(std::int64_t position) = 0;
};

class TFileStream : public TStream {
public:
    // Opens an existing file; raises EFOpenError ("Cannot open file "<path>". <reason>") when it cannot.
    TFileStream(const std::wstring& path, unsigned mode);
    ~TFileStream() override;

    int Read(void* buffer, int count) override;
    // Writes every byte or raises Exception.
    int Write(const void* buffer, int count);
    std::int64_t Size() override;
    std::int64_t Position() override;
    void SetPosition(std::int64_t position) override;
    const std::wstring& FileName() const { return path_; }

private:
    std::wstring path_;
    HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace forms
