// The system-information lookup on Wine's real registry and files, case by case: what the
// registry holds, and what the lookup must make of it, among files laid out once for all cases,
// with copies of this program standing in for the tool. The cases rewrite keys under
// HKEY_LOCAL_MACHINE and files at the root of drive C:, so this program refuses to run anywhere
// but under Wine.
#include "sysinfo/SysInfo.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <vector>
#include <windows.h>

namespace spirex::sysinfo {
namespace {

namespace fs = std::filesystem;

// A registry value's type and its data exactly as stored: a terminating zero only where written.
struct Value {
    std::uint32_t type;
    std::string data;
};

inline const auto Text = [](const std::string& text) { return Value{kRegSz, text + '\0'}; };

inline const std::string kRoot = "C:\\spirex-tests";
// Spirex's current folder while the tests run, where a relative path would find a program.
inline const std::string kHere = "C:\\spirex-current";
// A path with a blank, beside the decoy that an unquoted command line would start instead.
inline const std::string kTool = "C:\\Program Files\\Spirex Test\\msinfo32.exe";

// A file or folder of the tests.
inline const auto In = [](const char* name) { return kRoot + '\\' + name; };

// The tool in the folder of an ordinary case, which the second key names.
inline const std::string kOrdinaryTool = In("ordinary\\MSINFO32.EXE");

// What is on the disk in every case: copies of this program with these attributes, and a folder
// (its path ends in a backslash).
// clang-format off
inline const std::vector<std::pair<std::string, DWORD>> kFiles{
    {kTool, FILE_ATTRIBUTE_HIDDEN}, {"C:\\Program.exe", FILE_ATTRIBUTE_ARCHIVE},
    {kOrdinaryTool, FILE_ATTRIBUTE_ARCHIVE}, {In("read-only\\MSINFO32.EXE"), FILE_ATTRIBUTE_READONLY},
    {In("hidden\\MSINFO32.EXE"), FILE_ATTRIBUTE_HIDDEN}, {In("system\\MSINFO32.EXE"), FILE_ATTRIBUTE_SYSTEM},
    {In("folder\\MSINFO32.EXE\\"), FILE_ATTRIBUTE_DIRECTORY}, {kHere + "\\msinfo32.exe", FILE_ATTRIBUTE_ARCHIVE},
};
// clang-format on

struct LookupCase {
    const char* name;
    std::optional<Value> toolPath;   // "PATH" of the first key
    std::optional<Value> toolFolder; // "MSINFO" of the second key
    std::string started;             // empty: nothing starts and the tool is unavailable
};

inline const Value kOrdinary = Text(In("ordinary"));

// clang-format off
inline const std::vector<LookupCase> kLookupCases{
    // Started as it stands: not even a hidden file is looked for first.
    {"FirstKeyNamesTheTool", Text(kTool), {}, kTool},
    {"FirstKeyTrustedEvenIfItsFileIsMissing", Text(kRoot + "\\gone.exe"), kOrdinary, ""},
    {"SecondKeyFolderHoldsTheTool", {}, kOrdinary, kOrdinaryTool},
    {"ReadOnlyToolIsOrdinary", {}, Text(In("read-only")), In("read-only\\MSINFO32.EXE")},
    {"HiddenTool", {}, Text(In("hidden")), ""}, {"SystemTool", {}, Text(In("system")), ""},
    {"FolderNamedLikeTheTool", {}, Text(In("folder")), ""},
    {"NeitherKey", {}, {}, ""}, {"EmptyToolPathOfSizeZero", Value{kRegSz, ""}, kOrdinary, ""},
    // A path that is read but names nothing fails to start; one too long to read is passed over.
    {"ToolPath1024CharsWithoutZeroIsRead", Value{kRegSz, std::string(1024, 'x')}, kOrdinary, ""},
    {"ToolPathTooLongConsultsTheFolder", Text(std::string(1024, 'x')), kOrdinary, kOrdinaryTool},
    {"ExpandableToolPathConsultsTheFolder", Value{2 /* REG_EXPAND_SZ */, kTool + '\0'}, kOrdinary, kOrdinaryTool},
    {"NumberNamesNoProgram", Value{kRegDword, std::string("\x01\0\0\0", 4)}, kOrdinary, ""},
    {"ToolPathWithoutZeroIsReadWhole", Value{kRegSz, kTool}, {}, kTool},
    // A relative path would name the program in kHere; a drive letter may be written in either case.
    {"RelativeFolderIsNotLookedIn", {}, Text("."), ""}, {"DriveRelativeToolPathIsNotStarted", Text("C:msinfo32.exe"), {}, ""},
    {"RootRelativeToolPathIsNotStarted", Text("\\spirex-current\\msinfo32.exe"), {}, ""},
    {"LongPathFormIsAFullPath", Text("\\\\?\\" + kTool), {}, kTool},
    {"LowerCaseDriveIsAFullPath", Text("c" + kTool.substr(1)), {}, "c" + kTool.substr(1)},
    // Cut short at the zero, the path would name another program.
    {"ToolPathWithAZeroInside", Value{kRegSz, kTool + '\0' + "x" + '\0'}, {}, ""},
};
// clang-format on

const std::string kReport = kRoot + "\\started.txt"; // written by the stand-in when it starts

// Writes exactly the value's bytes, from a buffer with no zero after them: Wine counts one more
// byte for text that happens to be followed by a zero in memory.
void SetValue(std::string_view key, std::string_view name, const std::optional<Value>& value) {
    const std::string k(key), n(name), buffer = value ? value->data + '\x01' : "";
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, k.c_str(), n.c_str());
    if (value) {
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, k.c_str(), n.c_str(), value->type, buffer.data(),
                        static_cast<DWORD>(value->data.size()));
    }
}

