// A helper process for the sharing tests: adds `count` paths of its own to the
// history and appends them to the navigation chain, one after the other.
// Arguments: ini-path mru-mutex config-block config-mutex chain-block
// chain-mutex worker count start-file. The work starts once start-file exists
// (or after ten seconds), so that the workers overlap as much as they can.
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "config/config_store.h"
#include "navigation/nav_chain.h"
#include "platform/file_system.h"
#include "runtime/decimal.h"
#include "runtime/utf8.h"
#include "sharing_code.h"

int main(int argc, char** argv) {
    using namespace pathbook;
    if (argc != 10) return 2;
    auto arg = [&](int i) { return String(Utf8ToUtf16(argv[i])); };
    ConfigPlaces places;
    places.iniPath = arg(1);
    places.historyMutex = arg(2);
    places.sharedBlock = arg(3);
    places.sharedBlockMutex = arg(4);
    ConfigStore config(places, u"(default)");
    NavChain chain;
    if (!chain.Attach(NavChainNames{arg(5), arg(6)})) return 3;
    int worker = std::atoi(argv[7]);
    int count = std::atoi(argv[8]);
    String startFile = arg(9);
    auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!platform::IsExistingFile(startFile.Chars()) && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    for (int i = 0; i < count; ++i) {
        String path(u"C:\\w" + FormatDecimal(worker) + u"\\note" + FormatDecimal(i) + u".txt");
        config.AddHistory(path, test::SharingCode(worker, i));
        chain.Append(path, worker);
    }
    return 0;
}
