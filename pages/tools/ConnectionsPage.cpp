#include "pages/tools/ConnectionsPage.h"

#include <algorithm>
#include <unordered_set>

#include "engines/ProcessUtilities.h"
#include "pages/Pages.h"
#include "pages/records/RecordEdits.h"
#include "pages/records/RecordList.h"

namespace tg {

namespace {

// The list's columns after the mark of a new row: their captions' entries,
// widths and what they show. The decision comes right after the program, where
// the list's width shows it without scrolling.
struct Column {
  int entry;
  int width;
  ConnectionColumn shows;
};
constexpr std::array<Column, kConnectionColumns> kColumns = {{
    {10, 110, ConnectionColumn::Program},
    {136, 170, ConnectionColumn::Verdict},
    {130, 50, ConnectionColumn::Pid},
    {131, 70, ConnectionColumn::Protocol},
    {132, 120, ConnectionColumn::Local},
    {133, 112, ConnectionColumn::Remote},
    {134, 45, ConnectionColumn::Port},
    {135, 90, ConnectionColumn::State},
}};

// The list's column that shows what `shows` is: past the mark's.
constexpr std::size_t listColumnOf(ConnectionColumn shows) {
  for (std::size_t i = 0; i < kColumns.size(); ++i)
    if (kColumns[i].shows == shows) return i + 1;
  return 0;
}
static_assert(listColumnOf(ConnectionColumn::Program) == 1, "the record lists' commands read the program there");
constexpr char kNewMark[] = "\xBB";  // », in front of a connection new at this reading

// Entries of the page's texts.
constexpr int kPauseEntry = 145, kEndEntry = 146, kRulesEntry = 147, kOldEntry = 148, kEndQuestion = 149;

}  // namespace

std::string ConnectionsPage::decisionText(const Decision& decision, const LanguageTable& language) {
  switch (decision.verdict) {
    case Verdict::AllowedByRule: return language.text(137);
    case Verdict::New: return language.text(138);
    case Verdict::Asked: return language.text(139);
    case Verdict::Quarantined: return language.text(140);
    case Verdict::ProtocolSwitch: return language.text(141) + decision.detail;
    case Verdict::SiteList: return language.text(142) + decision.detail;
    case Verdict::InternetBlocked: return language.text(143);
    default: return language.text(144);
  }
}

ConnectionsPage::ConnectionsPage(PageContext& c)
    : List(c.panel.add<ui::ListView>("List", ui::Rect{8, 24, 585, 290})),
      FilterEdit(addRecordFilter(c, List)),
      PauseBox(c.panel.add<ui::CheckBox>("PauseBox", ui::Rect{304, 3, 140, 17}, c.text(kPauseEntry))),
      StateLabel(c.panel.add<ui::Label>("StateLabel", ui::Rect{8, 318, 0, 0})),
      QuarantineButton(c.panel.add<ui::Button>("QuarantineButton", ui::Rect{8, 338, 160, 25}, ui::ButtonKind::Custom,
                                               c.text(110))),
      EndButton(c.panel.add<ui::Button>("EndButton", ui::Rect{176, 338, 160, 25}, ui::ButtonKind::Custom,
                                        c.text(kEndEntry))),
      RulesButton(c.panel.add<ui::Button>("RulesButton", ui::Rect{344, 338, 160, 25}, ui::ButtonKind::Custom,
                                          c.text(kRulesEntry))),
      c_(c) {}

ConnectionsPage::~ConnectionsPage() {
  if (follower_) c_.platform().timers.stop(follower_);
}

std::unique_ptr<Page> ConnectionsPage::build(PageContext& c) {
  std::unique_ptr<ConnectionsPage> page(new ConnectionsPage(c));
  ConnectionsPage* self = page.get();
  ui::ListView& list = self->List;
  list.setReadOnly(true);
  list.setShowHint(true);
  list.setFollowsSelection(false);  // the user's scroll position stays as the rows change
  list.addColumn("", 18);
  for (const Column& column : kColumns) list.addColumn(c.text(column.entry), column.width);
  list.onColumnClick = [self](int column) { self->columnClick(column); };
  list.onCompare = [self](int a, int b) {
    const auto& rows = self->List.rows();
    return self->compare(rows[static_cast<std::size_t>(a)], rows[static_cast<std::size_t>(b)]);
  };
  wireRecordCommands(c, list,
                     {{110, [self] { self->quarantineSelected(); }},
                      {kEndEntry, [self] { self->endSelected(); }},
                      {kRulesEntry, [self] { self->showRulesOfSelected(); }}});
  self->PauseBox.onClick = [self] {
    self->rows_.setPaused(self->PauseBox.checked());
    self->follow();
  };
  self->QuarantineButton.onClick = [self] { self->quarantineSelected(); };
  self->EndButton.onClick = [self] { self->endSelected(); };
  self->RulesButton.onClick = [self] { self->showRulesOfSelected(); };
  self->follow();
  self->follower_ = c.platform().timers.startRepeating(kFollowMs, [self] { self->follow(); });
  return page;
}

void ConnectionsPage::follow() {
  if (rows_.take(c_.window.latestReading)) show();
}

std::string ConnectionsPage::keyOfRow(int row) const {
  // The fields that make a connection the same at the next reading, wherever their columns are.
  const ui::ListView::Row& shown = List.rows()[static_cast<std::size_t>(row)];
  return connectionKey([&](std::size_t field) -> const std::string& {
    return shown.text(listColumnOf(static_cast<ConnectionColumn>(field)));
  });
}

void ConnectionsPage::show() {
  // The selection goes with its connections, found again by what makes them one.
  std::unordered_set<std::string> selected;
  for (int row : List.selectedRows()) selected.insert(keyOfRow(row));
  const std::string focused = List.selected() >= 0 ? keyOfRow(List.selected()) : std::string();

  std::vector<ui::ListView::Row> shown;
  shown.reserve(rows_.rows().size());
  for (const ConnectionRow& row : rows_.rows()) {
    ui::ListView::Row r;
    r.caption = row.fresh ? kNewMark : "";
    r.subItems.reserve(kColumns.size());
    for (const Column& column : kColumns)
      r.subItems.push_back(column.shows == ConnectionColumn::Verdict ? decisionText(row.decision, c_.window.language)
                                                                      : row.cell(column.shows));
    shown.push_back(std::move(r));
  }
  // In the user's order before the list gets them, so that the rows in sight
  // that stay the same are not painted again.
  if (sortColumn_ >= 0)
    std::stable_sort(shown.begin(), shown.end(), [this](const auto& a, const auto& b) { return compare(a, b) < 0; });
  List.setRows(std::move(shown));
  std::vector<int> positions;
  int focus = -1;
  for (int position = 0; !selected.empty() && position < List.shownCount(); ++position) {
    const std::string key = keyOfRow(List.shownRow(position));
    if (!selected.count(key)) continue;
    if (key == focused) focus = position;
    positions.push_back(position);
  }
  if (!positions.empty()) List.selectShown(positions, focus);
  const std::string state = rows_.old() ? c_.text(kOldEntry) : std::string();
  if (StateLabel.caption() != state) StateLabel.setCaption(state);
}

void ConnectionsPage::columnClick(int column) {
  if (column < 1) return;  // the mark of new rows orders nothing
  ascending_ = column == sortColumn_ ? !ascending_ : true;
  sortColumn_ = column;
  List.sort();
}

int ConnectionsPage::compare(const ui::ListView::Row& a, const ui::ListView::Row& b) const {
  if (sortColumn_ < 1) return 0;
  const auto column = static_cast<std::size_t>(sortColumn_);
  const int order = compareConnectionTexts(a.text(column), b.text(column), kColumns[column - 1].shows);
  return ascending_ ? order : -order;
}

void ConnectionsPage::quarantineSelected() {
  const std::vector<std::string> names = selectedProgramNames(List);
  if (names.empty()) return;
  const std::string question = names.size() == 1 ? c_.text(20) + names.front() : severalProgramsQuestion(c_, 20, names);
  if (c_.platform().dialogs.askYesNo(question) != Answer::Yes) return;
  // The monitor ends them at its next reading, as any quarantined program.
  quarantinePrograms(c_.stores(), c_.state(), names);
}

void ConnectionsPage::endSelected() {
  const std::vector<int> rows = List.selectedRows();
  const std::vector<std::string> names = selectedProgramNames(List);
  if (names.empty()) return;
  if (c_.platform().dialogs.askYesNo(c_.text(kEndQuestion) + firstNames(names)) != Answer::Yes) return;
  for (int row : rows) {
    const ui::ListView::Row& shown = List.rows()[static_cast<std::size_t>(row)];
    // The process of that name with that id only: another program may have taken a freed id.
    KillByNameAndPid(c_.platform().processes, shown.text(listColumnOf(ConnectionColumn::Program)),
                     shown.text(listColumnOf(ConnectionColumn::Pid)));
  }
}

void ConnectionsPage::showRulesOfSelected() {
  const std::vector<std::string> names = selectedProgramNames(List);
  if (names.empty() || !c_.window.openFound) return;
  c_.window.openFound(nav::kRuleList, names.front());
}

}  // namespace tg
