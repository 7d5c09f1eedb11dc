#include "RoRarodAzavDll.h"

#include "ProgramFolder.h"

#include "forms/Assert.h"
#include "forms/Rtl.h"

#include <utility>
#include <vector>

RoRarodAzavDll& RoRarodAzavDll::GetInstance()
{
    static RoRarodAzavDll* const instance = [] {
        auto* created = new RoRarodAzavDll();
        created->Init();
        return created;
    }();
    return *instance;
}

RoRarodAzavDll::RoRarodAzavDll()
    : RoRarodAzavDll(SystemModuleLoader(),
                     [](const std::wstring& check) { FORMS_ASSERT_FAILED(forms::WideToUtf8(check).c_str()); })
{
}

RoRarodAzavDll::RoRarodAzavDll(ModuleLoader& loader, CheckFailedHandler onCheckFailed)
    : loader_(loader)
    , onCheckFailed_(std::move(onCheckFailed))
{
}

RoRarodAzavDll::~RoRarodAzavDll()
{
    if (m_hModule) {
        loader_.Free(m_hModule);
        m_hModule = nullptr;
    }
}

bool RoRarodAzavDll::Init()
{
    return !Load();
}

bool RoRarodAzavDll::Load()
{
    const std::wstring path = GetDllPath();
    if (!loader_.FileExists(path))
        return false;
    m_hModule = loader_.Load(path);
    if (!m_hModule)
        return false;
    BindEntryPoint(loader_, m_hModule, "VnTranslateStr", m_pVnTranslateStr);
    BindEntryPoint(loader_, m_hModule, "VnGetLangName", m_pVnGetLangName);
    if (m_pVnTranslateStr == nullptr || m_pVnGetLangName == nullptr) {
        if (onCheckFailed_)
            onCheckFailed_(L"m_pVnTranslateStr != NULL && m_pVnGetLangName != NULL");
        // Only reached when the handler lets the program go on: nothing half bound stays.
        m_pVnTranslateStr = nullptr;
        m_pVnGetLangName = nullptr;
        loader_.Free(m_hModule);
        m_hModule = nullptr;
        return false;
    }
    return true;
}

std::wstring RoRarodAzavDll::GetDllPath()
{
    return ModuleFolder(GetModuleHandleW(nullptr)) + L"RoRarodAzav.dll";
}

std::wstring RoRarodAzavDll::Translate(const std::wstring& text)
{
    if (!m_pVnTranslateStr)
        return text;
    // A count of capacity - 1 or more means the buffer was too small.
    for (DWORD capacity = kInitialCapacity; capacity <= kMaxCapacity; capacity += kCapacityStep) {
        std::vector<wchar_t> buffer(capacity, L'\0');
        const DWORD count = m_pVnTranslateStr(text.c_str(), buffer.data(), capacity);
        if (count < capacity - 1) {
            // The library may have left the text unterminated.
            buffer.back() = L'\0';
            return std::wstring(buffer.data());
        }
    }
    return text;
}
