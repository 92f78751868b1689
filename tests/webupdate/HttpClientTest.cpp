// The HTTP client against the test site over loopback.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include "WebFixture.h"
#include "base/DebugLog.h"
#include "startup/Startup.h"
#include "webupdate/HTTPClass.h"

namespace {

const char kConnectFailure[] =
    "Unable to connect to the Corvane download site.\r\n"
    "Check your Internet connection and firewall settings.\r\n"
    "See Help for more details.";
const char kUnauthorised[] =
    "Unable to connect to the Corvane download site.\r\n"
    "User is Unauthorised!\r\n"
    "See Help for more details.";

class HttpClientTest : public WebFixture {
 protected:
  std::string Server() const { return "127.0.0.1:" + std::to_string(site_->Port()); }
  std::vector<int> progress_;
  void Track(HTTPClass& http) {
    QObject::connect(&http, &HTTPClass::Progress,
                     [this](int bytes) { progress_.push_back(bytes); });
  }
};

TEST(UrlEncode, KeepsOnlyLettersAndDigits) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"abc-XYZ_09", "abc%2DXYZ%5F09"},
      {"", ""},
      {"a b", "a%20b"},
      {"~", "%7E"},
      {"x&y=z", "x%26y%3Dz"},
      {std::string("\x01\xff", 2), "%01%FF"},
      {"1 2", "1%202"},
  };
  for (const auto& c : cases) EXPECT_EQ(HTTPClass::URLEncode(c.in), c.out) << c.in;
}

TEST(Fields, NamesIgnoreCaseAndKeepFirstSpellingAndPlace) {
  ScriptedHost host;
  HTTPClass http(host);
  EXPECT_EQ(http.Fields("never"), "");
  EXPECT_EQ(http.BuildQueryString(), "");
  http.Fields("name", "first");
  http.Fields("other", "o");
  http.Fields("NAME", "second");
  EXPECT_EQ(http.Fields("Name"), "second");
  EXPECT_EQ(http.BuildQueryString(), "name=second&other=o");
}

TEST_F(HttpClientTest, QueryGoesIntoPathForGetAndIntoBodyForPost) {
  SiteFile("q.txt", "reply");
  struct Case {
    std::string verb;
    bool withFields;
    std::string target, contentType, body, method;
  } cases[] = {
      {"get", true, "/updates/q.txt?a=1%202&B=x%26y", "", "", "GET"},
      {"post", true, "/updates/q.txt", "application/x-www-form-urlencoded", "a=1%202&B=x%26y",
       "POST"},
      {"GET", false, "/updates/q.txt", "", "", "GET"},
      {"POST", false, "/updates/q.txt", "", "", "POST"},
  };
  for (const auto& c : cases) {
    HTTPClass http(host_);
    if (c.withFields) {
      http.Fields("a", "1 2");
      http.Fields("B", "x&y");
    }
    ASSERT_TRUE(http.OpenHTTP(Server(), 80, "", ""));
    EXPECT_EQ(http.SendRequest("/updates/q.txt", c.verb, true), "reply") << c.verb;
    const SiteRequest& seen = site_->Requests().back();
    EXPECT_EQ(seen.Method, c.method);
    EXPECT_EQ(seen.Target, c.target);
    EXPECT_EQ(seen.Body, c.body);
    auto type = seen.Headers.find("content-type");
    EXPECT_EQ(type == seen.Headers.end() ? "" : type->second, c.contentType) << c.verb;
  }
}

TEST_F(HttpClientTest, ReloadAsksForAFreshCopyAndCredentialsGoAsBasicAuthentication) {
  SiteFile("c.txt", "ok");
  site_->SetCredentials("joe", "s3cret");
  HTTPClass http(host_);
  ASSERT_TRUE(http.OpenHTTP(Server(), 80, "joe", "s3cret"));
  EXPECT_EQ(http.SendRequest("/updates/c.txt", "GET", true), "ok");
  const SiteRequest& seen = site_->Requests().back();
  EXPECT_EQ(seen.Headers.at("cache-control"), "no-cache");
  EXPECT_EQ(seen.Headers.at("pragma"), "no-cache");
  EXPECT_EQ(seen.Headers.at("authorization"), "Basic am9lOnMzY3JldA==");
  EXPECT_TRUE(host_.messages.empty());

  // A wrong password: the site's 401 page says unauthorised.
  HTTPClass wrong(host_);
  ASSERT_TRUE(wrong.OpenHTTP(Server(), 80, "joe", "guess"));
  EXPECT_EQ(wrong.SendRequest("/updates/c.txt", "GET", true), "");
  EXPECT_EQ(host_.Texts(), std::vector<std::string>{kUnauthorised});
}

