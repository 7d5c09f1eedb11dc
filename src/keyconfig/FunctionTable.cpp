#include "FunctionTable.h"

#include "FunData.h"
#include "IniSnapshot.h"
#include "ProgramFolder.h"

namespace {

int& StoredFunKeyCount()
{
    static int count = 0;
    return count;
}

} // namespace

FunKeyMapType& FunKeyMap()
{
    static FunKeyMapType map;
    return map;
}

int FunKeyCount()
{
    return StoredFunKeyCount();
}

std::wstring FunKeyMapPath()
{
    return ProgramFolder() + L"FunKeyMap.cfg";
}

void LoadFunKeyMap(const TranslateFunction& translate)
{
    FunKeyMap().clear();
    const IniSnapshot file(FunKeyMapPath());
    StoredFunKeyCount() = file.ReadInteger(L"Info", L"count", 0);
    // Only entries present in the file: a hand-edited count must not make up millions of them.
    for (const int i : file.KeyNumbers(L"FunKey", StoredFunKeyCount())) {
        const std::wstring entry = std::to_wstring(i);
        _FunKey key;
        std::wstring name = file.ReadString(L"FunKey", entry + L"_dis", L"", kFunKeyNameCapacity);
        if (translate)
            name = translate(name);
        CopyField(key.Name, name);
        key.X = file.ReadInteger(L"FunKey", entry + L"_x", 0);
        key.Y = file.ReadInteger(L"FunKey", entry + L"_y", 0);
        key.Code = file.ReadInteger(L"FunKey", entry + L"_code", 0);
        key.Id = kFunKeyIdBase + i;
        FunKeyMap().insert_or_assign(key.Id, key);
    }
}

std::optional<std::int32_t> GetFunctionCode(int id)
{
    const auto it = FunKeyMap().find(id);
    if (it == FunKeyMap().end())
        return std::nullopt;
    return it->second.Code;
}
