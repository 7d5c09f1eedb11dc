#include "ResourcePath.h"

#include "ProgramFolder.h"

std::wstring ResourcePath(const std::wstring& folder, const std::wstring& file)
{
    return ProgramFolder() + L"resource\\" + folder + L"\\" + file;
}
