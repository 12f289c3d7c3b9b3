// The content lint as the editor's problems panel runs it: once an edit has settled, never
// twice for one text, its findings naming the objects a click selects.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EditorTestSupport.h"
#include "editor/EditorDocument.h"
#include "editor/EditorLint.h"

using namespace editortest;

namespace {

std::string FirstLevel() { return ReadText(DemoGame() + "/content/levels/level_01_01.xml"); }

bool Names(const std::vector<EditorProblem>& problems, int objectId, const std::string& text) {
  return std::any_of(problems.begin(), problems.end(), [&](const EditorProblem& p) {
    return p.objectId == objectId && p.key.empty() && p.detail.find(text) != std::string::npos;
  });
}

TEST(EditorLintTest, RunsOnceAnEditSettlesAndNamesTheObject) {
  EditorDocument doc(DemoDescriptors());
  ASSERT_TRUE(doc.Open(FirstLevel()));
  EditorLint lint(DemoGame(), ContentLint::Options{false});
  // The level as opened is checked at once, and is clean.
  EXPECT_TRUE(lint.Update(doc.Text(), 1, 1, 16));
  EXPECT_EQ(lint.Runs(), 1);
  EXPECT_TRUE(lint.Problems().empty());
  EXPECT_FALSE(lint.Update(doc.Text(), 1, 1, 1000));  // the same text is not checked again

  // Waypoint 105 no longer leads on to 107, the old oak's (26): the workers cannot reach it.
  ASSERT_TRUE(doc.Unlink(105, 107));
  EXPECT_FALSE(lint.Update(doc.Text(), 1, 1, 16));
  EXPECT_FALSE(lint.Update(doc.Text(), 1, 1, EditorLint::kSettleMs / 2));
  EXPECT_EQ(lint.Runs(), 1);
  EXPECT_TRUE(lint.Update(doc.Text(), 1, 1, EditorLint::kSettleMs / 2));
  EXPECT_EQ(lint.Runs(), 2);
  EXPECT_TRUE(Names(lint.Problems(), 26, "object 26 at waypoint 107 is reached by no base"))
      << (lint.Problems().empty() ? "" : lint.Problems().front().detail);
  // The editor's own checks do not see it: only the lint lists it.
  const std::vector<EditorProblem> own = doc.Check();
  EXPECT_FALSE(std::any_of(own.begin(), own.end(),
                           [](const EditorProblem& p) { return p.objectId == 26; }));

  // Edits in quick succession (a drag, a run of undos) are one change: the clock starts again
  // with each, and the last text is what is checked.
  ASSERT_TRUE(doc.Undo());
  EXPECT_FALSE(lint.Update(doc.Text(), 1, 1, 16));
  ASSERT_TRUE(doc.Redo());
  EXPECT_FALSE(lint.Update(doc.Text(), 1, 1, EditorLint::kSettleMs - 1));
  EXPECT_FALSE(lint.Update(doc.Text(), 1, 1, EditorLint::kSettleMs));  // already checked
  ASSERT_TRUE(doc.Undo());
  EXPECT_FALSE(lint.Update(doc.Text(), 1, 1, 16));
  EXPECT_TRUE(lint.Update(doc.Text(), 1, 1, EditorLint::kSettleMs));
  EXPECT_EQ(lint.Runs(), 3);
  EXPECT_TRUE(lint.Problems().empty());
}

}  // namespace
