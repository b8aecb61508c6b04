#include "sysinfo/SysInfo.h"

#include <array>
#include <cctype>
#include <cstdio>

namespace spirex::sysinfo {

namespace {

// Whether `path` names a program wherever Spirex runs: a full path, either a drive letter, a colon
// and a backslash, or a UNC path; and without a zero inside, at which Windows would stop reading
// and so name some other program. A relative path would be looked for in Spirex's current folder.
bool IsFullPath(std::string_view path) {
    const bool drive = path.size() > 3 && std::isalpha(static_cast<unsigned char>(path[0])) != 0 &&
                       path.substr(1, 2) == ":\\";
    const bool unc = path.size() > 2 && path.starts_with("\\\\");
    return (drive || unc) && path.find('\0') == std::string_view::npos;
}

} // namespace

KeyValue GetKeyValue(Registry& registry, std::uint32_t root, std::string_view path,
                     std::string_view name, std::string& value) {
    KeyHandle key = 0;
    if (registry.Open(root, path, key) != kErrorSuccess) {
        value.clear();
        return KeyValue::NotRead;
    }

    std::array<std::uint8_t, kValueBufferSize> data{};
    std::uint32_t size = kValueBufferSize;
    std::uint32_t type = 0;
    const long status = registry.Query(key, name, type, data.data(), size);
    if (status != kErrorSuccess || size > data.size()) {
        value.clear();
        registry.Close(key);
        return KeyValue::NotRead;
    }
    if (size == 0) {
        // A value that holds no bytes at all, not even its terminating zero.
        registry.Close(key);
        return KeyValue::Failed;
    }

    // The data as text: all of it, less one terminating zero.
    std::size_t length = size;
    if (data[length - 1] == 0) {
        --length;
    }
    const std::string_view kept(reinterpret_cast<const char*>(data.data()), length);

    KeyValue result = KeyValue::Read;
    switch (type) {
    case kRegSz:
        value = kept;
        break;
    case kRegDword:
        // Each byte in upper-case hexadecimal without leading zeros ("0", "7", "1F").
        for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
            std::array<char, 3> digits{};
            std::snprintf(digits.data(), digits.size(), "%X",
                          static_cast<unsigned>(static_cast<unsigned char>(*it)));
            value += digits.data();
        }
        value.insert(0, "&h");
        break;
    default:
        result = KeyValue::NotRead;
        break;
    }
    registry.Close(key);
    return result;
}

Outcome StartSysInfo(Registry& registry, System& system) {
    std::string path;
    switch (GetKeyValue(registry, kHkeyLocalMachine, kToolKey, kToolValue, path)) {
    case KeyValue::Read:
        // The first key names the tool itself: started as it stands, not looked for first.
        return IsFullPath(path) && system.Start(path) ? Outcome::Started : Outcome::Unavailable;
    case KeyValue::Failed:
        return Outcome::Unavailable;
    case KeyValue::NotRead:
        break;
    }

    if (GetKeyValue(registry, kHkeyLocalMachine, kToolFolderKey, kToolFolderValue, path) !=
        KeyValue::Read) {
        return Outcome::Unavailable;
    }
    path += kToolFile;
    return IsFullPath(path) && system.IsOrdinaryFile(path) && system.Start(path)
               ? Outcome::Started
               : Outcome::Unavailable;
}

} // namespace spirex::sysinfo
