#include <gtest/gtest.h>

#include "engines/ConnectionLine.h"
#include "engines/HostAddress.h"
#include "testing/FakeSockets.h"

namespace tg {
namespace {

using testing::FakeSockets;

TEST(LocalHostQuery, GivesTheNameAndAnUnsignedDottedAddress) {
  FakeSockets sockets;
  sockets.address = std::vector<std::uint8_t>{200, 7, 0, 128};
  const LocalHost host = LocalHostQuery(sockets);
  EXPECT_TRUE(host.ok);
  EXPECT_EQ(host.hostName, "poste-1");
  EXPECT_EQ(host.address, "200.7.0.128");
  EXPECT_EQ(sockets.cleanups, 1);
}

TEST(LocalHostQuery, ALookupWithoutAddressSucceedsWithAnEmptyAddress) {
  FakeSockets sockets;
  sockets.address = std::nullopt;
  const LocalHost host = LocalHostQuery(sockets);
  EXPECT_TRUE(host.ok);
  EXPECT_EQ(host.address, "");
}

TEST(LocalHostQuery, FailuresNameTheirCause) {
  FakeSockets sockets;
  sockets.startupWorks = false;
  LocalHost host = LocalHostQuery(sockets);
  EXPECT_FALSE(host.ok);
  EXPECT_EQ(host.error, "Winsock ne r\xE9pond pas.\"");
  EXPECT_EQ(sockets.cleanups, 0);  // nothing was started

  sockets.startupWorks = true;
  for (const auto& [code, text] : std::vector<std::pair<int, std::string>>{
           {10036, "WSAEInProgress"}, {10050, "WSAENetDown"}, {10093, "WSANotInitialised"}, {10040, ""}}) {
    sockets.name = {false, "", code};
    host = LocalHostQuery(sockets);
    EXPECT_FALSE(host.ok);
    EXPECT_EQ(host.error, text);
    EXPECT_EQ(host.hostName, "");
    EXPECT_EQ(host.address, "");
  }
  EXPECT_EQ(sockets.cleanups, 4);
}

TEST(IpDigits, KeepsOnlyDotsAndDigits) {
  EXPECT_EQ(IpDigits("a1.2b.3c"), "1.2.3");
  EXPECT_EQ(IpDigits("abc"), "");
  EXPECT_EQ(IpDigits(""), "");
  EXPECT_EQ(IpDigits("Address: 93.184.216.34\r"), "93.184.216.34");
  EXPECT_EQ(IpDigits("[::ffff:10.0.0.1]:443"), "10.0.0.1443");
}

TEST(ConnectionLine, FieldsEndAtSemicolonsAndTheLastTwoCharactersAreNeverRead) {
  const ConnectionFields f = parseConnectionLine("fire:fox.exe;4321;TCP;0.0.0.0:5000;93.184.216.34;443;ESTABLISHED;5000;x;;;");
  EXPECT_EQ(f.name(), "firefox.exe");
  EXPECT_EQ(f.pid(), "4321");
  EXPECT_EQ(f.field[2], "TCP");
  EXPECT_EQ(f.address(), "93.184.216.34");
  EXPECT_EQ(f.port(), "443");
  EXPECT_EQ(f.field[8], "x");

  // "a;b;" : the final ";" is one of the last two characters, so only "a" is read.
  EXPECT_EQ(parseConnectionLine("a;b;").field[1], "");
  EXPECT_EQ(parseConnectionLine("a;b;").field[0], "a");
  EXPECT_EQ(parseConnectionLine(";").name(), "");
}

TEST(ConnectionLine, AnUnterminatedRemainderIsDroppedAndMissingFieldsAreEmpty) {
  const ConnectionFields f = parseConnectionLine("app.exe;12;tail without end");
  EXPECT_EQ(f.name(), "app.exe");
  EXPECT_EQ(f.pid(), "12");
  for (std::size_t i = 2; i < ConnectionFields::kFields; ++i) EXPECT_EQ(f.field[i], "") << i;
}

}  // namespace
}  // namespace tg
