// Several real processes share the settings file, the history mutex and the
// navigation chain at the same time; nothing may be lost or mangled.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "config/config_store.h"
#include "navigation/fold_case.h"
#include "navigation/nav_chain.h"
#include "platform/user_name.h"
#include "runtime/decimal.h"
#include "runtime/utf8.h"
#include "sharing_code.h"
#include "support/child_process.h"
#include "support/temp_folder.h"
#include "support/unique_name.h"

namespace pathbook {
namespace {

using test::ChildProcess;
using test::NameCleanup;
using test::TempFolder;
using test::UniqueName;

constexpr int kWorkers = 4;
constexpr int kPathsPerWorker = 50;

// A path a worker writes: (worker, index), or false for anything else.
bool ParseWorkerPath(const std::u16string& path, int* worker, int* index) {
    std::string text = Utf16ToUtf8(path);
    char tail[8] = {};
    return std::sscanf(text.c_str(), "C:\\w%d\\note%d.%3s", worker, index, tail) == 3 && std::string(tail) == "txt" &&
           text == "C:\\w" + std::to_string(*worker) + "\\note" + std::to_string(*index) + ".txt";
}

// Every line a section header, a key=value pair or blank; no key twice in a section.
void ExpectWellFormedIni(const std::string& text) {
    std::istringstream lines(text);
    std::string line, section;
    std::map<std::string, std::set<std::string>> keys;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line.front() == '[') {
            ASSERT_EQ(line.back(), ']') << line;
            section = line;
            continue;
        }
        std::size_t equals = line.find('=');
        ASSERT_NE(equals, std::string::npos) << line;
        ASSERT_FALSE(section.empty()) << line;
        EXPECT_TRUE(keys[section].insert(line.substr(0, equals)).second) << "twice: " << line;
    }
}

TEST(SharingTest, ConcurrentInstancesLoseNothing) {
    TempFolder folder;
    NameCleanup mru{UniqueName("MRU")}, configBlock{UniqueName("Cfg")}, configMutex{UniqueName("CfgSem")};
    NameCleanup chainBlock{UniqueName("Chain")}, chainMutex{UniqueName("ChainSem")};
    NavChain chain;  // keeps the chain alive while the workers come and go
    ASSERT_TRUE(chain.Attach(NavChainNames{String(chainBlock.Name()), String(chainMutex.Name())}));

    std::vector<std::string> shared = {Utf16ToUtf8(folder.File("Pathbook.ini"))};
    for (const NameCleanup* name : {&mru, &configBlock, &configMutex, &chainBlock, &chainMutex}) {
        shared.push_back(Utf16ToUtf8(name->Name()));
    }
    ChildProcess workers[kWorkers];
    for (int w = 0; w < kWorkers; ++w) {
        std::vector<std::string> arguments = shared;
        arguments.push_back(std::to_string(w));
        arguments.push_back(std::to_string(kPathsPerWorker));
        arguments.push_back(Utf16ToUtf8(folder.File("go")));
        ASSERT_TRUE(workers[w].Start(test::ProgramPath(PATHBOOK_SHARING_WORKER), arguments));
    }
    folder.Write("go", "");
    for (ChildProcess& worker : workers) EXPECT_EQ(worker.Wait(std::chrono::seconds(240)), 0);

    ExpectWellFormedIni(folder.Read("Pathbook.ini"));

    // The history holds the 16 latest additions; of each worker, its latest
    // ones in order, so no addition was lost to another's write.
    IniFile user;
    user.Open(String(folder.File("Pathbook.ini")));
    user.UseSection(UserSectionName(platform::CurrentUserName()));
    std::map<int, std::vector<int>> historyByWorker;
    std::set<std::u16string> historyPaths;
    for (int n = 1; n <= kHistorySize; ++n) {
        std::u16string path(user.GetEncodedString((u"MRU" + FormatDecimal(n)).c_str(), u"").View());
        int worker = -1, index = -1;
        ASSERT_TRUE(ParseWorkerPath(path, &worker, &index)) << Utf16ToUtf8(path);
        EXPECT_EQ(user.GetInt((u"CODE" + FormatDecimal(n)).c_str(), 0), test::SharingCode(worker, index));
        EXPECT_TRUE(historyPaths.insert(path).second);
        historyByWorker[worker].push_back(index);
    }
    for (const auto& [worker, indexes] : historyByWorker) {
        for (std::size_t i = 0; i < indexes.size(); ++i) {
            EXPECT_EQ(indexes[i], kPathsPerWorker - 1 - static_cast<int>(i)) << "worker " << worker;
        }
    }

    // The chain holds each worker's paths from its first one on, each once,
    // until the block had no room for another.
    std::vector<NavEntry> entries = chain.Entries();
    std::map<int, int> nextIndex;
    std::uint32_t used = 0;
    for (const NavEntry& entry : entries) {
        int worker = -1, index = -1;
        ASSERT_TRUE(ParseWorkerPath(entry.path, &worker, &index)) << Utf16ToUtf8(entry.path);
        EXPECT_EQ(entry.code, worker);
        EXPECT_EQ(index, nextIndex[worker]++) << "worker " << worker;
        used += static_cast<std::uint32_t>(entry.path.size()) + 5;
    }
    std::uint32_t longestEntry = static_cast<std::uint32_t>(std::u16string(u"C:\\w0\\note10.txt").size()) + 5;
    EXPECT_GE(used + longestEntry, kNavChainUnits) << "a refused path would have fitted";
}

}  // namespace
}  // namespace pathbook
