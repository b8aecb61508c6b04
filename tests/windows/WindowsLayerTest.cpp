// The Windows layer of the system-information lookup on a real registry and file system (run
// under Wine). The tests write their own keys, values and files, and start a marker program in
// place of the real tool.
#include "support/RowName.h"
#include "ui/sysinfo/SysInfo.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <thread>
#include <vector>
#include <windows.h>

namespace spirex::sysinfo {
namespace {

using spirex::testing::operator<<;

const std::string kRoot = "C:\\spirex-tests";
const std::string kStarted = kRoot + "\\started.txt";
const std::string kValuesKey = "SOFTWARE\\SpirexTests\\Values";

std::string MarkerPath() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self);
    return path.substr(0, path.find_last_of('\\') + 1) + "spirex_marker.exe";
}

HKEY CreateKey(const std::string& path) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
}

// Writes exactly `size` bytes of `data`, which must not be followed by a zero in memory: Wine
// adds one to the size of text values that happen to be.
void SetValue(const std::string& path, const std::string& name, DWORD type, const std::string& data,
              DWORD size) {
    HKEY key = CreateKey(path);
    EXPECT_EQ(RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                             size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void SetText(const std::string& path, const std::string& name, const std::string& text,
             DWORD type = REG_SZ) {
    SetValue(path, name, type, text + '\0', static_cast<DWORD>(text.size() + 1));
}

void DeleteValue(const std::string& path, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, name.c_str());
        RegCloseKey(key);
    }
}

void Copy(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.substr(0, to.find_last_of('\\')).c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << to;
}

class RecordingMessages final : public Messages {
public:
    int shown = 0;
    void Show(std::string_view title, std::string_view text) override {
        EXPECT_EQ(title, "Spirex");
        EXPECT_EQ(text, kUnavailableMessage);
        ++shown;
    }
};

// --- GetKeyValue on the real registry --------------------------------------------------------

struct ReadRow {
    const char* name;
    DWORD type;
    std::string data;
    DWORD size;
    KeyValue result;
    std::string value;
};

class RealRegistryReads : public ::testing::TestWithParam<ReadRow> {};

TEST_P(RealRegistryReads, Value) {
    const ReadRow& row = GetParam();
    SetValue(kValuesKey, row.name, row.type, row.data, row.size);
    std::string value = "before";
    EXPECT_EQ(GetKeyValue(PlatformRegistry(), kHkeyLocalMachine, kValuesKey, row.name, value),
              row.result);
    EXPECT_EQ(value, row.value);
}

const std::string k1023(1023, 'a');
const std::string k1024(1024, 'b');

INSTANTIATE_TEST_SUITE_P(
    Windows, RealRegistryReads,
    ::testing::Values(
        ReadRow{"Text1023CharsAndZero", REG_SZ, k1023 + '\0', 1024, KeyValue::Read, k1023},
        ReadRow{"Text1024CharsAndZeroIsTooLong", REG_SZ, k1024 + '\0', 1025, KeyValue::NotRead, ""},
        ReadRow{"Text1024CharsWithoutZero", REG_SZ, k1024 + 'x', 1024, KeyValue::Read, k1024},
        ReadRow{"EmptyTextOfSizeZero", REG_SZ, "x", 0, KeyValue::Failed, "before"},
        ReadRow{"Number", REG_DWORD, std::string("\x34\x12\x00\x00", 4), 4, KeyValue::Read,
                "&hbefore01234"},
        ReadRow{"ExpandableText", REG_EXPAND_SZ, "%SystemRoot%\\x.exe", 20, KeyValue::NotRead,
                "before"}),
    spirex::testing::RowName());

TEST(RealRegistry, MissingKeyAndValue) {
    std::string value = "before";
    EXPECT_EQ(
        GetKeyValue(PlatformRegistry(), kHkeyLocalMachine, "SOFTWARE\\NoSuchSpirexKey", "V", value),
        KeyValue::NotRead);
    EXPECT_EQ(value, "");
    SetText(kValuesKey, "present", "x");
    EXPECT_EQ(GetKeyValue(PlatformRegistry(), kHkeyLocalMachine, kValuesKey, "absent", value),
              KeyValue::NotRead);
}

// --- The file test -----------------------------------------------------------------------------

struct FileRow {
    const char* name;
    DWORD attributes; // 0: a folder instead of a file
    bool ordinary;
};

class RealFileTest : public ::testing::TestWithParam<FileRow> {};

TEST_P(RealFileTest, Kind) {
    const FileRow& row = GetParam();
    const std::string path = kRoot + "\\files\\" + row.name;
    CreateDirectoryA(kRoot.c_str(), nullptr);
    CreateDirectoryA((kRoot + "\\files").c_str(), nullptr);
    if (row.attributes == 0) {
        CreateDirectoryA(path.c_str(), nullptr);
    } else {
        std::ofstream(path) << "x";
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), row.attributes));
        ASSERT_EQ(GetFileAttributesA(path.c_str()) & row.attributes, row.attributes)
            << "the file system keeps no DOS attributes here";
    }
    EXPECT_EQ(PlatformSystem().IsOrdinaryFile(path), row.ordinary);
}

INSTANTIATE_TEST_SUITE_P(Windows, RealFileTest,
                         ::testing::Values(FileRow{"plain", FILE_ATTRIBUTE_ARCHIVE, true},
                                           FileRow{"readonly", FILE_ATTRIBUTE_READONLY, true},
                                           FileRow{"hidden", FILE_ATTRIBUTE_HIDDEN, false},
                                           FileRow{"system", FILE_ATTRIBUTE_SYSTEM, false},
                                           FileRow{"folder", 0, false}),
                         spirex::testing::RowName());

