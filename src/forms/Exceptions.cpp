#include "forms/Exceptions.h"

#include <windows.h>

#include "forms/Rtl.h"

namespace forms {

Exception::Exception(std::wstring message) : message_(std::move(message)), narrow_(WideToUtf8(message_)) {}

EFOpenError::EFOpenError(const std::wstring& fileName, unsigned long systemError)
    : Exception(L"Cannot open file \"" + fileName + L"\". " + SysErrorMessage(systemError))
{
}

EInvalidCast::EInvalidCast() : Exception(L"Invalid class typecast") {}

EOutOfResources::EOutOfResources() : Exception(L"Out of system resources") {}

std::wstring SysErrorMessage(unsigned long code)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (buffer) {
        text.assign(buffer, length);
        LocalFree(buffer);
    }
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text;
}

}  // namespace forms
