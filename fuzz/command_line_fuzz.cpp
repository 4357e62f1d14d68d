// Arbitrary command lines through the splitter and the start-up decisions,
// against a system where every other path exists and instances may be running.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/command_line.h"
#include "app/start_up.h"

namespace {

class FuzzHost : public pathbook::StartupHost {
public:
    explicit FuzzHost(std::uint8_t seed) : seed_(seed) {}
    std::uint32_t FileAttributes(const char16_t* path) override {
        std::size_t length = std::char_traits<char16_t>::length(path);
        return (length + seed_) % 3 == 0 ? 0xFFFFFFFF : (length % 2 ? 0x10 : 0x80);
    }
    bool RaiseRunningInstances() override { return seed_ & 1; }
    void LaunchInstance(const pathbook::String& arguments) override { launched_ += arguments.Length(); }
    pathbook::StartDocument MostRecentHistoryEntry() override { return {}; }
    pathbook::StartDocument HomePage() override { return {}; }
    pathbook::String ProgramPath() override { return pathbook::String(u"C:\\p\\Pathbook.exe"); }

private:
    std::uint8_t seed_;
    std::size_t launched_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::u16string text;
    for (std::size_t i = 1; i + 1 < size; i += 2) {
        char16_t unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit != 0) text.push_back(unit);
    }
    pathbook::ArgList args = pathbook::SplitCommandLine(text.c_str());
    FuzzHost host(data[0]);
    pathbook::PlanStart(args, host);
    return 0;
}
