#include "ui/sysinfo/SysInfo.h"

#include <array>

namespace spirex::sysinfo {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

// The upper-case hexadecimal form of a byte, without leading zeros ("0", "7", "1F").
std::string Hex(std::uint8_t byte) {
    std::string digits;
    if (byte >= 16) {
        digits.push_back(kHexDigits[byte / 16]);
    }
    digits.push_back(kHexDigits[byte % 16]);
    return digits;
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
        for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
            value += Hex(static_cast<std::uint8_t>(*it));
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

void StartSysInfo(Registry& registry, System& system, Messages& messages, std::string_view title) {
    std::string path;
    const auto unavailable = [&] { messages.Show(title, kUnavailableMessage); };

    switch (GetKeyValue(registry, kHkeyLocalMachine, kToolKey, kToolValue, path)) {
    case KeyValue::Read:
        // The first key names the tool itself: started as it stands, not looked for first.
        if (!system.Start(path)) {
            unavailable();
        }
        return;
    case KeyValue::Failed:
        unavailable();
        return;
    case KeyValue::NotRead:
        break;
    }

    if (GetKeyValue(registry, kHkeyLocalMachine, kToolFolderKey, kToolFolderValue, path) !=
        KeyValue::Read) {
        unavailable();
        return;
    }
    path += kToolFile;
    if (!system.IsOrdinaryFile(path) || !system.Start(path)) {
        unavailable();
    }
}

} // namespace spirex::sysinfo