TEST_F(HttpClientTest, DebugLogTracesRequestsWithThePasswordMasked) {
  SiteFile("c.txt", "ok");
  const QByteArray log = LogWhile([&] {
    HTTPClass http(host_);
    ASSERT_TRUE(http.OpenHTTP(Server(), 80, "joe", "s3cret"));
    http.SendRequest("/updates/c.txt", "GET", true);
    http.SendRequestBinary("/updates/c.txt", "GET", true);
  });
  std::vector<std::string> messages;
  for (const QByteArray& line : log.split('\n')) {
    // The warning about a password over http comes once a run (padflasher-cli's tests count it).
    if (line.size() > 16 && !line.contains("travels unencrypted"))
      messages.push_back(line.mid(16).trimmed().toStdString());
  }
  EXPECT_FALSE(log.contains("s3cret")) << log.toStdString();
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "OpenHTTP: " + Server() + ", joe, ****", "SendRequest: /updates/c.txt",
                          "SendRequest Response: ok", "SendRequestBinary: /updates/c.txt"}));
}

TEST_F(HttpClientTest, TheLogKeepsTheFirstFourKilobytesOfAReplyWithControlsEscaped) {
  SiteFile("c.txt", "\x1B]0;owned\x07" + QByteArray(5000, 'x'));
  const QByteArray log = LogWhile([&] {
    HTTPClass http(host_);
    ASSERT_TRUE(http.OpenHTTP(Server(), 80, "", ""));
    http.SendRequest("/updates/c.txt", "GET", true);
  });
  EXPECT_FALSE(log.contains('\x1B') || log.contains('\x07')) << log.toStdString();
  const qsizetype at = log.indexOf("SendRequest Response: ");
  ASSERT_GE(at, 0);
  const QByteArray line = log.mid(at, log.indexOf('\n', at) - at).trimmed();
  EXPECT_TRUE(line.startsWith("SendRequest Response: \\x1B]0;owned\\x07xxx")) << line.toStdString();
  EXPECT_TRUE(line.endsWith("xxx ... (5010 bytes in all)")) << line.right(80).toStdString();
  EXPECT_EQ(line.count('x'), 4096 - 10 + 2);  // the 'x's of "\x1B" and "\x07" among them
}

TEST_F(HttpClientTest, ReplyOfOneFullChunkReportsItsSizeTwice) {
  SiteFile("k.bin", QByteArray(1024, 'k'));
  HTTPClass http(host_);
  Track(http);
  ASSERT_TRUE(http.OpenHTTP(Server(), 80, "", ""));
  EXPECT_EQ(http.SendRequestBinary("/updates/k.bin", "GET", true).size(), 1024);
  EXPECT_EQ(progress_, (std::vector<int>{1024, 1024}));

  progress_.clear();
  SiteFile("k2.bin", QByteArray(2500, 'k'));
  EXPECT_EQ(http.SendRequest("/updates/k2.bin", "GET", true).size(), 2500u);
  EXPECT_EQ(progress_, (std::vector<int>{1024, 2048, 2500, 2500}));
}

TEST_F(HttpClientTest, UnauthorisedHtmlIsRefusedButThePlainWordIsNot) {
  SiteFile("plain.txt", "the word unauthorised alone");
  const QByteArray page = "<html><body>User unauthorised</body></html>";
  SiteFile("page.txt", page);
  HTTPClass http(host_);
  ASSERT_TRUE(http.OpenHTTP(Server(), 80, "", ""));
  EXPECT_EQ(http.SendRequest("/updates/plain.txt", "GET", true), "the word unauthorised alone");
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(http.SendRequest("/updates/page.txt", "GET", true), "");
  EXPECT_EQ(host_.Texts(), std::vector<std::string>{kUnauthorised});
  // The byte variant makes no such check.
  EXPECT_EQ(http.SendRequestBinary("/updates/page.txt", "GET", true), page);

  site_->SetFault(SiteFault::Unauthorised);
  EXPECT_EQ(http.SendRequest("/updates/plain.txt", "GET", true), "");
  EXPECT_EQ(host_.messages.size(), 2u);
}

