// The Windows layer: the registry through advapi32, the file test and the process start through
// kernel32, all in their ANSI forms.
#include "sysinfo/SysInfo.h"

#include <windows.h>

namespace spirex::sysinfo {

namespace {

HKEY ToHkey(KeyHandle key) {
    return reinterpret_cast<HKEY>(key);
}

// A predefined root key, sign-extended as the Windows headers define them.
HKEY RootKey(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

class WindowsRegistry final : public Registry {
public:
    long Open(std::uint32_t root, std::string_view path, KeyHandle& key) override {
        const std::string zpath(path);
        HKEY opened = nullptr;
        // Read access only: an ordinary user may read HKEY_LOCAL_MACHINE but not write it.
        const LONG status = RegOpenKeyExA(RootKey(root), zpath.c_str(), 0, KEY_READ, &opened);
        key = reinterpret_cast<KeyHandle>(opened);
        return status;
    }

    long Query(KeyHandle key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
               std::uint32_t& size) override {
        const std::string zname(name);
        DWORD valueType = 0;
        DWORD valueSize = size;
        const LONG status =
            RegQueryValueExA(ToHkey(key), zname.c_str(), nullptr, &valueType, data, &valueSize);
        type = valueType;
        size = valueSize;
        return status;
    }

    void Close(KeyHandle key) override { RegCloseKey(ToHkey(key)); }
};

class WindowsSystem final : public System {
public:
    bool IsOrdinaryFile(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        constexpr DWORD kNotOrdinary =
            FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & kNotOrdinary) == 0;
    }

    bool Start(const std::string& path) override {
        // The program is named apart from the command line, so a path with blanks can never
        // start another program ("C:\Program.exe" for "C:\Program Files\..."); the command line
        // repeats it, quoted, as the program's own name.
        std::string commandLine = "\"" + path + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            return false;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
};

} // namespace

Registry& PlatformRegistry() {
    static WindowsRegistry registry;
    return registry;
}

System& PlatformSystem() {
    static WindowsSystem system;
    return system;
}

} // namespace spirex::sysinfo
