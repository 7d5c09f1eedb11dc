#include "forms/Object.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "forms/Rtl.h"

namespace forms {

TObject::~TObject()
{
    if (alive_)
        *alive_ = false;
}

TLiveness TObject::Liveness() const
{
    if (!alive_)
        alive_ = std::make_shared<bool>(true);
    return TLiveness(alive_);
}

std::wstring TObject::ClassName() const
{
    const char* mangled = typeid(*this).name();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                     std::free);
    std::string name = status == 0 && demangled ? demangled.get() : mangled;
    const size_t colon = name.rfind("::");
    if (colon != std::string::npos)
        name.erase(0, colon + 2);
    return Utf8ToWide(name);
}

void TPersistent::Assign(TPersistent* source)
{
    if (source)
        source->AssignTo(this);
    else
        AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest)
{
    dest->AssignError(this);
}

void TPersistent::AssignError(TPersistent* source)
{
    const std::wstring sourceName = source ? source->ClassName() : L"nil";
    throw EConvertError(L"Cannot assign a " + sourceName + L" to a " + ClassName());
}

}  // namespace forms