TEST_F(HttpClientTest, UnreachableSiteShowsTheFailureOnceAndBringsNothing) {
  std::string server = "127.0.0.1:" + std::to_string(ClosedPort());
  HTTPClass text(host_);
  ASSERT_TRUE(text.OpenHTTP(server, 80, "", ""));
  EXPECT_EQ(text.SendRequest("/x.txt", "GET", true), "");
  EXPECT_EQ(host_.Texts(), std::vector<std::string>{kConnectFailure});
  EXPECT_EQ(host_.messages[0].icon, MsgIcon::Warning);
  EXPECT_EQ(host_.messages[0].title, gBaseName);

  HTTPClass bytes(host_);
  ASSERT_TRUE(bytes.OpenHTTP(server, 80, "", ""));
  EXPECT_TRUE(bytes.SendRequestBinary("/x.bin", "GET", true).isEmpty());
  EXPECT_EQ(host_.messages.size(), 2u);

  site_->SetFault(SiteFault::CloseEarly);
  HTTPClass dropped(host_);
  ASSERT_TRUE(dropped.OpenHTTP(Server(), 80, "", ""));
  EXPECT_EQ(dropped.SendRequest("/updates/x.txt", "GET", true), "");
  EXPECT_EQ(host_.messages.size(), 3u);
}

TEST_F(HttpClientTest, ErrorStatusPassesAsTextButBringsNoBytes) {
  SiteFile("f.bin", "data");
  for (SiteFault fault : {SiteFault::NotFound, SiteFault::ServerError}) {
    site_->SetFault(fault);
    HTTPClass http(host_);
    ASSERT_TRUE(http.OpenHTTP(Server(), 80, "", ""));
    std::string page = http.SendRequest("/updates/f.bin", "GET", true);
    EXPECT_NE(page.find("<html>"), std::string::npos);
    EXPECT_EQ(http.StatusCode(), fault == SiteFault::NotFound ? 404 : 500);
    EXPECT_TRUE(http.SendRequestBinary("/updates/f.bin", "GET", true).isEmpty());
  }
  EXPECT_TRUE(host_.messages.empty());
}

TEST_F(HttpClientTest, BodyCutShortBringsNothing) {
  SiteFile("t.bin", QByteArray(8000, 't'));
  site_->SetFault(SiteFault::Truncated);
  HTTPClass http(host_);
  ASSERT_TRUE(http.OpenHTTP(Server(), 80, "", ""));
  EXPECT_TRUE(http.SendRequestBinary("/updates/t.bin", "GET", true).isEmpty());
  EXPECT_EQ(http.SendRequest("/updates/t.bin", "GET", true), "");
  EXPECT_EQ(host_.messages.size(), 2u);
}

