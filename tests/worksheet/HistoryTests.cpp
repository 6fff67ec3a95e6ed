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

using test::ScriptedPlatform;
using test::TempDir;

bool Blank(const RNumber& n) { return n.IsEmpty() && n.SlotCount() == 0; }

// Everything the worksheet holds, slots included, without the blank entries
// at its end: those come and go with the numbers list's blank rows.
std::string Dump(const RWorksheet& ws) {
  int32_t n = ws.Count();
  while (n > 0 && Blank(ws.At(n - 1))) --n;
  std::string out;
  for (int32_t i = 0; i < n; ++i) {
    const RNumber& e = ws.At(i);
    out += "N:" + e.Number() + "|P:" + e.Phrase() + "|D:" + e.Description() + "|S:";
    for (const std::string& s : e.Slots()) out += s + ",";
    out += "\n";
  }
  return out;
}

class History : public ::testing::Test {
 protected:
  std::string Bytes(RWorksheet& ws) {
    ws.SetFileName(dir.File("w.tqw"));
    EXPECT_TRUE(ws.Save());
    return dir.Read("w.tqw");
  }

  static void Append(RWorksheet& ws, const std::string& number, const std::string& description = "") {
    auto e = std::make_unique<RNumber>();
    e->SetNumber(number);
    e->SetDescription(description);
    ws.Insert(std::move(e), ws.Count());
  }

  TempDir dir;
  ScriptedPlatform platform;
};

// The operations of the window, as they reach the worksheet, chosen at random.
class RandomEditor {
 public:
  RandomEditor(RWorksheet& ws, RHistory& history, unsigned seed) : ws_(ws), history_(history), random_(seed) {}

  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(random_() % static_cast<unsigned>(n)); }

  std::string Text(const char* alphabet) {
    const std::string letters(alphabet);
    std::string out;
    for (int i = Below(6); i > 0; --i) out += letters[static_cast<std::size_t>(Below(static_cast<int>(letters.size())))];
    return out;
  }

  // Changes the entry at a random row the way a command does; a few
  // commands leave the worksheet unmarked. The description is typed in
  // several keystrokes of one visit.
  void ChangeEntry() {
    const int32_t row = Below(ws_.Count());
    history_.Watch(ws_, row);
    RNumber& e = ws_.At(row);
    const bool marks = Below(4) != 0;
    switch (Below(5)) {
      case 0: e.SetNumber(Text("0123456789- ")); break;
      case 1:
        e.SetPhrase(" " + Text("abc.") + " " + Text("xyz"));
        e.SlotsFromPhrase();
        break;
      case 2:
        e.InsertSlot(Below(e.SlotCount() + 1), Below(2) ? "." : Text("tin"));
        e.ComposePhrase(0, 0);
        break;
      case 3:  // clearing
        e = RNumber();
        break;
      default: {
        const uint64_t visit = ++visit_;
        for (int keys = 1 + Below(4); keys > 0; --keys) {
          e.SetDescription(e.Description() + Text("de f"));
          if (marks) ws_.SetModified(true);
          history_.RecordChange("Type Description", ws_, visit);
        }
        return;
      }
    }
    if (marks) ws_.SetModified(true);
    history_.RecordChange("Change", ws_);
  }

  void Insert() {
    const int32_t at = Below(ws_.Count() + 1);
    ws_.Insert(std::make_unique<RNumber>(), at);
    history_.Watch(ws_, at);
    ws_.SetModified(true);
    history_.RecordInsert("Insert Number", ws_, at);
  }

  void Delete() {
    const int32_t at = Below(ws_.Count());
    const RNumber gone = ws_.At(at);
    ws_.Remove(at);
    if (ws_.Count() == 0) ws_.Insert(std::make_unique<RNumber>(), 0);
    ws_.SetModified(true);
    history_.RecordDelete("Delete Number", ws_, at, gone, std::min(at, ws_.Count() - 1));
  }

  void Move() {
    if (ws_.Count() < 2) return;
    const int32_t from = Below(ws_.Count());
    const int32_t to = from == 0 ? 1 : (from == ws_.Count() - 1 || Below(2) ? from - 1 : from + 1);
    ws_.Insert(ws_.Remove(from), to);
    ws_.SetModified(true);
    history_.RecordMove("Move", ws_, from, to);
  }

  // The numbers list adding blank rows at the end or dropping surplus ones;
  // never recorded.
  void BlankRows() {
    if (Below(2)) {
      for (int i = Below(4); i > 0; --i) ws_.Insert(std::make_unique<RNumber>(), ws_.Count());
    } else {
      while (ws_.Count() > 1 && Blank(ws_.At(ws_.Count() - 1)) && Below(3)) ws_.Remove(ws_.Count() - 1);
    }
  }

 private:
  RWorksheet& ws_;
  RHistory& history_;
  std::mt19937 random_;
  uint64_t visit_ = 0;
};

