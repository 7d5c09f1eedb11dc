#include "gui/controls/HostSuiteRegistry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A key holding one value, given as raw bytes with a type.
class FakeRegistry final : public RegistryPort {
public:
    bool keyExists = true;
    bool valueExists = true;
    DWORD type = REG_SZ;
    std::string bytes;
    int opens = 0, closes = 0;
    std::string openedPath;
    HKEY openedRoot = nullptr;
    REGSAM openedAccess = 0;

    LSTATUS OpenKey(HKEY root, const char* subKey, REGSAM access, HKEY* key) override
    {
        openedRoot = root;
        openedPath = subKey;
        openedAccess = access;
        if (!keyExists)
            return ERROR_FILE_NOT_FOUND;
        ++opens;
        *key = reinterpret_cast<HKEY>(0x4242);
        return ERROR_SUCCESS;
    }
    LSTATUS QueryValue(HKEY, const char* name, DWORD* valueType, BYTE* data, DWORD* size) override
    {
        if (!valueExists || std::string(name) != "ExeName")
            return ERROR_FILE_NOT_FOUND;
        *valueType = type;
        if (bytes.size() > *size) {
            *size = static_cast<DWORD>(bytes.size());
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, bytes.data(), bytes.size());
        *size = static_cast<DWORD>(bytes.size());
        return ERROR_SUCCESS;
    }
    void CloseKey(HKEY key) override
    {
        EXPECT_EQ(key, reinterpret_cast<HKEY>(0x4242));
        ++closes;
    }
};

bool Check(FakeRegistry& registry, std::string bytes, DWORD type = REG_SZ)
{
    registry.bytes = std::move(bytes);
    registry.type = type;
    return IsHostSuite3Installed(registry);
}

TEST(IsHostSuite3Installed, ReadsTheHostSuitesKeyAndClosesIt)
{
    FakeRegistry registry;
    EXPECT_TRUE(Check(registry, std::string("HubDeck3.exe", 13)));
    EXPECT_EQ(registry.openedRoot, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(registry.openedPath, "SOFTWARE\\VORN\\HUB-DECK_II");
    EXPECT_EQ(registry.openedAccess, static_cast<REGSAM>(KEY_QUERY_VALUE));
    EXPECT_EQ(registry.opens, 1);
    EXPECT_EQ(registry.closes, 1);

    registry.valueExists = false;
    EXPECT_FALSE(IsHostSuite3Installed(registry));
    EXPECT_EQ(registry.closes, 2);

    registry.keyExists = false;
    EXPECT_FALSE(IsHostSuite3Installed(registry));
    EXPECT_EQ(registry.closes, 2); // nothing opened, nothing closed
}

TEST(IsHostSuite3Installed, OnlyTheExactNameCounts)
{
    FakeRegistry registry;
    EXPECT_TRUE(Check(registry, "HubDeck3.exe")); // stored without a terminator
    EXPECT_FALSE(Check(registry, std::string("hubdeck3.exe", 13)));
    EXPECT_FALSE(Check(registry, std::string("HUBDECK3.EXE", 13)));
    EXPECT_FALSE(Check(registry, std::string("HubDeck3.ex", 12)));
    EXPECT_FALSE(Check(registry, std::string("HubDeck3.exeX", 14)));
    EXPECT_FALSE(Check(registry, std::string("HubDeck3.exe\0\0", 14)));
    EXPECT_FALSE(Check(registry, std::string("HubDeck3.exeX", 13))); // 13 bytes, no terminator
    EXPECT_FALSE(Check(registry, std::string("", 1)));
    EXPECT_FALSE(Check(registry, ""));
}

TEST(IsHostSuite3Installed, OtherTypesAndOversizedValuesAreRefused)
{
    FakeRegistry registry;
    EXPECT_FALSE(Check(registry, std::string("HubDeck3.exe", 13), REG_EXPAND_SZ));
    EXPECT_FALSE(Check(registry, std::string("HubDeck3.exe", 13), REG_BINARY));
    EXPECT_FALSE(Check(registry, std::string("HubDeck3.exe\0\0", 14), REG_MULTI_SZ));
    // A value filling the whole buffer, and one longer than it, are compared no further.
    EXPECT_FALSE(Check(registry, std::string("HubDeck3.exe") + std::string(248, 'x')));
    EXPECT_FALSE(Check(registry, std::string("HubDeck3.exe") + std::string(400, '\0')));
    EXPECT_EQ(registry.closes, registry.opens);
}

// The real registry calls, on a private key of the test prefix.
TEST(IsHostSuite3Installed, SystemRegistryReadsTheValue)
{
    HKEY root = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\TastroTests\\HostSuite", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &root, nullptr),
              ERROR_SUCCESS);
    SystemRegistry registry(root);
    RegDeleteTreeA(root, "SOFTWARE");
    EXPECT_FALSE(IsHostSuite3Installed(registry));

    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, "SOFTWARE\\VORN\\HUB-DECK_II", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    auto set = [&](const char* text, DWORD type) {
        RegSetValueExA(key, "ExeName", 0, type, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(std::strlen(text) + 1));
    };
    set("HubDeck3.exe", REG_SZ);
    EXPECT_TRUE(IsHostSuite3Installed(registry));
    set("HubDeck3.EXE", REG_SZ);
    EXPECT_FALSE(IsHostSuite3Installed(registry));
    set("HubDeck3.exe", REG_EXPAND_SZ);
    EXPECT_FALSE(IsHostSuite3Installed(registry));
    RegCloseKey(key);
    RegDeleteTreeA(root, nullptr);
    RegCloseKey(root);
}

} // namespace