// The two keys as the case describes them, and no report of a start yet.
void Arrange(const LookupCase& c) {
    DeleteFileA(kReport.c_str());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, std::string(kToolFolderKey).c_str());
    SetValue(kToolKey, kToolValue, c.toolPath);
    SetValue(kToolFolderKey, kToolFolderValue, c.toolFolder);
}

// What the program that started reported, its path and how it was asked to show its window,
// once it reports within `wait`; empty when none did.
std::string Started(ULONGLONG wait) {
    std::string report;
    for (const ULONGLONG end = GetTickCount64() + wait; report.empty() && GetTickCount64() < end;
         Sleep(50)) {
        std::getline(std::ifstream(kReport), report);
    }
    return report;
}

// The handles this process holds: the handle values that the system knows, among all it has
// handed out (Wine leaves the process's own handle count at 0).
int HandleCount() {
    int count = 0;
    for (std::uintptr_t value = 4; value < 0x10000; value += 4) {
        DWORD flags = 0;
        count += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags);
    }
    return count;
}

class RealLookup : public ::testing::TestWithParam<LookupCase> {
protected:
    // The files laid out, then one start beforehand: Wine opens its root keys and loads what
    // starting a process needs on first use, and keeps them, so that the handle counts compare
    // like with like.
    static void SetUpTestSuite() {
        for (const auto& [path, attributes] : kFiles) {
            fs::create_directories(fs::path(path).parent_path());
            if (attributes != FILE_ATTRIBUTE_DIRECTORY) {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                fs::copy_file(_pgmptr, path, fs::copy_options::overwrite_existing);
                SetFileAttributesA(path.c_str(), attributes);
                ASSERT_EQ(GetFileAttributesA(path.c_str()) & attributes, attributes)
                    << "the file system keeps no DOS attributes here";
            }
        }
        SetCurrentDirectoryA(kHere.c_str());
        Arrange(kLookupCases.at(2));
        ASSERT_EQ(StartSysInfo(PlatformRegistry(), PlatformSystem()), Outcome::Started);
        ASSERT_FALSE(Started(10000).empty());
    }
};

TEST_P(RealLookup, StartsTheToolOrSaysItIsUnavailable) {
    const LookupCase& c = GetParam();
    Arrange(c);
    const int handles = HandleCount();
    EXPECT_EQ(StartSysInfo(PlatformRegistry(), PlatformSystem()),
              c.started.empty() ? Outcome::Unavailable : Outcome::Started);
    EXPECT_EQ(HandleCount(), handles) << "a key or the new process's handles were left open";
    // Whatever the outcome, wait before deciding what was started.
    EXPECT_EQ(Started(c.started.empty() ? 1500 : 10000),
              c.started.empty() ? "" : c.started + ' ' + std::to_string(SW_SHOWNORMAL));
}

INSTANTIATE_TEST_SUITE_P(Windows, RealLookup, ::testing::ValuesIn(kLookupCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(RealRegistry, KeysAreOpenedForReadingOnly) { // the key is in every Wine prefix
    KeyHandle key = 0;
    ASSERT_EQ(PlatformRegistry().Open(kHkeyLocalMachine, kToolKey, key), kErrorSuccess);
    EXPECT_EQ(RegDeleteValueA(reinterpret_cast<HKEY>(key), "absent"), ERROR_ACCESS_DENIED);
    PlatformRegistry().Close(key);
}

} // namespace
} // namespace spirex::sysinfo

int main(int argc, char** argv) {
    // Started under another name, this program stands in for the tool: it writes down its own
    // path and how it was asked to show its window, whole or not at all, and ends.
    if (std::filesystem::path(_pgmptr).filename() != "spirex_windows_tests.exe") {
        STARTUPINFOA startup{};
        GetStartupInfoA(&startup);
        const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
        const std::string report = spirex::sysinfo::kReport;
        std::ofstream(report + ".new") << _pgmptr << ' ' << show << '\n';
        return !MoveFileExA((report + ".new").c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") == nullptr) {
        std::fputs("Refused: these tests rewrite HKLM and C:\\; under Wine only.\n", stderr);
        return 1;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