// Any sequence of edits, saves and undos in between: undoing everything
// gives back the worksheet as it was at the start, byte for byte, and
// redoing everything the final one. On the way every position shows what it
// showed when it was first reached, and the last save's position is
// unmodified.
TEST_F(History, UndoAllAndRedoAllRetraceEveryStateOfARandomSession) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RWorksheet ws;
    Append(ws, "555-1234", "home");
    Append(ws, "");
    Append(ws, "42", "answer");
    const std::string startBytes = Bytes(ws);
    RHistory history(1000);
    RandomEditor edit(ws, history, seed);

    // What each position of the history showed when an edit reached it, and
    // whether the worksheet was modified then (-1: not known, the position
    // was reached before the last save).
    std::vector<std::string> states{Dump(ws)};
    std::vector<int> modified{0};
    std::ptrdiff_t savedAt = 0;
    std::string savedState = Dump(ws);

    for (int op = 0; op < 150; ++op) {
      const std::size_t before = history.Position();
      const int what = edit.Below(12);
      if (what < 5) {
        edit.ChangeEntry();
      } else if (what == 5) {
        edit.Insert();
      } else if (what == 6) {
        edit.Delete();
      } else if (what == 7) {
        edit.Move();
      } else if (what == 8) {
        edit.BlankRows();
      } else if (what == 9) {
        history.Undo(ws);
        continue;
      } else if (what == 10) {
        history.Redo(ws);
        continue;
      } else {
        savedState = Dump(ws);
        ws.SetModified(false);
        history.MarkSaved();
        savedAt = static_cast<std::ptrdiff_t>(history.Position());
        for (std::size_t k = history.Position(); k < modified.size(); ++k) modified[k] = -1;
        modified.at(history.Position()) = 0;
        continue;
      }
      // Unless the edit changed nothing, nothing is left to redo: the undone
      // steps are gone, and a save among them.
      if (history.StepCount() != history.Position()) continue;
      if (savedAt > static_cast<std::ptrdiff_t>(before)) savedAt = -1;
      states.resize(history.Position() + 1);
      modified.resize(history.Position() + 1);
      states.back() = Dump(ws);
      modified.back() = ws.Modified() ? 1 : 0;
    }
    const std::size_t end = history.StepCount();
    while (history.CanRedo()) history.Redo(ws);
    const std::string finalBytes = Bytes(ws);
    const std::string finalState = Dump(ws);
    ASSERT_EQ(states.size(), end + 1);

    auto check = [&](std::size_t p) {
      EXPECT_EQ(Dump(ws), states[p]) << "position " << p;
      if (static_cast<std::ptrdiff_t>(p) == savedAt) {
        EXPECT_FALSE(ws.Modified()) << "position " << p;
        EXPECT_TRUE(history.AtSavedState());
        EXPECT_EQ(Dump(ws), savedState);
      } else if (savedAt >= 0 && static_cast<std::ptrdiff_t>(p) > savedAt && modified[p] >= 0) {
        EXPECT_EQ(ws.Modified(), modified[p] == 1) << "position " << p;
      } else if (savedAt < 0) {
        EXPECT_TRUE(ws.Modified()) << "position " << p;
      }
    };
    for (std::size_t p = end; p > 0; --p) {
      check(p);
      EXPECT_GE(history.Undo(ws), 0);
      EXPECT_LT(history.Position(), p);
    }
    check(0);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Undo(ws), -1);
    EXPECT_EQ(Bytes(ws), startBytes);

    while (history.CanRedo()) {
      EXPECT_GE(history.Redo(ws), 0);
      check(history.Position());
    }
    EXPECT_EQ(Bytes(ws), finalBytes);
    EXPECT_EQ(Dump(ws), finalState);
    if (HasFailure()) return;
  }
}

