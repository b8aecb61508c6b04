// Finding and starting the system-information tool ("MSINFO32.EXE") through the Windows registry,
// for the About dialog's "System Info..." button.
//
// The lookup is written over three small seams, so that it runs the same against the real
// registry (on Windows), against a registry with no keys (elsewhere) and against test fakes:
// the registry, the system (file test and process start) and the message box. No Qt here: the
// Windows layer is cross-built and tested on its own.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace spirex::sysinfo {

// Win32 status codes, value types and the predefined root key that the lookup uses.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorMoreData = 234;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002U;

// Where the tool is registered: a full path in the first key, a folder in the second.
inline constexpr std::string_view kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr std::string_view kToolValue = "PATH";
inline constexpr std::string_view kToolFolderKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr std::string_view kToolFolderValue = "MSINFO";
inline constexpr std::string_view kToolFile = "\\MSINFO32.EXE";

inline constexpr std::size_t kValueBufferSize = 1024;

inline constexpr std::string_view kUnavailableMessage =
    "Le informazioni sul sistema non sono attualmente disponibili.";

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
    // without waiting for it. The path is the program itself, never parsed as a command line.
    [[nodiscard]] virtual bool Start(const std::string& path) = 0;

protected:
    System() = default;
    System(const System&) = default;
    System& operator=(const System&) = default;
};

class Messages {
public:
    virtual ~Messages() = default;
    // Shows `text` with one OK button and no icon, modal to the application, until dismissed.
    virtual void Show(std::string_view title, std::string_view text) = 0;

protected:
    Messages() = default;
    Messages(const Messages&) = default;
    Messages& operator=(const Messages&) = default;
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

// Finds the system-information tool in the registry and starts it; when it cannot be found or
// started, shows the one message that says so.
void StartSysInfo(Registry& registry, System& system, Messages& messages, std::string_view title);

// The platform's own registry and system: Windows' on Windows; elsewhere a registry that holds no
// keys and a system that starts nothing.
Registry& PlatformRegistry();
System& PlatformSystem();

} // namespace spirex::sysinfo
