#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace gs {
class GsRadioButton;
}

constexpr std::size_t kFunKeyNameCapacity = 64;
// Function ids are 399 + the entry's number in FunKeyMap.cfg.
constexpr int kFunKeyIdBase = 399;
// Functions the program runs itself when the controller reports the key.
constexpr int kFunIdEjectDrives = 429;
constexpr int kFunIdNextAudioDevice = 430;

// One built-in function of the Function Keys page.
struct _FunKey {
    // The page's radio button for this function; set by the page.
    gs::GsRadioButton* Control = nullptr;
    wchar_t Name[kFunKeyNameCapacity] = {};
    std::int32_t Id = 0;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    // Written into the controller key table; -1..-5 select special record kinds.
    std::int32_t Code = 0;
};

using FunKeyMapType = std::map<int, _FunKey>;
using TranslateFunction = std::function<std::wstring(const std::wstring&)>;

// Process-wide: function id -> function. Filled by LoadFunKeyMap.
FunKeyMapType& FunKeyMap();
// Process-wide: the "count" of the last FunKeyMap.cfg loaded.
int FunKeyCount();

std::wstring FunKeyMapPath();

// Reads FunKeyMap.cfg into FunKeyMap, replacing what an earlier load left: one entry for each
// number up to the count that has keys in the file. Names pass through `translate` (unchanged
// when none is given).
void LoadFunKeyMap(const TranslateFunction& translate = {});

// The controller code of function `id`, or nothing when the table has no such function.
std::optional<std::int32_t> GetFunctionCode(int id);
