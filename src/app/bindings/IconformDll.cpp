#include "IconformDll.h"

IconformDll& IconformDll::GetInstance()
{
    static IconformDll instance(SystemModuleLoader(), SystemNotifier());
    return instance;
}

IconformDll::IconformDll(ModuleLoader& loader, UserNotifier& notifier)
    : loader_(loader)
    , notifier_(notifier)
{
}

bool IconformDll::Load()
{
    if (IsBound())
        return true;
    module_ = loader_.Load(L"Iconform.dll");
    if (module_ == nullptr) {
        notifier_.ShowMessage(L"Can't load Iconform.dll", L"Warning");
        return false;
    }
    // A library without the entry point leaves the binding unbound: no icons are drawn.
    return BindEntryPoint(loader_, module_, "GetBitmapFromIcon", getBitmapFromIcon_);
}

HBITMAP IconformDll::GetBitmapFromIcon(HICON icon, int width, int height) const
{
    if (!IsBound() || icon == nullptr)
        return nullptr;
    return getBitmapFromIcon_(icon, width, height);
}
