#include "ProgramFolderTest.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kTimeoutMs = 60000;

// What a program folder holds for the key configuration to run without a window.
constexpr const wchar_t* kProgramFiles[] = {
    L"keyconfigctl.exe", L"Biosgateex.dll", L"Sysbridge.dll", L"Sonaflip.dll",  L"RoRarodAzav.dll",
    L"simkey.exe",       L"witness.exe",    L"KeyMap.cfg",    L"FunKeyMap.cfg", L"Setting.ini",
};

std::wstring DistFolder()
{
    return fs::weakly_canonical(fs::path(TestFolder() + L"..\\dist")).wstring() + L"\\";
}

std::string Fingerprint(const std::string& bytes)
{
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    std::ostringstream text;
    text << bytes.size() << " bytes, " << std::hex << hash;
    return text.str();
}

std::string WithoutCarriageReturns(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

}  // namespace

std::wstring TestFolder()
{
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    const std::wstring module(path, length);
    return module.substr(0, module.find_last_of(L'\\') + 1);
}

std::optional<std::string> ReadFileBytes(const std::wstring& path)
{
    // Not through the C runtime: its handles are inheritable, and a program that another thread
    // starts meanwhile would keep the file open (which blocks every move over it) for its lifetime.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[1 << 16];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != FALSE) && got > 0) {
        bytes.append(buffer, got);
    }
    CloseHandle(file);
    return ok ? std::optional<std::string>(std::move(bytes)) : std::nullopt;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream file(fs::path(path), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good()) << Utf8(path);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Utf8(const std::wstring& text)
{
    const int size = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), size, result.data(), needed, nullptr, nullptr);
    return result;
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::optional<std::string> IniValue(const std::wstring& path, const std::string& section, const std::string& key)
{
    std::string text = ReadFileBytes(path).value_or("");
    if (text.size() >= 2 && text[0] == '\xFF' && text[1] == '\xFE') {
        std::wstring wide;
        for (std::size_t i = 2; i + 1 < text.size(); i += 2) {
            const unsigned low = static_cast<unsigned char>(text[i]);
            const unsigned high = static_cast<unsigned char>(text[i + 1]);
            wide += static_cast<wchar_t>(low | high << 8);
        }
        text = Utf8(wide);
    } else if (text.rfind("\xEF\xBB\xBF", 0) == 0) {
        text.erase(0, 3);
    }
    const auto same = [](const std::string& a, const std::string& b) {
        return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
                   return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
               });
    };
    const auto trim = [](std::string value) {
        const auto first = value.find_first_not_of(" \t");
        const auto last = value.find_last_not_of(" \t");
        return first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
    };
    bool inSection = false;
    for (const std::string& raw : SplitLines(text)) {
        const std::string line = trim(raw);
        if (!line.empty() && line.front() == '[') {
            inSection = line.back() == ']' && same(trim(line.substr(1, line.size() - 2)), section);
        } else if (const auto equals = line.find('='); inSection && equals != std::string::npos &&
                                                         same(trim(line.substr(0, equals)), key)) {
            return trim(line.substr(equals + 1));
        }
    }
    return std::nullopt;
}

TreeSnapshot Snapshot(const std::wstring& root)
{
    TreeSnapshot snapshot;
    std::error_code error;
    for (fs::recursive_directory_iterator it(fs::path(root), error), end; !error && it != end; it.increment(error)) {
        const std::string relative = Utf8(it->path().lexically_relative(fs::path(root)).wstring());
        if (it->is_directory()) {
            snapshot[relative] = "folder";
        } else {
            snapshot[relative] = Fingerprint(ReadFileBytes(it->path().wstring()).value_or("<unreadable>"));
        }
    }
    if (error) {
        snapshot["<listing failed>"] = error.message();
    }
    return snapshot;
}

std::vector<std::string> Changes(const TreeSnapshot& before, const TreeSnapshot& after)
{
    std::vector<std::string> changes;
    for (const auto& [path, what] : before) {
        const auto now = after.find(path);
        if (now == after.end()) {
            changes.push_back("- " + path + " (" + what + ")");
        } else if (now->second != what) {
            changes.push_back("* " + path + " (" + what + " -> " + now->second + ")");
        }
    }
    for (const auto& [path, what] : after) {
        if (before.count(path) == 0) {
            changes.push_back("+ " + path + " (" + what + ")");
        }
    }
    return changes;
}

