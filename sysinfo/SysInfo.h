// Finding and starting the system-information tool ("MSINFO32.EXE") through the Windows registry,
// for the About dialog's "System Info..." button.
//
// The lookup is written over two small seams, the registry and the system (file test and process
// start), so that it runs the same against Windows' own (on Windows), against a registry with no
// keys (elsewhere) and against test fakes. It only says what happened; the About dialog tells the
// user. No Qt here: the Windows layer is cross-built and tested on its own under Wine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace spirex::sysinfo {

// Win32 status codes, value types and the predefined root key that the lookup uses.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002U;

// Where the tool is registered: a full path in the first key, a folder in the second.
inline constexpr std::string_view kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kToolValue = "PATH";
inline constexpr std::string_view kToolFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kToolFolderValue = "MSINFO";
inline constexpr std::string_view kToolFile = "\\MSINFO32.EXE";

inline constexpr std::size_t kValueBufferSize = 1024;

// An open registry key, as the platform hands it out.
using KeyHandle = std::uintptr_t;

class Registry {
public:
    virtual ~Registry() = default;
    // Opens `path` under `root` for reading; returns a Win32 status code.
    virtual long Open(std::uint32_t root, std::string_view path, KeyHandle& key) = 0;
    // Reads value `name` into `data` (capacity `size` bytes); on return `size` holds the size of
    // the value's data in bytes and `type` its type. Returns a Win32 status code.
    virtual long Query(KeyHandle key, std::string_view name, std::uint32_t& type,
                       std::uint8_t* data, std::uint32_t& size) = 0;
    virtual void Close(KeyHandle key) = 0;

protected:
    Registry() = default;
    Registry(const Registry&) = default;
    Registry& operator=(const Registry&) = default;
};

class System {
public:
    virtual ~System() = default;
    // Whether `path` names an ordinary file: it exists and is not hidden, a system file or a
    // folder.
    [[nodiscard]] virtual bool IsOrdinaryFile(const std::string& path) = 0;
    // Starts the program at `path` in a new process with a normal window that gets the focus,
    // without waiting for it. The path is the program itself, never parsed as a command line;
    // the lookup hands over only full paths, with no zero inside.
    [[nodiscard]] virtual bool Start(const std::string& path) = 0;

protected:
    System() = default;
    System(const System&) = default;
    System& operator=(const System&) = default;
};

enum class KeyValue {
    Read,    // the value was read into the text
    NotRead, // no such key or value, too long, or of a type that is not text or a number
    Failed,  // the value could not be turned into text (it holds no data at all)
};

// Reads value `name` of key `path` under `root` as text into `value`. REG_SZ data is taken as it
// stands (one trailing zero dropped); REG_DWORD data becomes "&h" and the hexadecimal digits of its
// bytes, last byte first, appended to what `value` held. Any other type is not read. Data is
// taken by the size the registry returns, never past it.
[[nodiscard]] KeyValue GetKeyValue(Registry& registry, std::uint32_t root, std::string_view path,
                                   std::string_view name, std::string& value);

enum class Outcome {
    Started,     // the tool runs in a process of its own
    Unavailable, // it could not be found or started, for whatever reason
};

// Finds the system-information tool in the registry and starts it.
[[nodiscard]] Outcome StartSysInfo(Registry& registry, System& system);

// The platform's own registry and system: Windows' on Windows; elsewhere a registry that holds no
// keys and a system that starts nothing.
Registry& PlatformRegistry();
System& PlatformSystem();

} // namespace spirex::sysinfo
