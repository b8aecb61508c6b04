// The version record and the icon compiled into this program from Spirex's resource script,
// read back through the Windows API.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace {

std::vector<char> OwnVersionRecord() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(self, &ignored);
    std::vector<char> record(size);
    if (size == 0 || !GetFileVersionInfoA(self, 0, size, record.data())) {
        record.clear();
    }
    return record;
}

std::string StringValue(std::vector<char>& record, const char* name) {
    char* text = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\041004B0\\") + name;
    if (!VerQueryValueA(record.data(), path.c_str(), reinterpret_cast<void**>(&text), &length) ||
        length == 0) {
        return "<missing>";
    }
    return std::string(text, length - 1);
}

TEST(VersionRecord, FixedAndTextVersions) {
    std::vector<char> record = OwnVersionRecord();
    ASSERT_FALSE(record.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001U);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000U);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001U);

    EXPECT_EQ(StringValue(record, "FileVersion"), "1.01");
    EXPECT_EQ(StringValue(record, "ProductVersion"), "1.01");
    EXPECT_EQ(StringValue(record, "ProductName"), "Spirex");
    EXPECT_EQ(StringValue(record, "FileDescription"),
              "Programma per il calcolo delle bobine toroidali");
    EXPECT_EQ(StringValue(record, "Comments"),
              "Calcolo delle spire nelle bobine toroidali con nuclei Amidon");
}

TEST(VersionRecord, IconIs64By64) {
    const auto icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "IDI_ICON1", IMAGE_ICON, 64, 64, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof(colour), &colour);
    EXPECT_EQ(colour.bmWidth, 64);
    EXPECT_EQ(colour.bmHeight, 64);
    EXPECT_NE(info.hbmMask, nullptr);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

} // namespace
