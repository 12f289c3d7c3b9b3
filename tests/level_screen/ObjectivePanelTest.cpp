// The objective line: resource entries, one entry per kind with its count, the marks, and
// the entry under the pointer.
#include <gtest/gtest.h>

#include "level_screen/ObjectivePanel.h"

namespace {

ObjectivePanel::Kind Kind(std::u16string name, int done, int total) {
  ObjectivePanel::Kind k;
  k.name = std::move(name);
  k.done = done;
  k.total = total;
  k.pending = done < total;
  return k;
}

TEST(ObjectivePanelTest, EntriesWithCountsOnlyAboveOneAndThreeSpacesApart) {
  const std::array<std::u16string, 3> names{u"Food", u"Wood", u"Gold"};
  const auto line = ObjectivePanel::Build({10, 0, 4}, {10, 0, 1}, names,
                                          {Kind(u"Tree", 3, 5), Kind(u"Cart", 0, 1)}, u'o', u'x');
  EXPECT_EQ(line.text, u"xFood : 10 / 10   oGold : 1 / 4   oTree (3 / 5)   oCart");
  EXPECT_EQ(line.resourceEntries, 2);
  ASSERT_EQ(line.starts.size(), 4u);
  EXPECT_EQ(line.text[line.starts[2]], u'o');
  EXPECT_EQ(line.text.substr(line.starts[3]), u"oCart");
  // A translated name holding conversions stays text.
  const auto odd =
      ObjectivePanel::Build({1, 0, 0}, {0, 0, 0}, {u"%s%n%d", u"", u""}, {}, u'o', u'x');
  EXPECT_EQ(odd.text, u"o%s%n%d : 0 / 1");
  EXPECT_TRUE(ObjectivePanel::Build({}, {}, names, {}, u'o', u'x').text.empty());
}

TEST(ObjectivePanelTest, ThePointerPicksTheEntryItIsOver) {
  const std::vector<float> starts{0, 120, 260};
  EXPECT_EQ(ObjectivePanel::EntryAt(starts, -5), -1);
  EXPECT_EQ(ObjectivePanel::EntryAt(starts, 10), 0);
  EXPECT_EQ(ObjectivePanel::EntryAt(starts, 130), 1);
  EXPECT_EQ(ObjectivePanel::EntryAt(starts, 400), 2);
  EXPECT_EQ(ObjectivePanel::EntryAt({}, 50), -1);
}

}  // namespace
