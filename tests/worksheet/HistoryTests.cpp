#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "RHistory.h"
#include "RWorksheet.h"
#include "ScriptedPlatform.h"
#include "TempDir.h"

namespace tq {
namespace {

bool Blank(const RNumber& n) { return n.IsEmpty() && n.SlotCount() == 0; }

// Everything the worksheet holds, slots included, without the blank entries
// at its end: those come and go with the numbers list's blank rows.
std::string Dump(const RWorksheet& ws) {
  int32_t n = ws.Count();
  while (n > 0 && Blank(ws.At(n - 1))) --n;
  std::string out;
  for (int32_t i = 0; i < n; ++i) {
    out += ws.At(i).Number() + "|" + ws.At(i).Phrase() + "|" + ws.At(i).Description() + "|";
    for (const std::string& s : ws.At(i).Slots()) out += s + ",";
    out += "\n";
  }
  return out;
}

void Append(RWorksheet& ws, const std::string& number, const std::string& description = "") {
  auto e = std::make_unique<RNumber>();
  e->SetNumber(number);
  e->SetDescription(description);
  ws.Insert(std::move(e), ws.Count());
}

// The window's commands as they reach the worksheet, chosen at random. A
// description is typed over several operations of one visit, so saves and
// undos fall in the middle of visits too.
struct RandomSession {
  RWorksheet& ws;
  RHistory& history;
  std::mt19937 random;
  uint64_t visit = 0;
  int32_t row = 0;  // the row the last command concerned, which undoing it shows

  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(random() % static_cast<unsigned>(n)); }
  std::string Text(const std::string& letters) {
    std::string out;
    for (int i = Below(5); i > 0; --i)
      out += letters[static_cast<std::size_t>(Below(static_cast<int>(letters.size())))];
    return out;
  }

  // One command; false for the ones that record no step (the numbers list's
  // blank rows coming and going).
  bool Edit() {
    // Typing goes on over several keys more often than anything else.
    const int what = Below(4) != 0 ? 0 : Below(8);
    row = Below(ws.Count());
    if (what != 0) visit = 0;
    if (what == 0 || what == 1) {  // a changed entry; a few commands leave the worksheet unmarked
      if (visit == 0) history.Follow(ws, row);  // else the visit goes on in the same entry
      row = history.WatchedIndex();
      const std::string was = Dump(ws);
      RNumber& e = ws.At(row);
      const int kind = what == 0 ? 3 : Below(3);
      if (kind == 0) e.SetNumber(Text("0123-"));
      if (kind == 1) {
        e.SetPhrase(" " + Text("ab.") + " " + Text("yz"));
        e.SlotsFromPhrase();
      }
      if (kind == 2) e = RNumber();
      if (kind == 3) {  // a key at a time, Backspace too: typing often comes back to where it began
        const std::string text = e.Description();
        const int how = Below(8);
        e.SetDescription(how == 0                      ? std::string()
                         : how <= 3 && !text.empty() ? text.substr(0, text.size() - 1)
                                                     : text + Text("de ").substr(0, 1));
      }
      if (Below(4) && Dump(ws) != was) ws.SetModified(true);
      if (kind == 3 && visit == 0) visit = 1 + random();
      history.RecordChange("Change", ws, kind == 3 ? visit : 0);
    } else if (what == 2) {
      ws.Insert(std::make_unique<RNumber>(), row);
      ws.SetModified(true);
      history.RecordInsert("Insert Number", ws, row);
    } else if (what == 3) {
      const RNumber gone = ws.At(row);
      ws.Remove(row);
      if (ws.Count() == 0) ws.Insert(std::make_unique<RNumber>(), 0);
      ws.SetModified(true);
      history.RecordDelete("Delete Number", ws, row, gone, std::min(row, ws.Count() - 1));
    } else if (what == 4 && ws.Count() > 1) {
      const int32_t to = row == 0 ? 1 : row - 1;
      ws.Insert(ws.Remove(row), to);
      ws.SetModified(true);
      history.RecordMove("Move", ws, row, to);
    } else {
      for (int i = Below(3); i > 0; --i) ws.Insert(std::make_unique<RNumber>(), ws.Count());
      while (ws.Count() > 1 && Blank(ws.At(ws.Count() - 1)) && Below(2)) ws.Remove(ws.Count() - 1);
      return false;
    }
    return true;
  }
};

// Any session of edits, saves, undos and redos: undoing everything gives
// back the worksheet as saved at the start, byte for byte, and redoing
// everything the final one. On the way each position shows what it showed
// when an edit reached it, the last save's position is unmodified, and
// whenever the history stands at a save the worksheet holds what was saved.
TEST(History, UndoAllAndRedoAllRetraceEveryStateOfARandomSession) {
  test::TempDir dir;
  test::ScriptedPlatform platform;
  auto bytes = [&dir](RWorksheet& ws) {
    ws.SetFileName(dir.File("w.tqw"));
    EXPECT_TRUE(ws.Save());
    return dir.Read("w.tqw");
  };
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RWorksheet ws;
    Append(ws, "555-1234", "home");
    Append(ws, "");
    Append(ws, "42", "answer");
    const std::string startBytes = bytes(ws);
    RHistory history(1000);
    RandomSession session{ws, history, std::mt19937(seed)};

    std::vector<std::string> states{Dump(ws)};
    std::vector<int32_t> rows{-1};  // rows[p]: the row undoing step p shows
    std::ptrdiff_t savedAt = 0;
    std::string savedState = Dump(ws);
    for (int op = 0; op < 200; ++op) {
      const std::size_t before = history.Position();
      const int what = session.Below(10);
      if (what == 0) {
        history.Undo(ws);
      } else if (what == 1) {
        history.Redo(ws);
      } else if (what == 2) {
        savedState = Dump(ws);
        ws.SetModified(false);
        history.MarkSaved();
        savedAt = static_cast<std::ptrdiff_t>(history.Position());
      } else if (session.Edit() && history.StepCount() == history.Position()) {
        // Nothing is left to redo: what was undone is gone, a save among it too.
        if (savedAt > static_cast<std::ptrdiff_t>(before)) savedAt = -1;
        states.resize(history.Position() + 1);
        states.back() = Dump(ws);
        rows.resize(history.Position() + 1);
        if (history.Position() > before) rows.back() = session.row;
      }
      // Typing after a save never merges into the step that leads to it.
      if (history.AtSavedState()) {
        ASSERT_EQ(Dump(ws), savedState) << "after operation " << op;
      }
    }
    while (history.CanRedo()) history.Redo(ws);
    const std::string finalBytes = bytes(ws);
    ASSERT_EQ(states.size(), history.StepCount() + 1);

    // (Before the first undo the Modified flag is the session's own: typing
    // taken back to a save leaves it set, which only asks once too often.)
    bool undone = false;
    auto check = [&](std::size_t p) {
      ASSERT_EQ(history.Position(), p);
      EXPECT_EQ(Dump(ws), states[p]) << "position " << p;
      const bool saved = static_cast<std::ptrdiff_t>(p) == savedAt;
      EXPECT_EQ(history.AtSavedState(), saved) << "position " << p;
      if (saved) {
        EXPECT_EQ(Dump(ws), savedState);
      }
      if (undone && (saved || savedAt < 0)) {
        EXPECT_EQ(ws.Modified(), !saved) << "position " << p;
      }
    };
    for (std::size_t p = history.StepCount(); p > 0; --p) {
      check(p);
      const int32_t shown = history.Undo(ws);
      undone = true;
      EXPECT_EQ(shown, std::min(rows[p], ws.Count() - 1)) << "position " << p;
    }
    check(0);
    EXPECT_EQ(history.Undo(ws), -1);
    EXPECT_EQ(bytes(ws), startBytes);
    while (history.CanRedo()) {
      EXPECT_GE(history.Redo(ws), 0);
      check(history.Position());
    }
    EXPECT_EQ(bytes(ws), finalBytes);
    if (HasFailure()) return;
  }
}

