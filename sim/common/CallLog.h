#pragma once

#include <windows.h>

#include <string>

namespace sim {

// One line of calls.log in the state folder: "<module> <entry> <arguments>", one blank between
// the fields, UTF-8, ending in "\n". Each argument is one token, so columns stay positional.
class CallLine {
public:
    explicit CallLine(const char* entry);

    CallLine& Item(DWORD item);             // 0x13060030
    CallLine& Number(unsigned long long n); // 4096
    CallLine& Handle(const void* handle);   // 0x000200A4
    CallLine& Text(const wchar_t* text);    // "quoted" or null
    CallLine& Buffer(const void* buffer);   // buf, or null
    CallLine& LengthAt(const DWORD* length); // the value it points to, or null
    CallLine& Word(const std::string& word);

    // Appends the line; a log that cannot be written is ignored.
    void Write() const;

private:
    std::string line_;
};

}  // namespace sim
