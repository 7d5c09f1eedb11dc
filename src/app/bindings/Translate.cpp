#include "Translate.h"

#include "RoRarodAzavDll.h"

std::wstring Translate(const std::wstring& text)
{
    return RoRarodAzavDll::GetInstance().Translate(text);
}