TEST_F(HttpClientTest, AReplyThatBreaksALimitBringsNothing) {
  SiteFile("f.bin", QByteArray(5000, 'f'));
  struct Case {
    const char* what;
    SiteFault fault;
    qint64 maxBytes;
    int minRate, graceMs, deadlineMs;
    std::string error;
  } cases[] = {
      {"endless body", SiteFault::Endless, 1 << 20, 0, 0, 600000, "bytes or more"},
      {"10 GB announced", SiteFault::HugeLength, 1 << 20, 0, 0, 600000, "10000000000 bytes"},
      {"more than allowed", SiteFault::None, 4999, 0, 0, 600000, "5000 bytes"},
      {"broken compression", SiteFault::BadEncoding, 1 << 20, 0, 0, 600000, "encoded as deflate"},
      {"compression bomb", SiteFault::Bomb, 262144, 0, 0, 600000, "encoded as deflate"},
      {"one byte at a time", SiteFault::Slow, 1 << 20, 2000, 300, 600000, "bytes per second"},
      {"no answer at all", SiteFault::Silent, 1 << 20, 0, 0, 400, "longer than"},
  };
  site_->SetSlowPace(1, 50);
  for (const auto& c : cases) {
    site_->SetFault(c.fault);
    HTTPClass http(host_);
    http.SetMaxBytes(c.maxBytes);
    http.SetPace(c.minRate, c.graceMs, c.deadlineMs);
    int last = 0;
    QObject::connect(&http, &HTTPClass::Progress, [&](int bytes) { last = bytes; });
    ASSERT_TRUE(http.OpenHTTP(Server(), 80, "", ""));
    EXPECT_TRUE(http.SendRequestBinary("/updates/f.bin", "GET", true).isEmpty()) << c.what;
    EXPECT_NE(http.LastError().find(c.error), std::string::npos)
        << c.what << ": " << http.LastError();
    EXPECT_FALSE(http.LastError().empty()) << c.what;
    // Memory stays flat: no more than the limit and one read buffer is ever held.
    EXPECT_LE(last, c.maxBytes + 64 * 1024) << c.what;
    EXPECT_EQ(http.SendRequest("/updates/f.bin", "GET", true), "") << c.what;
  }
}

TEST_F(HttpClientTest, CredentialsNeverFollowARedirectToAnotherServer) {
  QTemporaryDir otherDir;
  TestSite other(otherDir.path());
  ASSERT_TRUE(other.Listen());
  SiteFile("c.txt", "ok");
  site_->SetCredentials("joe", "s3cret");
  site_->SetFault(SiteFault::Redirect);
  struct Case {
    const char* what;
    std::string location;
    bool arrives;
  } cases[] = {
      {"another port", "http://127.0.0.1:" + std::to_string(other.Port()) + "/c.txt", false},
      {"another host name", "http://localhost:" + std::to_string(site_->Port()) + "/updates/c.txt",
       false},
      {"the same server", "http://127.0.0.1:" + std::to_string(site_->Port()) + "/updates/c.txt",
       true},
  };
  for (const auto& c : cases) {
    site_->SetRedirect(c.location);
    site_->SetFault(SiteFault::Redirect, "/updates/r.txt");
    HTTPClass http(host_);
    ASSERT_TRUE(http.OpenHTTP(Server(), 80, "joe", "s3cret"));
    const size_t before = site_->Requests().size();
    EXPECT_EQ(http.SendRequest("/updates/r.txt", "GET", true), c.arrives ? "ok" : "") << c.what;
    if (!c.arrives) {
      EXPECT_NE(http.LastError().find("redirected"), std::string::npos) << c.what;
    }
    // Only the first request (and a same-origin follow-up) reached a server at all.
    EXPECT_EQ(site_->Requests().size() - before, c.arrives ? 2u : 1u) << c.what;
  }
  EXPECT_TRUE(other.Requests().empty());
  host_.messages.clear();
}

TEST_F(HttpClientTest, SlowBodyKeepsTheEventLoopRunning) {
  SiteFile("s.bin", QByteArray(6000, 's'));
  site_->SetFault(SiteFault::Slow);
  site_->SetSlowPace(700, 5);
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(1);
  HTTPClass http(host_);
  Track(http);
  ASSERT_TRUE(http.OpenHTTP(Server(), 80, "", ""));
  EXPECT_EQ(http.SendRequestBinary("/updates/s.bin", "GET", true), QByteArray(6000, 's'));
  EXPECT_GT(ticks, 0);
  ASSERT_GE(progress_.size(), 3u);
  EXPECT_TRUE(std::is_sorted(progress_.begin(), progress_.end()));
  EXPECT_EQ(progress_.back(), 6000);
}

TEST_F(HttpClientTest, OpenRefusesAnAddressWithoutHostOrWithABadPort) {
  HTTPClass http(host_);
  EXPECT_FALSE(http.OpenHTTP("", 80, "", ""));
  EXPECT_FALSE(http.OpenHTTP("127.0.0.1:99999", 80, "", ""));
  EXPECT_EQ(http.SendRequest("/x", "GET", true), "");
  EXPECT_TRUE(http.SendRequestBinary("/x", "GET", true).isEmpty());
  EXPECT_TRUE(host_.messages.empty());
}

}  // namespace
