// Everywhere but Windows there is no registry: the lookup finds no key and the tool is
// unavailable, so nothing is ever tested or started here.
#include "sysinfo/SysInfo.h"

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

class NoSystem final : public System {
public:
    bool IsOrdinaryFile(const std::string&) override { return false; }
    bool Start(const std::string&) override { return false; }
};

} // namespace

Registry& PlatformRegistry() {
    static NoRegistry registry;
    return registry;
}

System& PlatformSystem() {
    static NoSystem system;
    return system;
}

} // namespace spirex::sysinfo