TEST_F(History, EachStepNamesItselfAndSelectsTheRowItConcerns) {
  RWorksheet ws;
  Append(ws, "1");
  Append(ws, "2");
  Append(ws, "3");
  RHistory history;
  EXPECT_EQ(history.UndoName(), "");
  EXPECT_EQ(history.RedoName(), "");

  history.Watch(ws, 2);
  ws.At(2).SetNumber("33");
  history.RecordChange("Enter Number", ws);
  ws.Insert(std::make_unique<RNumber>(), 1);
  history.RecordInsert("Insert Number", ws, 1);
  ws.Insert(ws.Remove(3), 2);  // "33" up one
  history.RecordMove("Move Up", ws, 3, 2);
  const RNumber first = ws.At(0);
  ws.Remove(0);
  history.RecordDelete("Delete Number", ws, 0, first, 0);
  EXPECT_EQ(Dump(ws), "N:|P:|D:|S:\nN:33|P:|D:|S:\nN:2|P:|D:|S:\n");

  const std::vector<std::pair<std::string, int32_t>> undone = {
      {"Delete Number", 0}, {"Move Up", 3}, {"Insert Number", 1}, {"Enter Number", 2}};
  for (const auto& [name, row] : undone) {
    EXPECT_EQ(history.UndoName(), name);
    EXPECT_EQ(history.Undo(ws), row) << name;
    EXPECT_EQ(history.RedoName(), name);
  }
  EXPECT_EQ(Dump(ws), "N:1|P:|D:|S:\nN:2|P:|D:|S:\nN:3|P:|D:|S:\n");
  const std::vector<std::pair<std::string, int32_t>> redone = {
      {"Enter Number", 2}, {"Insert Number", 1}, {"Move Up", 2}, {"Delete Number", 0}};
  for (const auto& [name, row] : redone) EXPECT_EQ(history.Redo(ws), row) << name;
  EXPECT_EQ(Dump(ws), "N:|P:|D:|S:\nN:33|P:|D:|S:\nN:2|P:|D:|S:\n");
}

// Undo and redo never leave the worksheet without an entry, and indexes
// past its end (blank rows the list has dropped since) read as blank entries.
TEST_F(History, StepsHoldWhenTheBlankRowsBehindThemAreGone) {
  RWorksheet ws;
  Append(ws, "7");
  Append(ws, "");
  Append(ws, "");
  RHistory history;
  history.Watch(ws, 2);
  ws.At(2).SetDescription("late");
  history.RecordChange("Type Description", ws);
  ws.Insert(ws.Remove(2), 1);
  history.RecordMove("Move Up", ws, 2, 1);
  const RNumber only = ws.At(0);
  ws.Remove(0);
  history.RecordDelete("Delete Number", ws, 0, only, 0);
  // The list drops its surplus blank row at the end.
  ws.Remove(ws.Count() - 1);
  ASSERT_EQ(ws.Count(), 1);

  EXPECT_EQ(history.Undo(ws), 0);
  EXPECT_EQ(history.Undo(ws), 2);
  EXPECT_EQ(ws.Count(), 3);
  EXPECT_EQ(ws.At(2).Description(), "late");
  EXPECT_EQ(history.Undo(ws), 2);
  EXPECT_EQ(Dump(ws), "N:7|P:|D:|S:\n");

  // Redoing the deletion of the last entry leaves a blank one to show.
  RWorksheet single;
  Append(single, "9");
  RHistory h2;
  const RNumber nine = single.At(0);
  single.Remove(0);
  single.Insert(std::make_unique<RNumber>(), 0);
  h2.RecordDelete("Delete Number", single, 0, nine, 0);
  single.Clear();
  EXPECT_EQ(h2.Undo(single), 0);
  EXPECT_EQ(single.At(0).Number(), "9");
  EXPECT_EQ(h2.Redo(single), 0);
  ASSERT_EQ(single.Count(), 1);
  EXPECT_TRUE(Blank(single.At(0)));
}

// A command that changes the current entry and then selects its row again
// to show it is still one step from the entry as it was; selecting another
// row starts from that row's entry.
TEST_F(History, FollowingTheSameRowKeepsWhatTheChangeStartedFrom) {
  RWorksheet ws;
  Append(ws, "12", "old");
  Append(ws, "34");
  RHistory history;
  history.Follow(ws, 0);
  ws.At(0) = RNumber();
  history.Follow(ws, 0);
  EXPECT_TRUE(history.RecordChange("Clear Number", ws));
  history.Follow(ws, 1);
  EXPECT_EQ(history.WatchedIndex(), 1);
  EXPECT_EQ(history.Watched().Number(), "34");
  history.Undo(ws);
  EXPECT_EQ(ws.At(0).Description(), "old");
  EXPECT_EQ(history.WatchedIndex(), 0);
  EXPECT_EQ(history.Watched().Description(), "old");
}

