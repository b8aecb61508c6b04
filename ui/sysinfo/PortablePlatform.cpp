// Everywhere but Windows: there is no registry, so the lookup ends in its message; the system seam
// is never reached, and starts nothing if it is.
#include "ui/sysinfo/SysInfo.h"

#include <sys/stat.h>

namespace spirex::sysinfo {

namespace {

class NoRegistry final : public Registry {
public:
    long Open(std::uint32_t, std::string_view, KeyHandle&) override { return kErrorFileNotFound; }
    long Query(KeyHandle, std::string_view, std::uint32_t&, std::uint8_t*,
               std::uint32_t&) override {
        return kErrorFileNotFound;
    }
    void Close(KeyHandle) override {}
};

class PosixSystem final : public System {
public:
    bool IsOrdinaryFile(const std::string& path) override {
        struct stat info {};
        return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    }
    bool Start(const std::string&) override { return false; }
};

} // namespace

Registry& PlatformRegistry() {
    static NoRegistry registry;
    return registry;
}

System& PlatformSystem() {
    static PosixSystem system;
    return system;
}

} // namespace spirex::sysinfo