TEST(RealFileTest, MissingFile) {
    EXPECT_FALSE(PlatformSystem().IsOrdinaryFile(kRoot + "\\no-such-file.exe"));
}

// --- StartSysInfo from end to end --------------------------------------------------------------

class RealStart : public ::testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA(kRoot.c_str(), nullptr);
        DeleteFileA(kStarted.c_str());
        DeleteValue(std::string(kToolKey), std::string(kToolValue));
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, std::string(kToolFolderKey).c_str());
    }

    // The path the marker reported, and how it was told to show its window; empty when nothing
    // started within a few seconds.
    static std::pair<std::string, int> Started() {
        for (int i = 0; i < 100; ++i) {
            std::ifstream in(kStarted);
            std::string path;
            int show = -2;
            if (in && std::getline(in, path) && in >> show) {
                return {path, show};
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return {};
    }

    RecordingMessages messages;
};

TEST_F(RealStart, PathWithABlankNeverStartsTheDecoy) {
    const std::string tool = "C:\\Program Files\\Spirex Test\\msinfo32.exe";
    Copy(MarkerPath(), tool);
    Copy(MarkerPath(), "C:\\Program.exe");
    SetText(std::string(kToolKey), std::string(kToolValue), tool);

    StartSysInfo(PlatformRegistry(), PlatformSystem(), messages, "Spirex");

    const auto [path, show] = Started();
    EXPECT_EQ(path, tool);
    EXPECT_EQ(show, SW_SHOWNORMAL);
    EXPECT_EQ(messages.shown, 0);
    DeleteFileA("C:\\Program.exe");
}

TEST_F(RealStart, FolderOfTheSecondKeyHoldingTheTool) {
    const std::string folder = kRoot + "\\with tool";
    Copy(MarkerPath(), folder + "\\MSINFO32.EXE");
    SetText(std::string(kToolFolderKey), std::string(kToolFolderValue), folder);

    StartSysInfo(PlatformRegistry(), PlatformSystem(), messages, "Spirex");

    EXPECT_EQ(Started().first, folder + "\\MSINFO32.EXE");
    EXPECT_EQ(messages.shown, 0);
}

TEST_F(RealStart, FirstKeyOfAnotherTypeConsultsTheSecond) {
    const std::string folder = kRoot + "\\second";
    Copy(MarkerPath(), folder + "\\MSINFO32.EXE");
    SetValue(std::string(kToolKey), std::string(kToolValue), REG_BINARY, "C:\\x.exe", 8);
    SetText(std::string(kToolFolderKey), std::string(kToolFolderValue), folder);

    StartSysInfo(PlatformRegistry(), PlatformSystem(), messages, "Spirex");

    EXPECT_EQ(Started().first, folder + "\\MSINFO32.EXE");
}

struct MissingRow {
    const char* name;
    void (*arrange)();
};

class RealStartShowsTheMessage : public RealStart,
                                 public ::testing::WithParamInterface<MissingRow> {};

TEST_P(RealStartShowsTheMessage, AndStartsNothing) {
    GetParam().arrange();
    StartSysInfo(PlatformRegistry(), PlatformSystem(), messages, "Spirex");
    EXPECT_EQ(messages.shown, 1);
    EXPECT_EQ(GetFileAttributesA(kStarted.c_str()), INVALID_FILE_ATTRIBUTES);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, RealStartShowsTheMessage,
    ::testing::Values(
        MissingRow{"NeitherKey", [] {}},
        MissingRow{"FirstKeyNamesAMissingFile",
                   [] { SetText(std::string(kToolKey), "PATH", kRoot + "\\gone\\msinfo32.exe"); }},
        MissingRow{"FolderWithoutTheTool",
                   [] {
                       CreateDirectoryA((kRoot + "\\empty").c_str(), nullptr);
                       SetText(std::string(kToolFolderKey), "MSINFO", kRoot + "\\empty");
                   }},
        MissingRow{"HiddenTool",
                   [] {
                       const std::string folder = kRoot + "\\hidden";
                       Copy(MarkerPath(), folder + "\\MSINFO32.EXE");
                       SetFileAttributesA((folder + "\\MSINFO32.EXE").c_str(),
                                          FILE_ATTRIBUTE_HIDDEN);
                       SetText(std::string(kToolFolderKey), "MSINFO", folder);
                   }},
        MissingRow{"EmptyPathOfSizeZero",
                   [] { SetValue(std::string(kToolKey), "PATH", REG_SZ, "x", 0); }},
        MissingRow{"NumberInsteadOfAPath",
                   [] {
                       SetValue(std::string(kToolKey), "PATH", REG_DWORD,
                                std::string("\x01\x00\x00\x00", 4), 4);
                   }},
        // Regression row: cut short at the zero, the path would name another program.
        MissingRow{"PathWithAZeroInside",
                   [] {
                       const std::string tool = kRoot + "\\zero\\msinfo32.exe";
                       Copy(MarkerPath(), tool);
                       const std::string data = tool + '\0' + "x" + '\0';
                       SetValue(std::string(kToolKey), "PATH", REG_SZ, data,
                                static_cast<DWORD>(data.size()));
                   }}),
    spirex::testing::RowName());

} // namespace
} // namespace spirex::sysinfo
