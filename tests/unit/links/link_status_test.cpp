#include "links/link_status.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <utility>

#include "link_test_support.h"
#include "links/existing_prefix.h"
#include "loopback_server.h"
#include "support/temp_folder.h"

namespace pathbook {
namespace {

using test::U;
using test::Utf8;

const char* const kFileFound = "【FILE】 ○：";
const char* const kFileMissing = "【FILE】 ×：ファイルは見つかりません。綴りを確認してください。";

// A temporary tree with a "Windows" folder holding "Fonts" and "notes.txt".
class LinkStatusTest : public ::testing::Test {
protected:
    LinkStatusTest() {
        std::filesystem::create_directories(folder_.Path() / "Windows" / "Fonts");
        folder_.Write("Windows/notes.txt", "notes");
        root_ = Utf8(test::WindowsForm(folder_.Path()));
    }

    // "<root>\" + `rest`.
    std::string InTree(const std::string& rest) const { return root_ + "\\" + rest; }

    test::TempFolder folder_;
    std::string root_;
};

struct Resolved {
    std::int32_t found;
    std::string link;
    std::string status;
};

Resolved Resolve(const std::string& base, const std::string& link) {
    String linkText = U(link.c_str());
    String status = U("stale");
    std::int32_t found = ResolveLinkStatus(U(base.c_str()), linkText, status);
    return {found, Utf8(linkText), Utf8(status)};
}

std::int32_t Length(const std::string& utf8) { return U(utf8.c_str()).Length(); }

// What the status line says of each link, and how much of it exists. Mail
// needs no check, a missing target is marked, text that is no link says nothing.
TEST_F(LinkStatusTest, EachLinkResolvesToItsExistingPart) {
    test::SetVariable("PATHBOOK_LINK_TREE", U(root_.c_str()));
    const std::string mail = "mailto://someone@example.org";
    const std::string variable = "%PATHBOOK_LINK_TREE%\\Windows\\";
    const struct {
        std::string base;
        std::string link;
        std::string found;  // the part that exists, as written
        std::string status;
    } cases[] = {
        {"", InTree("Windows\\Fonts"), InTree("Windows\\Fonts"), kFileFound + InTree("Windows\\Fonts")},
        {"", InTree("Windows\\Fonts\\"), InTree("Windows\\Fonts\\"), kFileFound + InTree("Windows\\Fonts")},
        {"", InTree("Windows/notes.txt"), InTree("Windows/notes.txt"), kFileFound + InTree("Windows/notes.txt")},
        {"", InTree("Windows\\NoSuchDir\\x.txt"), InTree("Windows\\"),
         kFileFound + InTree("Windows\\NoSuchDir\\x.txt")},
        // Variables expand before the check.
        {"", variable + "Fonts", variable + "Fonts", kFileFound + InTree("Windows\\Fonts")},
        {"", variable + "Missing", variable, kFileFound + InTree("Windows\\Missing")},
        // Relative links resolve against the base; an anchor arrives with its
        // "#" replaced by "\", inside the base folder.
        {InTree("Windows\\Fonts\\"), "..\\notes.txt", "..\\notes.txt", kFileFound + InTree("Windows\\notes.txt")},
        {InTree("Windows"), "\\notes.txt", "\\notes.txt", kFileFound + InTree("Windows\\notes.txt")},
        {"", mail, mail, "【MAIL】 " + mail}, {"", "Q:\\NoSuchDrive\\x.txt", "", kFileMissing},
        {"", "", "", ""}, {"", "plain words", "", ""}, {"", "#anchor", "", ""}, {"", "\\single", "", ""},
    };
    for (const auto& c : cases) {
        Resolved r = Resolve(c.base, c.link);
        EXPECT_EQ(r.found, Length(c.found)) << c.link;
        EXPECT_EQ(r.link, c.found.empty() ? c.link : c.found) << c.link;
        EXPECT_EQ(r.status, c.status) << c.link;
    }
}

TEST_F(LinkStatusTest, ExistingPrefixAtItsEdges) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {InTree("Windows"), Length(InTree("Windows"))},
        {InTree("Windows\\NoSuchDir\\x.txt"), Length(InTree("Windows\\"))},
        {InTree("Windows\\\\\\Missing"), Length(InTree("Windows\\"))},
        {InTree("Missing\\Deeper\\x"), Length(root_) + 1},
        {InTree("Windows/Fonts/Missing/"), Length(InTree("Windows/Fonts/"))}, {"Q:\\NoSuchDrive\\x.txt", 0}, {"", 0},
    };
    for (const auto& [link, expected] : cases) {
        EXPECT_EQ(ExistingPrefixLength(U(link.c_str()), String()), expected) << link;
    }
    EXPECT_EQ(ExistingPrefixLength(U("Fonts\\Missing"), U(InTree("Windows").c_str())), Length("Fonts\\"));
}

TEST_F(LinkStatusTest, LongLinksAreCutToAPathBuffer) {
    std::string link = InTree(std::string(400, 'x') + "\\y.txt");
    Resolved r = Resolve("", link);
    EXPECT_EQ(r.found, Length(root_) + 1);
    EXPECT_EQ(r.link, root_ + "\\");
    EXPECT_EQ(r.status.rfind(kFileFound, 0), 0u);
    EXPECT_LE(Length(r.status), Length(kFileFound) + 259);
}

TEST(LinkStatusNetworkTest, WebAndFtpStatus) {
    test::LoopbackServer web(test::LoopbackServer::Kind::kHttp);
    test::LoopbackServer ftp(test::LoopbackServer::Kind::kAcceptAndClose);
    const std::tuple<std::string, bool, const char*> cases[] = {
        {web.Url("http", "/"), true, "【HTTP】 ○："},
        {web.Url("http", "/missing"), true, "【HTTP】 ○："},
        {test::ClosedUrl("http"), false, "【HTTP】 ×："},
        {ftp.Url("ftp", "/pub/"), true, "【FTP】 ○："},
        {test::ClosedUrl("ftp"), false, "【FTP】 ×："},
    };
    for (const auto& [link, reachable, prefix] : cases) {
        Resolved r = Resolve("", link);
        EXPECT_EQ(r.found, reachable ? Length(link) : 0) << link;
        EXPECT_EQ(r.status, prefix + link);
    }
}

TEST(LinkStatusNetworkTest, AWebAddressKeepsItsVariablesUnexpanded) {
    test::LoopbackServer web(test::LoopbackServer::Kind::kHttp);
    test::SetVariable("PATHBOOK_SECRET", U("hunter2"));
    const std::string link = web.Url("http", "/%PATHBOOK_SECRET%");
    Resolved r = Resolve("", link);
    EXPECT_EQ(r.status, "【HTTP】 ○：" + link) << "the host never hears the variable's value";
}

}  // namespace
}  // namespace pathbook
