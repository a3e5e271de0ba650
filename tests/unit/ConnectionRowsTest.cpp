#include <gtest/gtest.h>

#include "pages/tools/ConnectionRows.h"

namespace tg {
namespace {

ConnectionFields connection(const std::string& name, const std::string& pid, const std::string& remote = "1.2.3.4",
                            const std::string& port = "443", const std::string& local = "10.0.0.2:50000") {
  return parseConnectionLine(name + ";" + pid + ";TCP;" + local + ";" + remote + ";" + port + ";ESTABLISHED;;;;");
}

SeenReading reading(std::uint64_t number, std::vector<ConnectionFields> connections,
                    std::vector<Decision> decisions = {}) {
  decisions.resize(connections.size());
  return {number, false, std::move(connections), std::move(decisions)};
}

std::vector<std::string> namesOf(const ConnectionRows& rows, bool freshOnly = false) {
  std::vector<std::string> names;
  for (const ConnectionRow& row : rows.rows())
    if (!freshOnly || row.fresh) names.push_back(row.cell(ConnectionColumn::Program));
  return names;
}

TEST(ConnectionRows, EachReadingReplacesTheRowsMarkingWhatIsNewForOneReadingAndAPauseOrAFailureKeepsThem) {
  ConnectionRows rows;
  EXPECT_TRUE(rows.take(reading(1, {connection("a.exe", "1"), connection("b.exe", "2")},
                                {{Verdict::AllowedByRule, ""}, {Verdict::SiteList, "exemple.fr"}})));
  EXPECT_EQ(namesOf(rows), (std::vector<std::string>{"a.exe", "b.exe"}));
  EXPECT_EQ(namesOf(rows, true), std::vector<std::string>{}) << "nothing to differ from yet";
  EXPECT_EQ(rows.rows()[1].decision.verdict, Verdict::SiteList);
  EXPECT_EQ(rows.rows()[1].decision.detail, "exemple.fr");
  EXPECT_EQ(rows.rows()[0].cell(ConnectionColumn::Local), "10.0.0.2:50000");
  EXPECT_EQ(rows.rows()[0].cell(ConnectionColumn::State), "ESTABLISHED");
  EXPECT_FALSE(rows.take(reading(1, {})) ) << "the reading already shown";

  // b.exe went, c.exe came, and a.exe's second connection is another row.
  EXPECT_TRUE(rows.take(reading(2, {connection("a.exe", "1"), connection("c.exe", "3"),
                                    connection("a.exe", "1", "5.6.7.8")})));
  EXPECT_EQ(namesOf(rows), (std::vector<std::string>{"a.exe", "c.exe", "a.exe"}));
  EXPECT_EQ(namesOf(rows, true), (std::vector<std::string>{"c.exe", "a.exe"}));
  EXPECT_TRUE(rows.take(reading(3, {connection("a.exe", "1"), connection("c.exe", "3")})));
  EXPECT_EQ(namesOf(rows, true), std::vector<std::string>{}) << "new for one reading only";

  rows.setPaused(true);
  EXPECT_FALSE(rows.take(reading(4, {connection("d.exe", "4")})));
  EXPECT_EQ(namesOf(rows), (std::vector<std::string>{"a.exe", "c.exe"}));
  rows.setPaused(false);
  EXPECT_TRUE(rows.take(reading(5, {connection("a.exe", "1"), connection("d.exe", "4")})));
  EXPECT_EQ(namesOf(rows, true), (std::vector<std::string>{"d.exe"})) << "against what was shown";

  SeenReading failed = reading(6, {connection("a.exe", "1"), connection("d.exe", "4")});
  failed.failed = true;
  EXPECT_TRUE(rows.take(failed));
  EXPECT_TRUE(rows.old());
  EXPECT_EQ(namesOf(rows), (std::vector<std::string>{"a.exe", "d.exe"}));
  failed.number = 7;
  EXPECT_FALSE(rows.take(failed)) << "still old: nothing to show anew";
  EXPECT_TRUE(rows.take(reading(8, {connection("a.exe", "1")})));
  EXPECT_FALSE(rows.old());
}

TEST(ConnectionRows, AReadingChangesTheRowsOnlyWhenItGivesOtherRowsOrTheSameInAnotherOrder) {
  const ConnectionFields a = connection("a.exe", "1"), b = connection("b.exe", "2"), c = connection("c.exe", "3");
  ConnectionFields aClosing = a;
  aClosing.field[6] = "TIME_WAIT";
  const Decision allowed{Verdict::AllowedByRule, ""};
  struct Case {
    const char* what;
    std::vector<ConnectionFields> next;
    std::vector<Decision> decisions;
    bool changed;
    std::vector<std::string> names, fresh;
  };
  const std::vector<Case> cases = {
      {"the same rows", {a, b}, {allowed, allowed}, false, {"a.exe", "b.exe"}, {}},
      {"another state", {aClosing, b}, {allowed, allowed}, true, {"a.exe", "b.exe"}, {}},
      {"another decision", {a, b}, {{Verdict::Quarantined, ""}, allowed}, true, {"a.exe", "b.exe"}, {}},
      {"another order", {b, a}, {allowed, allowed}, true, {"b.exe", "a.exe"}, {}},
      {"one more", {a, b, c}, {allowed, allowed, allowed}, true, {"a.exe", "b.exe", "c.exe"}, {"c.exe"}},
      {"one listed twice", {a, a}, {allowed, allowed}, true, {"a.exe", "a.exe"}, {}},
  };
  for (const Case& k : cases) {
    ConnectionRows rows;
    rows.take(reading(1, {a, b}, {allowed, allowed}));
    rows.take(reading(2, {a, b}, {allowed, allowed}));
    EXPECT_EQ(rows.take(reading(3, k.next, k.decisions)), k.changed) << k.what;
    EXPECT_EQ(namesOf(rows), k.names) << k.what;
    EXPECT_EQ(namesOf(rows, true), k.fresh) << k.what;
    for (std::size_t i = 0; i < k.next.size(); ++i) {
      EXPECT_EQ(rows.rows()[i].cell(ConnectionColumn::State), k.next[i].field[6]) << k.what;
      EXPECT_EQ(rows.rows()[i].decision.verdict, k.decisions[i].verdict) << k.what;
    }
  }
}

TEST(ConnectionRows, ColumnsSortNumbersAsNumbersAndAddressesPartByPart) {
  struct Case {
    ConnectionColumn column;
    ConnectionFields less, more;
  };
  const std::vector<Case> cases = {
      {ConnectionColumn::Pid, connection("a", "9"), connection("a", "10")},
      {ConnectionColumn::Port, connection("a", "1", "1.2.3.4", "80"), connection("a", "1", "1.2.3.4", "443")},
      {ConnectionColumn::Port, connection("a", "1", "1.2.3.4", ""), connection("a", "1", "1.2.3.4", "-1")},
      {ConnectionColumn::Remote, connection("a", "1", "9.0.0.1"), connection("a", "1", "10.0.0.1")},
      {ConnectionColumn::Remote, connection("a", "1", "10.0.0.9"), connection("a", "1", "10.0.0.10")},
      {ConnectionColumn::Local, connection("a", "1", "", "", "10.0.0.2:999"), connection("a", "1", "", "", "10.0.0.2:50000")},
      {ConnectionColumn::Program, connection("Alpha.exe", "1"), connection("beta.exe", "1")},
  };
  for (const Case& c : cases) {
    ConnectionRows rows;
    rows.take(reading(1, {c.less, c.more}));
    const ConnectionRow& less = rows.rows()[0];
    const ConnectionRow& more = rows.rows()[1];
    EXPECT_LT(compareConnections(less, more, c.column), 0) << less.cell(c.column) << " / " << more.cell(c.column);
    EXPECT_GT(compareConnections(more, less, c.column), 0);
    EXPECT_EQ(compareConnections(less, less, c.column), 0);
  }
  ConnectionRows rows;
  rows.take(reading(1, {connection("a", "1"), connection("b", "2")}, {{Verdict::SiteList, "b"}, {Verdict::New, ""}}));
  EXPECT_GT(compareConnections(rows.rows()[0], rows.rows()[1], ConnectionColumn::Verdict), 0);
}

}  // namespace
}  // namespace tg
