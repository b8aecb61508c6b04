// The system-information lookup over a registry, a system and a message box of the test's own.
#include "ui/sysinfo/SysInfo.h"

#include "support/RowName.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace spirex::sysinfo {
namespace {

using spirex::testing::operator<<;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

struct Value {
    std::uint32_t type;
    std::string bytes;
};

class FakeRegistry final : public Registry {
public:
    // Key paths are matched without regard to case, as Windows does.
    std::map<std::string, std::map<std::string, Value>> keys;
    std::set<KeyHandle> open;
    int opens = 0;
    int badCloses = 0;

    void Set(std::string_view path, std::string_view name, std::uint32_t type, std::string bytes) {
        keys[Lower(std::string(path))][Lower(std::string(name))] = Value{type, std::move(bytes)};
    }

    long Open(std::uint32_t root, std::string_view path, KeyHandle& key) override {
        EXPECT_EQ(root, kHkeyLocalMachine);
        if (keys.count(Lower(std::string(path))) == 0) {
            return kErrorFileNotFound;
        }
        key = next_++;
        paths_[key] = Lower(std::string(path));
        open.insert(key);
        ++opens;
        return kErrorSuccess;
    }
    long Query(KeyHandle key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
               std::uint32_t& size) override {
        const auto& values = keys.at(paths_.at(key));
        const auto it = values.find(Lower(std::string(name)));
        if (it == values.end()) {
            return kErrorFileNotFound;
        }
        type = it->second.type;
        const auto needed = static_cast<std::uint32_t>(it->second.bytes.size());
        if (needed > size) {
            size = needed;
            return kErrorMoreData;
        }
        std::copy(it->second.bytes.begin(), it->second.bytes.end(), data);
        size = needed;
        return kErrorSuccess;
    }
    void Close(KeyHandle key) override {
        if (open.erase(key) == 0) {
            ++badCloses;
        }
    }

private:
    KeyHandle next_ = 1;
    std::map<KeyHandle, std::string> paths_;
};

class FakeSystem final : public System {
public:
    std::set<std::string> ordinaryFiles; // also the programs that start
    std::vector<std::string> fileTests;
    std::vector<std::string> started;

