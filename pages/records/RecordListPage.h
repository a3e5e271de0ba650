#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pages/PageContext.h"
#include "pages/records/RecordList.h"

namespace tg {

// What the rule and alert lists share: one list of a store's records on the
// page, sorted by its date column when that header is clicked. What a click on
// a row does is each page's own.
class RecordListPage : public Page {
 protected:
  RecordListPage(PageContext& c, ui::ListView& list) : c_(c), sorting_(list, c.platform().locale) {}

  // The page's handlers: a click on a row, on a header, and the rows' order.
  template <class P>
  struct Handlers {
    void (P::*click)();
    void (P::*columnClick)(int);
    int (P::*compare)(int, int);
  };
  // Puts a record list of a store's rows on the page and wires it to the handlers
  // of a new page of type P, which P's constructor takes as (context, list).
  // `several` acts on the selected rows (Delete, the shortcut menu's item of
  // language entry `severalEntry`).
  template <class P>
  static std::unique_ptr<Page> build(PageContext& c, std::string listName, const RecordStore& store, Handlers<P> on,
                                     void (P::*several)(), int severalEntry) {
    ui::ListView& list = addRecordList(c, std::move(listName), kRecordColumns);
    std::unique_ptr<P> page(new P(c, list));
    P* self = page.get();
    list.onClick = [self, on] { (self->*on.click)(); };
    list.onColumnClick = [self, on](int column) { (self->*on.columnClick)(column); };
    list.onCompare = [self, on](int a, int b) { return (self->*on.compare)(a, b); };
    wireRecordCommands(c, list, {{severalEntry, [self, several] { (self->*several)(); }}});
    list.setSource(std::make_shared<RecordRows>(store, c.window.language));
    page->filter_ = &addRecordFilter(c, list);
    return page;
  }

 public:
  ui::Edit& filterBox() const { return *filter_; }
  // The filter box takes the text, as if typed.
  bool find(const std::string& text) override {
    filter_->setText(text);
    if (filter_->onChange) filter_->onChange();
    return true;
  }

 protected:

  // Delete on the selected rows: one row acts as a click on it (`click`); for
  // several, the user is asked once, after language entry `lead`. The program
  // names to act on once the user said Yes; none otherwise.
  std::optional<std::vector<std::string>> confirmSelected(ui::ListView& list, const std::function<void()>& click,
                                                         int lead) {
    const std::vector<int> rows = list.selectedRows();
    if (rows.size() == 1) {
      list.setSelected(rows.front());
      click();
    }
    if (rows.size() < 2) return std::nullopt;
    std::vector<std::string> names = selectedProgramNames(list);
    if (c_.platform().dialogs.askYesNo(severalProgramsQuestion(c_, lead, names)) != Answer::Yes) return std::nullopt;
    return names;
  }

  // Sorting, the same on both lists.
  void sortByColumn(int column) { sorting_.columnClick(column); }
  int compareRows(int a, int b) { return sorting_.compare(a, b); }

  PageContext c_;

 private:
  RecordedDateSorting sorting_;
  ui::Edit* filter_ = nullptr;
};

}  // namespace tg
