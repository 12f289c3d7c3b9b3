#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "EditorTestSupport.h"
#include "data/FileSystem.h"
#include "data/StringTable.h"
#include "editor/EditorPalette.h"
#include "editor/ModeEditor.h"

using namespace editortest;

namespace {

// Every "editor_..." string literal of the editor's sources (keys made of several pieces are
// checked by what they name).
std::set<std::string> KeysInSources() {
  std::set<std::string> keys;
  for (const auto& entry : std::filesystem::directory_iterator(SourceDir() + "/src/editor")) {
    const std::string text = ReadText(entry.path().string());
    for (size_t at = text.find("\"editor_"); at != std::string::npos;
         at = text.find("\"editor_", at + 1)) {
      size_t end = at + 1;
      while (end < text.size() &&
             (std::islower(static_cast<unsigned char>(text[end])) || text[end] == '_'))
        ++end;
      // A literal followed by another one is the start of a key made up in the code.
      size_t next = end + 1;
      while (next < text.size() && std::isspace(static_cast<unsigned char>(text[next]))) ++next;
      const bool prefix = next < text.size() && text[next] == '"';
      if (end < text.size() && text[end] == '"' && !prefix)
        keys.insert(text.substr(at + 1, end - at - 1));
    }
  }
  return keys;
}

}  // namespace

// Every text the editor shows exists in the four languages, with its %s where the English
// one has it.
TEST(EditorStringsTest, EveryKeyInEveryLanguage) {
  std::set<std::string> keys = KeysInSources();
  for (const std::string& key : ModeEditor::SettingsLabelKeys()) keys.insert(key);
  EditorPalette palette;
  palette.Learn(DemoDescriptors(), ShippedTexts());
  ASSERT_GT(keys.size(), 50u);
  FileSystem englishFiles;
  englishFiles.Mount(DemoGame() + "/locale/en");
  StringTable english(englishFiles);
  ASSERT_TRUE(english.Load("editor"));
  for (const char* language : {"en", "de", "ru", "pl"}) {
    FileSystem fs;
    fs.Mount(DemoGame() + "/locale/" + language);
    StringTable strings(fs);
    ASSERT_TRUE(strings.Load("editor")) << language;
    for (const std::string& key : keys) {
      const std::u16string& text = strings.Get(key);
      EXPECT_FALSE(text.empty()) << language << " " << key;
      const bool pattern = english.Get(key).find(u"%s") != std::u16string::npos;
      EXPECT_EQ(text.find(u"%s") != std::u16string::npos, pattern) << language << " " << key;
    }
    // Every picture the palette offers without a descriptor's name has a name of its own, or
    // is a land's dress of a picture that has one.
    for (const PaletteEntry& e : palette.Entries()) {
      if (e.cls == 3 || DemoDescriptors().ForClass(e.cls, e.subclass)) continue;
      const std::string named(DemoDescriptors().Undressed(e.texture));
      EXPECT_FALSE(strings.Get("editor_tex_" + named).empty()) << language << " " << e.texture;
    }
  }
}
