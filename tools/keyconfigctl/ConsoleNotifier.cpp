#include "ConsoleNotifier.h"

#include <windows.h>

#include <cstdio>

void WriteLine(std::FILE* stream, const std::wstring& line)
{
    std::string utf8;
    if (!line.empty()) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0,
                                          nullptr, nullptr);
        utf8.resize(static_cast<std::size_t>(n));
        WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), n, nullptr,
                            nullptr);
    }
    utf8 += '\n';
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

void ConsoleNotifier::ShowMessage(const std::wstring& text, const std::wstring& caption)
{
    notified_ = true;
    WriteLine(stderr, caption.empty() ? text : caption + L": " + text);
}