TEST_F(History, OneVisitOfTheDescriptionIsOneStep) {
  RWorksheet ws;
  Append(ws, "12");
  RHistory history;
  history.Watch(ws, 0);
  for (const char* typed : {"a", "ab", "abc"}) {
    ws.At(0).SetDescription(typed);
    ws.SetModified(true);
    EXPECT_TRUE(history.RecordChange("Type Description", ws, 1));
  }
  EXPECT_EQ(history.StepCount(), 1u);
  // Another visit is another step, and so is anything in between.
  ws.At(0).SetDescription("abcd");
  history.RecordChange("Type Description", ws, 2);
  ws.At(0).SetNumber("13");
  history.RecordChange("Enter Number", ws);
  ws.At(0).SetDescription("abcde");
  history.RecordChange("Type Description", ws, 2);
  EXPECT_EQ(history.StepCount(), 4u);
  // Nothing changed, nothing recorded.
  EXPECT_FALSE(history.RecordChange("Type Description", ws, 2));
  EXPECT_EQ(history.StepCount(), 4u);

  history.Undo(ws);
  history.Undo(ws);
  history.Undo(ws);
  EXPECT_EQ(ws.At(0).Description(), "abc");
  history.Undo(ws);
  EXPECT_EQ(ws.At(0).Description(), "");
  EXPECT_FALSE(ws.Modified());

  // Typing that ends where it began leaves nothing to undo.
  RHistory typed;
  typed.Watch(ws, 0);
  ws.At(0).SetDescription("x");
  typed.RecordChange("Type Description", ws, 7);
  ws.At(0).SetDescription("");
  typed.RecordChange("Type Description", ws, 7);
  EXPECT_FALSE(typed.CanUndo());
}

// A save in the middle of a visit is a point the history must be able to
// come back to, so the typing after it is a step of its own; so is typing
// after an undo.
TEST_F(History, ASaveOrAnUndoEndsTheStepBeingTyped) {
  RWorksheet ws;
  Append(ws, "12");
  RHistory history;
  history.Watch(ws, 0);
  ws.At(0).SetDescription("a");
  ws.SetModified(true);
  history.RecordChange("Type Description", ws, 1);
  ws.SetModified(false);
  history.MarkSaved();
  ws.At(0).SetDescription("ab");
  ws.SetModified(true);
  history.RecordChange("Type Description", ws, 1);
  EXPECT_EQ(history.StepCount(), 2u);
  history.Undo(ws);
  EXPECT_EQ(ws.At(0).Description(), "a");
  EXPECT_FALSE(ws.Modified());

  history.Watch(ws, 0);
  ws.At(0).SetDescription("ax");
  ws.SetModified(true);
  history.RecordChange("Type Description", ws, 1);
  EXPECT_EQ(history.StepCount(), 2u);  // the undone step is gone, the new one stands alone
  history.Undo(ws);
  EXPECT_EQ(ws.At(0).Description(), "a");
  EXPECT_FALSE(ws.Modified());
  history.Undo(ws);
  EXPECT_EQ(ws.At(0).Description(), "");
  EXPECT_TRUE(ws.Modified());
}

TEST_F(History, ModifiedFollowsTheSavedPointAndTheStepsThatMarkIt) {
  RWorksheet ws;
  Append(ws, "12");
  RHistory history;
  history.Watch(ws, 0);
  // Clearing a number leaves the worksheet unmarked, undone or redone.
  ws.At(0) = RNumber();
  history.RecordChange("Clear Number", ws);
  EXPECT_EQ(history.Undo(ws), 0);
  EXPECT_FALSE(ws.Modified());
  history.Redo(ws);
  EXPECT_FALSE(ws.Modified());

  ws.At(0).SetNumber("34");
  ws.SetModified(true);
  history.RecordChange("Enter Number", ws);
  history.MarkSaved();
  ws.SetModified(false);
  history.Undo(ws);
  EXPECT_TRUE(ws.Modified());
  history.Redo(ws);
  EXPECT_FALSE(ws.Modified());

  // Once the saved point is dropped from the history, no undo reaches it.
  history.Undo(ws);
  ws.At(0).SetNumber("56");
  ws.SetModified(true);
  history.RecordChange("Enter Number", ws);
  EXPECT_FALSE(history.CanRedo());
  history.Undo(ws);
  history.Undo(ws);
  EXPECT_FALSE(history.AtSavedState());
  EXPECT_TRUE(ws.Modified());

  history.Clear();
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(history.AtSavedState());
}

TEST_F(History, KeepsAtMostItsLimitDroppingTheOldestFirst) {
  RWorksheet ws;
  Append(ws, "0");
  RHistory history(3);
  EXPECT_EQ(RHistory().Limit(), kHistoryLimit);
  history.Watch(ws, 0);
  for (int i = 1; i <= 5; ++i) {
    ws.At(0).SetNumber(std::to_string(i));
    ws.SetModified(true);
    history.RecordChange("Enter Number", ws);
    EXPECT_LE(history.StepCount(), 3u);
  }
  int undone = 0;
  while (history.CanUndo()) {
    history.Undo(ws);
    ++undone;
  }
  EXPECT_EQ(undone, 3);
  EXPECT_EQ(ws.At(0).Number(), "2");
  // The saved start went with the oldest steps.
  EXPECT_TRUE(ws.Modified());
  while (history.CanRedo()) history.Redo(ws);
  EXPECT_EQ(ws.At(0).Number(), "5");
}

}  // namespace
}  // namespace tq