    bool IsOrdinaryFile(const std::string& path) override {
        fileTests.push_back(path);
        return ordinaryFiles.count(path) != 0;
    }
    bool Start(const std::string& path) override {
        if (ordinaryFiles.count(path) == 0) {
            return false;
        }
        started.push_back(path);
        return true;
    }
};

class FakeMessages final : public Messages {
public:
    std::vector<std::pair<std::string, std::string>> shown;
    void Show(std::string_view title, std::string_view text) override {
        shown.emplace_back(title, text);
    }
};

const std::string kTool = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
const std::string kFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";

std::string Sz(const std::string& text) {
    return text + std::string(1, '\0');
}

// --- The lookup, path by path ----------------------------------------------------------------

struct LookupRow {
    const char* name;
    void (*arrange)(FakeRegistry&, FakeSystem&);
    std::vector<std::string> started; // empty: the message is shown instead
};

class StartSysInfoTakes : public ::testing::TestWithParam<LookupRow> {};

TEST_P(StartSysInfoTakes, ThePath) {
    FakeRegistry registry;
    FakeSystem system;
    FakeMessages messages;
    GetParam().arrange(registry, system);

    StartSysInfo(registry, system, messages, "Spirex");

    EXPECT_EQ(system.started, GetParam().started);
    if (GetParam().started.empty()) {
        ASSERT_EQ(messages.shown.size(), 1U);
        EXPECT_EQ(messages.shown[0].first, "Spirex");
        EXPECT_EQ(messages.shown[0].second,
                  "Le informazioni sul sistema non sono attualmente disponibili.");
    } else {
        EXPECT_TRUE(messages.shown.empty());
    }
    EXPECT_TRUE(registry.open.empty()) << "every opened key is closed";
    EXPECT_EQ(registry.badCloses, 0) << "only opened keys are closed";
}

INSTANTIATE_TEST_SUITE_P(
    Lookup, StartSysInfoTakes,
    ::testing::Values(
        LookupRow{"FirstKeyNamesTheTool",
                  [](FakeRegistry& r, FakeSystem& s) {
                      r.Set(kToolKey, "PATH", kRegSz, Sz(kTool));
                      s.ordinaryFiles.insert(kTool);
                  },
                  {kTool}},
        LookupRow{"FirstKeyIsTrustedEvenIfTheFileIsMissing",
                  [](FakeRegistry& r, FakeSystem& s) {
                      r.Set(kToolKey, "PATH", kRegSz, Sz("C:\\gone\\msinfo32.exe"));
                      r.Set(kToolFolderKey, "MSINFO", kRegSz, Sz(kFolder));
                      s.ordinaryFiles.insert(kFolder + "\\MSINFO32.EXE");
                  },
                  {}},
        LookupRow{"SecondKeyFolderHoldsTheTool",
                  [](FakeRegistry& r, FakeSystem& s) {
                      r.Set(kToolFolderKey, "MSINFO", kRegSz, Sz(kFolder));
                      s.ordinaryFiles.insert(kFolder + "\\MSINFO32.EXE");
                  },
                  {kFolder + "\\MSINFO32.EXE"}},
        LookupRow{"FirstKeyWithoutTheValue",
                  [](FakeRegistry& r, FakeSystem& s) {
                      r.Set(kToolKey, "OTHER", kRegSz, Sz(kTool));
                      r.Set(kToolFolderKey, "MSINFO", kRegSz, Sz(kFolder));
                      s.ordinaryFiles.insert(kFolder + "\\MSINFO32.EXE");
                  },
                  {kFolder + "\\MSINFO32.EXE"}},
        LookupRow{"SecondKeyFolderWithoutTheTool",
                  [](FakeRegistry& r, FakeSystem&) {
                      r.Set(kToolFolderKey, "MSINFO", kRegSz, Sz(kFolder));
                  },
                  {}},
        LookupRow{"NeitherKey", [](FakeRegistry&, FakeSystem&) {}, {}},
        LookupRow{"KeyNamesAreMatchedWithoutCase",
                  [](FakeRegistry& r, FakeSystem& s) {
                      r.Set("software\\microsoft\\shared tools\\msinfo", "path", kRegSz, Sz(kTool));
                      s.ordinaryFiles.insert(kTool);
                  },
                  {kTool}},
        LookupRow{"LongestValueThatFits",
                  [](FakeRegistry& r, FakeSystem& s) {
                      const std::string path = "C:\\" + std::string(1016, 'x') + ".exe";
                      ASSERT_EQ(path.size(), 1023U);
                      r.Set(kToolKey, "PATH", kRegSz, Sz(path));
                      s.ordinaryFiles.insert(path);
                  },
                  {"C:\\" + std::string(1016, 'x') + ".exe"}},
        LookupRow{"ValueTooLongCountsAsMissing",
                  [](FakeRegistry& r, FakeSystem& s) {
                      r.Set(kToolKey, "PATH", kRegSz, Sz(std::string(1024, 'x')));
                      r.Set(kToolFolderKey, "MSINFO", kRegSz, Sz(kFolder));
                      s.ordinaryFiles.insert(kFolder + "\\MSINFO32.EXE");
                  },
                  {kFolder + "\\MSINFO32.EXE"}},
        // Regression rows: faults mended in the lookup.
        LookupRow{"ValueWithoutTerminatingZeroIsReadWhole",
                  [](FakeRegistry& r, FakeSystem& s) {
                      r.Set(kToolKey, "PATH", kRegSz, kTool);
                      s.ordinaryFiles.insert(kTool);
                  },
                  {kTool}},
        LookupRow{"OtherTypeConsultsTheSecondKey",
                  [](FakeRegistry& r, FakeSystem& s) {
                      r.Set(kToolKey, "PATH", 3 /* REG_BINARY */, Sz(kTool));
                      r.Set(kToolFolderKey, "MSINFO", kRegSz, Sz(kFolder));
                      s.ordinaryFiles.insert(kFolder + "\\MSINFO32.EXE");
                  },
                  {kFolder + "\\MSINFO32.EXE"}},
        LookupRow{"ExpandableTextConsultsTheSecondKey",
                  [](FakeRegistry& r, FakeSystem& s) {
                      r.Set(kToolKey, "PATH", kRegExpandSz, Sz("%ProgramFiles%\\x.exe"));
                      r.Set(kToolFolderKey, "MSINFO", kRegSz, Sz(kFolder));
                      s.ordinaryFiles.insert(kFolder + "\\MSINFO32.EXE");
                  },
                  {kFolder + "\\MSINFO32.EXE"}},
        LookupRow{"EmptyValueOfSizeZeroShowsTheMessage",
                  [](FakeRegistry& r, FakeSystem& s) {
                      r.Set(kToolKey, "PATH", kRegSz, "");
                      r.Set(kToolFolderKey, "MSINFO", kRegSz, Sz(kFolder));
                      s.ordinaryFiles.insert(kFolder + "\\MSINFO32.EXE");
                  },
                  {}},
        LookupRow{"NumberNamesNoProgram",
                  [](FakeRegistry& r, FakeSystem& s) {
                      r.Set(kToolKey, "PATH", kRegDword, std::string("\x01\x00\x00\x00", 4));
                      r.Set(kToolFolderKey, "MSINFO", kRegSz, Sz(kFolder));
                      s.ordinaryFiles.insert(kFolder + "\\MSINFO32.EXE");
                  },
                  {}}),
    spirex::testing::RowName());

// --- Reading one value -----------------------------------------------------------------------

struct ReadRow {
    const char* name;
    std::uint32_t type;
    std::string bytes;
    std::string before; // the value text as it comes in
    KeyValue result;
    std::string after;
};

class GetKeyValueReads : public ::testing::TestWithParam<ReadRow> {};

TEST_P(GetKeyValueReads, Value) {
    const ReadRow& row = GetParam();
    FakeRegistry registry;
    registry.Set("K", "V", row.type, row.bytes);
    std::string value = row.before;
    EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, "K", "V", value), row.result);
    EXPECT_EQ(value, row.after);
    EXPECT_TRUE(registry.open.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueReads,
    ::testing::Values(ReadRow{"Text", kRegSz, Sz("abc"), "old", KeyValue::Read, "abc"},
                      ReadRow{"TextWithoutZero", kRegSz, "abc", "", KeyValue::Read, "abc"},
                      ReadRow{"OnlyOneZeroDropped", kRegSz, std::string("ab\0\0", 4), "",
                              KeyValue::Read, std::string("ab\0", 3)},
                      ReadRow{"EmptyTextWithItsZero", kRegSz, Sz(""), "old", KeyValue::Read, ""},
                      ReadRow{"NumberLastByteFirstWithoutLeadingZeros", kRegDword,
                              std::string("\x34\x12\x0A\xB0", 4), "", KeyValue::Read, "&hB0A1234"},
                      ReadRow{"NumberWithZeroHighByteDropsIt", kRegDword,
                              std::string("\x34\x12\x00\x00", 4), "", KeyValue::Read, "&h01234"},
                      ReadRow{"NumberAppendsToTheTextItCameWith", kRegDword,
                              std::string("\x01\x02\x03\x04", 4), "x", KeyValue::Read, "&hx4321"},
                      ReadRow{"OtherTypeLeavesTheText", 3, Sz("abc"), "old", KeyValue::NotRead,
                              "old"},
                      ReadRow{"SizeZeroFails", kRegSz, "", "old", KeyValue::Failed, "old"},
                      ReadRow{"TooLongClearsTheText", kRegSz, std::string(1025, 'x'), "old",
                              KeyValue::NotRead, ""}),
    spirex::testing::RowName());

TEST(GetKeyValue, MissingKeyClearsTheTextAndClosesNothing) {
    FakeRegistry registry;
    std::string value = "old";
    EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, "K", "V", value), KeyValue::NotRead);
    EXPECT_EQ(value, "");
    EXPECT_EQ(registry.opens, 0);
    EXPECT_EQ(registry.badCloses, 0);
}

TEST(PlatformRegistry, WithoutWindowsTheLookupEndsInTheMessage) {
#ifdef _WIN32
    GTEST_SKIP() << "the Windows registry is tested by the Windows layer's own tests";
#else
    FakeMessages messages;
    StartSysInfo(PlatformRegistry(), PlatformSystem(), messages, "Spirex");
    EXPECT_EQ(messages.shown.size(), 1U);
#endif
}

} // namespace
} // namespace spirex::sysinfo
