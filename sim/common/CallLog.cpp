#include "CallLog.h"

#include "FileIo.h"
#include "SimState.h"
#include "Text.h"

namespace sim {

CallLine::CallLine(const char* entry) : line_(ToUtf8(ModuleBaseName()) + " " + entry) {}

CallLine& CallLine::Item(DWORD item)
{
    return Word(HexItem(item));
}

CallLine& CallLine::Number(unsigned long long n)
{
    return Word(std::to_string(n));
}

CallLine& CallLine::Handle(const void* handle)
{
    return Word(HexHandle(handle));
}

CallLine& CallLine::Text(const wchar_t* text)
{
    return Word(Quote(text));
}

CallLine& CallLine::Buffer(const void* buffer)
{
    return Word(buffer != nullptr ? "buf" : "null");
}

CallLine& CallLine::LengthAt(const DWORD* length)
{
    return length != nullptr ? Number(*length) : Word("null");
}

CallLine& CallLine::Word(const std::string& word)
{
    line_ += ' ';
    line_ += word;
    return *this;
}

void CallLine::Write() const
{
    AppendToFile(StateFolder() + L"calls.log", line_ + "\n");
}

}  // namespace sim
