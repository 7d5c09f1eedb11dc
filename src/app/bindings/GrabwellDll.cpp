#include "GrabwellDll.h"

#include "ProgramFolder.h"

namespace {

constexpr wchar_t kLibraryName[] = L"Grabwell.dll";

} // namespace

std::wstring GrabwellPath()
{
    return ProgramFolder() + kLibraryName;
}

GrabwellDll& GrabwellDll::GetInstance()
{
    static GrabwellDll instance(SystemModuleLoader(), SystemNotifier());
    return instance;
}

GrabwellDll::GrabwellDll(ModuleLoader& loader, UserNotifier& notifier)
    : loader_(loader)
    , notifier_(notifier)
{
}

bool GrabwellDll::LoadQuietly(const std::wstring& path)
{
    module_ = loader_.Load(path);
    return module_ != nullptr;
}

bool GrabwellDll::Bind(const std::wstring& path)
{
    if (!LoadQuietly(path)) {
        notifier_.ShowMessage(L"Can't load Grabwell.dll", L"Warning");
        return false;
    }
    BindEntryPoint(loader_, module_, "Hook", hook_);
    BindEntryPoint(loader_, module_, "Unhook", unhook_);
    return true;
}

void GrabwellDll::Hook() const
{
    if (hook_ != nullptr)
        hook_();
}

void GrabwellDll::Unhook() const
{
    if (unhook_ != nullptr)
        unhook_();
}