// The few changes that never mark the worksheet (clearing a number) do not
// start doing so when they are undone or redone; one that does marks every
// position past it.
TEST(History, ModifiedFollowsTheStepsThatMarkIt) {
  RWorksheet ws;
  Append(ws, "12");
  RHistory history;
  history.Follow(ws, 0);
  ws.At(0) = RNumber();
  history.Follow(ws, 0);  // the command shows the row again: still one step from "12"
  history.RecordChange("Clear Number", ws);
  ws.At(0).SetNumber("34");
  ws.SetModified(true);
  history.RecordChange("Enter Number", ws);
  EXPECT_EQ(history.UndoName(), "Enter Number");
  history.Undo(ws);
  EXPECT_FALSE(ws.Modified());
  EXPECT_EQ(history.RedoName(), "Enter Number");
  history.Undo(ws);
  EXPECT_EQ(ws.At(0).Number(), "12");
  history.Redo(ws);
  EXPECT_FALSE(ws.Modified());
  history.Redo(ws);
  EXPECT_TRUE(ws.Modified());
}

TEST(History, KeepsAtMostItsLimitDroppingTheOldestFirst) {
  RWorksheet ws;
  Append(ws, "0");
  RHistory history(3);
  EXPECT_EQ(RHistory().Limit(), kHistoryLimit);
  history.Follow(ws, 0);
  for (int i = 1; i <= 5; ++i) {
    ws.At(0).SetNumber(std::to_string(i));
    ws.SetModified(true);
    history.RecordChange("Enter Number", ws);
    EXPECT_LE(history.StepCount(), 3u);
  }
  while (history.CanUndo()) history.Undo(ws);
  EXPECT_EQ(ws.At(0).Number(), "2");
  EXPECT_TRUE(ws.Modified());  // the saved start went with the oldest steps

  // Long entries: the text held stays under its own limit, and the newest
  // step stays however long it is.
  RHistory bounded(100, 10000);
  bounded.Follow(ws, 0);
  for (std::size_t length : {1000u, 3000u, 2000u, 4000u, 20000u, 10u}) {
    ws.At(0).SetDescription(std::string(length, 'x'));
    bounded.RecordChange("Type Description", ws);
    EXPECT_TRUE(bounded.Bytes() <= 10000 || bounded.StepCount() == 1) << length;
  }
  EXPECT_EQ(bounded.StepCount(), 1u);
  bounded.Undo(ws);
  EXPECT_EQ(ws.At(0).Description().size(), 20000u);
  bounded.Clear();
  EXPECT_EQ(bounded.Bytes(), 0u);
}

}  // namespace
}  // namespace tq
