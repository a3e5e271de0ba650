#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "ui/ErrorReport.h"

namespace tg::ui {
namespace {

struct Reports {
  std::vector<std::string> texts;
  void operator()(const std::string& text) { texts.push_back(text); }
};

TEST(ErrorReport, AnEscapingErrorEndsTheActionAndItsTextIsReported) {
  Reports reports;
  std::vector<std::string> steps;
  const bool finished = runReportingErrors(
      [&] {
        steps.push_back("before");
        throw std::runtime_error("cannot write C:\\Program\\regles.xml");
        steps.push_back("after");
      },
      std::ref(reports));
  EXPECT_FALSE(finished);
  EXPECT_EQ(steps, (std::vector<std::string>{"before"}));
  EXPECT_EQ(reports.texts, (std::vector<std::string>{"cannot write C:\\Program\\regles.xml"}));

  EXPECT_TRUE(runReportingErrors([&] { steps.push_back("quiet"); }, std::ref(reports)));
  EXPECT_EQ(reports.texts.size(), 1u);  // an action that ends well reports nothing
}

TEST(ErrorReport, EveryKindOfErrorHasAText) {
  struct NotStandard {};
  Reports reports;
  runReportingErrors([] { throw std::bad_alloc(); }, std::ref(reports));
  runReportingErrors([] { throw std::out_of_range("index 20 of 20"); }, std::ref(reports));
  runReportingErrors([] { throw NotStandard{}; }, std::ref(reports));
  runReportingErrors([] { throw 42; }, std::ref(reports));
  EXPECT_EQ(reports.texts, (std::vector<std::string>{"Out of memory", "index 20 of 20", "Unknown error", "Unknown error"}));
}

TEST(ErrorReport, AReportThatFailsInTurnLetsNothingEscape) {
  bool reached = false;
  const bool finished = runReportingErrors([] { throw std::runtime_error("first"); },
                                           [&](const std::string&) {
                                             reached = true;
                                             throw std::runtime_error("second");
                                           });
  EXPECT_FALSE(finished);
  EXPECT_TRUE(reached);
}

}  // namespace
}  // namespace tg::ui
