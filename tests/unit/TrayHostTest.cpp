#include <gtest/gtest.h>

#include "app/TrayHost.h"
#include "testing/FakePlatform.h"

namespace tg {
namespace {

using testing::FakePlatform;

TEST(TrayHostIcon, ARefusedIconIsTriedAgainUntilTheShellTakesIt) {
  FakePlatform fake;
  fake.tray.refusals = 3;  // no notification area yet
  int shown = 0;
  TrayHost host(fake.platform, "C:\\Programmes\\T\\tarnivoxguard2013.exe", [&] { ++shown; });
  host.create();
  EXPECT_EQ(fake.tray.icons, 0);
  EXPECT_EQ(fake.tray.adds, 1);
  // The autorun value does not wait for the icon.
  EXPECT_EQ(fake.registry.autorun["Tarnivoxguard2013"], "C:\\Programmes\\T\\tarnivoxguard2013.exe");

  fake.timers.advance(TrayHost::kIconRetryMs - 1);
  EXPECT_EQ(fake.tray.adds, 1);
  fake.timers.advance(1);
  EXPECT_EQ(fake.tray.adds, 2);
  fake.timers.advance(2 * TrayHost::kIconRetryMs);
  EXPECT_EQ(fake.tray.adds, 4);
  EXPECT_EQ(fake.tray.icons, 1);
  EXPECT_EQ(fake.tray.tip, "Tarnivoxguard2013");

  // Taken: no more tries, and the icon answers.
  fake.timers.advance(60 * TrayHost::kIconRetryMs);
  EXPECT_EQ(fake.tray.adds, 4);
  EXPECT_EQ(fake.timers.active(), 0u);
  fake.tray.mouseEvent(kTrayRightButtonDown);
  EXPECT_EQ(shown, 1);
}

TEST(TrayHostIcon, AnIconTakenAtOnceNeedsNoTimerAndAHostGoneStopsTrying) {
  FakePlatform fake;
  {
    TrayHost host(fake.platform, "C:\\T\\tarnivoxguard2013.exe", {});
    host.create();
    EXPECT_EQ(fake.tray.icons, 1);
    EXPECT_EQ(fake.timers.active(), 0u);
  }
  FakePlatform refusing;
  refusing.tray.refusals = 1000;
  {
    TrayHost host(refusing.platform, "C:\\T\\tarnivoxguard2013.exe", {});
    host.create();
    refusing.timers.advance(5 * TrayHost::kIconRetryMs);
    EXPECT_EQ(refusing.tray.adds, 6);
  }
  // Its retry would call into a host that is no more.
  EXPECT_EQ(refusing.timers.active(), 0u);
  refusing.timers.advance(5 * TrayHost::kIconRetryMs);
  EXPECT_EQ(refusing.tray.adds, 6);
}

TEST(TrayHostIcon, AnIconTakenAwayAtTheEndIsNotTriedAgain) {
  FakePlatform fake;
  fake.tray.refusals = 2;
  TrayHost host(fake.platform, "C:\\T\\tarnivoxguard2013.exe", {});
  host.create();
  host.removeIcon();
  fake.timers.advance(5 * TrayHost::kIconRetryMs);
  EXPECT_EQ(fake.tray.adds, 1);
  EXPECT_EQ(fake.tray.icons, 0);
}

}  // namespace
}  // namespace tg
