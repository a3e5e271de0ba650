// The record list's native control, which holds no rows of its own: what it
// shows, reads back and reports must still be the model's, through real window
// messages.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "ui/Form.h"
#include "ui/ListView.h"
#include "win32/MessageLoop.h"
#include "win32/peers/Win32PeerFactory.h"
#include "win32/peers/WindowPeer.h"
#include "win32/Screenshot.h"

namespace tg::win32 {
namespace {

using ui::ListView;

HWND hwndOf(const ui::Control& c) { return dynamic_cast<WindowPeer*>(c.peer())->hwnd(); }

class ListViewPeerTest : public ::testing::Test {
 protected:
  static constexpr int kRows = 300;
  Win32PeerFactory factory;
  std::unique_ptr<ui::Form> form = std::make_unique<ui::Form>("TForm2", ui::Rect{40, 40, 620, 360}, "Liste");
  ListView& list = form->add<ListView>("ListView2", ui::Rect{8, 24, 585, 320});
  std::vector<std::string> events;

  ListViewPeerTest() {
    list.addColumn("N", 40);
    list.addColumn("Programme", 110);
    list.addColumn("Chemin", 120);
    std::vector<ListView::Row> rows;
    // Programs named in the opposite order of their numbers.
    for (int i = 1; i <= kRows; ++i)
      rows.push_back({std::to_string(i),
                      {"prog" + std::to_string(1000 + kRows - i) + ".exe", "C:\\Programmes\\" + std::to_string(i)}});
    list.setRows(std::move(rows));
    list.onClick = [this] { events.push_back("click " + std::to_string(list.selected())); };
    list.onColumnClick = [this](int column) { events.push_back("column " + std::to_string(column)); };
    list.onCompare = [this](int a, int b) {
      const auto& all = list.rows();
      return all[static_cast<std::size_t>(a)].text(1).compare(all[static_cast<std::size_t>(b)].text(1));
    };
    factory.attach(*form);
    form->setVisible(true);
    SetForegroundWindow(hwndOf(*form));
    pump();
  }
  HWND window() const { return hwndOf(list); }
  void pump() { pumpMessages([this](const MSG& msg) { return factory.preTranslate(msg); }); }
  std::string text(int row, int column, int room = 256) {
    std::vector<char> buffer(static_cast<std::size_t>(room) + 8, '#');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = room;
    SendMessageA(window(), LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(buffer[static_cast<std::size_t>(room)], '#') << "written past the buffer";
    return item.pszText;
  }
  int count() { return static_cast<int>(SendMessageA(window(), LVM_GETITEMCOUNT, 0, 0)); }
  int selectedInControl() {
    return static_cast<int>(SendMessageA(window(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  bool rowVisible(int row) {
    RECT r{LVIR_BOUNDS, 0, 0, 0}, client;
    SendMessageA(window(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    GetClientRect(window(), &client);
    return r.top >= 0 && r.bottom <= client.bottom;
  }
  void click(HWND target, POINT at) {
    SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    pump();
  }
  POINT inRow(int row) {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(window(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    return {r.left + 10, (r.top + r.bottom) / 2};
  }
};

TEST_F(ListViewPeerTest, TheControlShowsTheModelsRowsAndCountWithoutEditingInPlace) {
  EXPECT_EQ(GetWindowLongA(window(), GWL_STYLE) & (LVS_OWNERDATA | LVS_EDITLABELS), LVS_OWNERDATA);
  EXPECT_EQ(count(), kRows);
  EXPECT_EQ(text(0, 0), "1");
  EXPECT_EQ(text(0, 1), "prog1299.exe");
  EXPECT_EQ(text(kRows - 1, 2), "C:\\Programmes\\300");
  // A buffer too small gets the start of the text, never more than it holds.
  EXPECT_EQ(text(0, 1, 5), "prog");
  // The letter search of the captions.
  LVFINDINFOA find{};
  find.flags = LVFI_STRING | LVFI_PARTIAL;
  find.psz = "25";
  EXPECT_EQ(SendMessageA(window(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 24);

  list.deleteRow(0);
  EXPECT_EQ(count(), kRows - 1);
  EXPECT_EQ(text(0, 0), "2");
  list.addRow({"neuf", {"nouveau.exe"}});
  EXPECT_EQ(count(), kRows);
  EXPECT_EQ(text(kRows - 1, 1), "nouveau.exe");
  EXPECT_EQ(text(kRows - 1, 2), "");  // a row with fewer sub-items than columns
  list.clearRows();
  EXPECT_EQ(count(), 0);
}

TEST_F(ListViewPeerTest, ClicksOnRowsAndHeadersReachTheModelAndTheSortIsShown) {
  click(window(), inRow(3));
  EXPECT_EQ(list.selected(), 3);
  HWND header = reinterpret_cast<HWND>(SendMessageA(window(), LVM_GETHEADER, 0, 0));
  RECT column;
  SendMessageA(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&column));
  click(header, {(column.left + column.right) / 2, (column.top + column.bottom) / 2});
  EXPECT_EQ(events, (std::vector<std::string>{"click 3", "column 2"}));

  // Sorted with its redrawing suspended, as the record pages do: once resumed
  // the control repaints, with the new order and the moved selection.
  pump();
  list.suspendRedraw(true);
  list.sort();
  list.suspendRedraw(false);
  EXPECT_TRUE(GetUpdateRect(window(), nullptr, FALSE));
  EXPECT_EQ(text(0, 0), "300");
  EXPECT_EQ(text(0, 1), "prog1000.exe");
  EXPECT_EQ(list.selected(), kRows - 4);
  EXPECT_EQ(selectedInControl(), kRows - 4);
  EXPECT_TRUE(rowVisible(kRows - 4));
  pump();
  EXPECT_FALSE(GetUpdateRect(window(), nullptr, FALSE));

  // A click below the last row leaves none selected.
  list.setRows({{"1", {"a.exe"}}, {"2", {"b.exe"}}});
  list.setSelected(1);
  RECT client;
  GetClientRect(window(), &client);
  click(window(), {20, client.bottom - 5});
  EXPECT_EQ(list.selected(), -1);
  EXPECT_EQ(selectedInControl(), -1);
}

TEST_F(ListViewPeerTest, TheModelsSelectionIsShownAndTheKeyboardsFollowedWithoutAClick) {
  list.setSelected(200);
  EXPECT_EQ(selectedInControl(), 200);
  EXPECT_TRUE(rowVisible(200));
  SetFocus(window());
  PostMessageA(window(), WM_KEYDOWN, VK_DOWN, 1);
  PostMessageA(window(), WM_KEYUP, VK_DOWN, 0xC0000001);
  pump();
  EXPECT_EQ(list.selected(), 201);
  EXPECT_TRUE(events.empty());
  list.setRows({{"1", {"seul.exe"}}});
  EXPECT_EQ(selectedInControl(), -1);
  EXPECT_EQ(count(), 1);
}

// A list that follows readings gets the same rows back with a few changed:
// only those in sight are painted again, and the screen then shows what a
// whole repaint shows.
TEST_F(ListViewPeerTest, NewRowsOfTheSameCountRepaintOnlyTheChangedRowsInSight) {
  auto rowRect = [&](int row) {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(window(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    return r;
  };
  std::vector<ListView::Row> rows = list.rows();
  rows[2].subItems[0] = "changed.exe";
  rows[4].caption = "five";
  rows[250].subItems[0] = "far.exe";  // out of sight
  ASSERT_TRUE(rowVisible(4));
  ASSERT_FALSE(rowVisible(250));
  list.setRows(rows);
  RECT pending{};
  ASSERT_TRUE(GetUpdateRect(window(), &pending, FALSE));
  EXPECT_EQ(pending.top, rowRect(2).top);
  EXPECT_EQ(pending.bottom, rowRect(4).bottom);
  pump();
  const testing::Screenshot partial(window());
  InvalidateRect(window(), nullptr, TRUE);
  UpdateWindow(window());
  const testing::Screenshot whole(window());
  ASSERT_EQ(partial.width(), whole.width());
  int differing = 0;
  for (int y = 0; y < whole.height(); ++y)
    for (int x = 0; x < whole.width(); ++x)
      if (partial.pixel(x, y) != whole.pixel(x, y)) ++differing;
  EXPECT_EQ(differing, 0) << "the screen after the partial repaint is not what a whole repaint shows";
  EXPECT_EQ(text(2, 1), "changed.exe");

  list.setRows(rows);  // the same rows again
  EXPECT_FALSE(GetUpdateRect(window(), nullptr, FALSE)) << "nothing to paint";
  rows.pop_back();
  list.setRows(rows);  // another count: the control goes over every row
  EXPECT_EQ(count(), kRows - 1);
}

}  // namespace
}  // namespace tg::win32
