#include <gtest/gtest.h>

#include <random>

#include "EditorTestSupport.h"
#include "editor/EditHistory.h"
#include "editor/EditorDocument.h"
#include "editor/EditorPalette.h"

using namespace editortest;

namespace {

// One random edit of any kind the editor makes, valid or not. Returns whether it changed the
// level.
bool RandomEdit(EditorDocument& doc, const EditorPalette& palette, std::mt19937& rng) {
  const auto& objects = doc.level().objects;
  const auto pick = [&]() -> int {
    if (objects.empty()) return 0;
    return objects[std::uniform_int_distribution<size_t>(0, objects.size() - 1)(rng)]->id;
  };
  const auto coordinate = [&](int half) {
    return std::uniform_int_distribution<int>(-half, half)(rng);
  };
  switch (std::uniform_int_distribution<int>(0, 8)(rng)) {
    case 0:
      return doc.Move(pick(), Vec2{float(coordinate(600)), float(coordinate(360))});
    case 1:
      return objects.size() > 5 && doc.Delete(pick());
    case 2:
      return doc.Duplicate(pick(), Vec2{float(coordinate(50)), float(coordinate(50))}) != 0;
    case 3: {
      const auto& entries = palette.Entries();
      const PaletteEntry& e =
          entries[std::uniform_int_distribution<size_t>(0, entries.size() - 1)(rng)];
      return doc.Place(e.lines, Vec2{float(coordinate(600)), float(coordinate(360))}, "place") != 0;
    }
    case 4:
      return doc.Link(pick(), pick()).taken;
    case 5:
      return doc.Unlink(pick(), pick());
    case 6: {
      static const char* const kAttrs[] = {"pos",     "size",     "rot",     "flags",
                                           "respawn", "subclass", "obj_link"};
      static const char* const kValues[] = {"10,20", "30.5,12", "45", "s", "sx", "5,9",
                                            "21",    "x",       "-3", "",  "100"};
      return doc
          .SetField(pick(), kAttrs[rng() % std::size(kAttrs)], kValues[rng() % std::size(kValues)])
          .taken;
    }
    case 7: {
      static const char* const kAttrs[] = {"storage", "time_norm", "resources", "music",
                                           "quest_res"};
      static const char* const kValues[] = {"25", "300", "5,5,5", "2", "0,0,0", "-1"};
      return doc.SetSetting(kAttrs[rng() % std::size(kAttrs)], kValues[rng() % std::size(kValues)])
          .taken;
    }
    default:
      return doc.Undo() || true;
  }
}

}  // namespace

TEST(EditHistoryTest, KeepsItsLimitOfStepsAndForgetsRedoOnANewEdit) {
  EditHistory history(100);
  history.Reset("s0");
  for (int i = 1; i <= 150; ++i) history.Push("edit", "s" + std::to_string(i));
  EXPECT_EQ(history.UndoSteps(), 100u);
  EXPECT_TRUE(history.Modified());
  while (history.Undo()) {
  }
  EXPECT_EQ(history.Current(), "s50");
  EXPECT_TRUE(history.Modified());  // the saved state was dropped
  EXPECT_TRUE(history.Redo());
  history.Push("other", "x");
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.UndoLabel(), "other");
  history.MarkSaved();
  EXPECT_FALSE(history.Modified());
  EXPECT_TRUE(history.Undo());
  EXPECT_TRUE(history.Modified());
}

// A thousand random edits of a shipped level, undone one by one, pass back through every
// state they went through, down to the file as opened; redone, they come back to the end.
TEST(EditHistoryTest, ThousandRandomEditsUndoAndRedoExactly) {
  EditorPalette palette;
  palette.Learn(DemoDescriptors(), ShippedTexts());
  const std::string original = ReadText(DemoGame() + "/content/levels/level_01_05.xml");
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.Open(original));
  std::mt19937 rng(2026);
  int edits = 0;
  for (int i = 0; i < 1000; ++i) {
    const size_t before = doc.History().UndoSteps();
    RandomEdit(doc, palette, rng);
    edits += doc.History().UndoSteps() > before;
  }
  EXPECT_GT(edits, 400);
  // Back to the start, step by step, through states the reader accepts.
  const std::string end = doc.Text();
  std::vector<std::string> states{end};
  while (doc.Undo()) {
    Level check(DemoDescriptors());
    ASSERT_TRUE(check.ReadLevel(doc.Text()));
    states.push_back(doc.Text());
  }
  EXPECT_FALSE(doc.Modified());
  EXPECT_EQ(doc.SaveText(), original);
  // And forward again through the same states.
  for (size_t i = states.size() - 1; i-- > 0;) {
    ASSERT_TRUE(doc.Redo());
    ASSERT_EQ(doc.Text(), states[i]);
  }
  EXPECT_EQ(doc.Text(), end);
  EXPECT_TRUE(doc.Modified());
}