std::string MacroKeysText(const std::string& name)
{
    std::string text;
    for (int n = 1; n <= 10; ++n) {
        const std::string section = "[F" + std::to_string(n);
        text += section + "]\r\nDisplayName=" + name + std::to_string(n) + "\r\nIconFile=\r\n";
        for (int i = 1; i <= 15; ++i)
            text += std::to_string(i) + "=" + std::to_string(64 + i) + "\r\n";
        text += "Type=129\r\nCount=15\r\n";
        for (int i = 1; i <= 15; ++i)
            text += std::to_string(i) + "_code=0x1a0023a\r\n";
        text += section + "_UI]\r\n";
        for (int j = 1; j <= 59; ++j) {
            const std::string slot = std::to_string(j);
            text += slot + "_status=" + (j % 2 ? "1" : "2") + "\r\n" + slot + "_dis=" +
                    (j % 2 ? std::string(1, char('A' + j / 2 % 26)) : "100") + "\r\n" + slot + "_key=" +
                    std::to_string(j % 2 ? 65 + j / 2 % 26 : 100) + "\r\n";
        }
    }
    return text;
}

void PrintTo(const ProcessResult& result, std::ostream* os)
{
    *os << "exit " << (result.exitCode ? std::to_string(*result.exitCode) : std::string("<none>"))
        << "\n  stdout: " << result.out << "\n  stderr: " << result.err;
}

void ProgramFolderTest::SetUp()
{
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    root_ = std::wstring(temp) + L"tastro-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter) + L"\\";
    program_ = root_ + L"Program Folder\\";
    std::error_code error;
    fs::remove_all(fs::path(root_), error);
    ASSERT_TRUE(fs::create_directories(fs::path(program_), error)) << error.message();
    ASSERT_TRUE(fs::create_directories(fs::path(root_ + L"elsewhere"), error)) << error.message();

    const std::wstring dist = DistFolder();
    for (const wchar_t* name : kProgramFiles) {
        ASSERT_TRUE(CopyFileW((dist + name).c_str(), File(name).c_str(), TRUE))
            << "cannot copy " << Utf8(dist + name) << " (error " << GetLastError() << ")";
    }
}

void ProgramFolderTest::TearDown()
{
    std::error_code ignored;
    fs::remove_all(fs::path(root_), ignored);
}

ProcessResult ProgramFolderTest::Ctl(const std::vector<std::wstring>& arguments) const
{
    return Run(File(L"keyconfigctl.exe"), arguments);
}

HANDLE ProgramFolderTest::StartCtl(const std::vector<std::wstring>& arguments) const
{
    return StartProcess(CommandLine(File(L"keyconfigctl.exe"), arguments), root_ + L"elsewhere", L"TASTRO_SIM_DIR");
}

ProcessResult ProgramFolderTest::Simkey(const std::wstring& key) const
{
    return Run(File(L"simkey.exe"), {key});
}

ProcessResult ProgramFolderTest::Run(const std::wstring& program, const std::vector<std::wstring>& arguments) const
{
    // The stand-ins must find their state beside themselves, as in a real program folder.
    ProcessResult result =
        RunProcess(CommandLine(program, arguments), root_ + L"elsewhere", L"TASTRO_SIM_DIR", kTimeoutMs);
    // Text-mode streams end lines in CR LF; the tests compare text.
    result.out = WithoutCarriageReturns(result.out);
    result.err = WithoutCarriageReturns(result.err);
    return result;
}

void ProgramFolderTest::WriteFunCfg(const std::string& text) const
{
    WriteFileBytes(File(L"fun.cfg"), text);
}

std::optional<std::vector<std::uint8_t>> ProgramFolderTest::KeyTable() const
{
    const auto bytes = ReadFileBytes(State(L"13060030.bin"));
    if (!bytes) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

std::vector<std::string> ProgramFolderTest::CallLog() const
{
    return SplitLines(ReadFileBytes(State(L"calls.log")).value_or(""));
}

std::vector<std::string> ProgramFolderTest::WitnessLog() const
{
    return SplitLines(ReadFileBytes(State(L"witness.log")).value_or(""));
}

void ProgramFolderTest::InstallDriveEjectorWitness() const
{
    ASSERT_TRUE(CopyFileW(File(L"witness.exe").c_str(), File(L"Unmounter.exe").c_str(), FALSE));
}

}  // namespace e2e
