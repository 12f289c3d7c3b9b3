// The lint checks of layouts and string keys: the layouts the program loads by name exist,
// every layout file parses and names only control types, sprites, shaders and texts that
// exist; a string key is looked up in every language.
#include <memory>
#include <string>

#include "data/Utf8.h"
#include "data/XmlDocument.h"
#include "gui/ControlFactory.h"
#include "content_check/LintRun.h"

namespace {

// The layouts the program loads by name.
constexpr const char* kRequiredLayouts[] = {"splash_gui"};

}  // namespace

void LintRun::CheckLayouts() {
  for (const char* name : kRequiredLayouts) {
    if (!fs_.Find(std::string(name) + ".xml")) Problem("content", std::string("no layout ") + name);
  }
  for (const FileInfo& info : fs_.List("layouts/", ".xml")) CheckLayout(info.key);
}

void LintRun::CheckLayout(const std::string& file) {
  XmlDocument doc(fs_);
  if (!doc.Load(file)) {
    Problem(file, "does not parse: " + doc.Error());
    return;
  }
  const XmlElement root = doc.FirstChild(XmlElement(), "controls");
  if (!root) {
    Problem(file, "has no controls element");
    return;
  }
  for (XmlElement e = root.FirstChild(); e; e = e.NextSibling()) {
    const std::string element(e.Name());
    const std::string where =
        file + ": <" + element + (e.Has("id") ? " id=\"" + e.Text("id") + "\"" : "") + ">";
    if (!ControlFactory::IsElementName(element)) {
      Problem(where, "unknown element (element names are case-sensitive)");
      continue;
    }
    for (const char* attr : {"spr", "ovr", "sel"}) {
      if (!e.Text(attr).empty()) Texture(where, e.Text(attr));
    }
    for (const char* attr : {"shader", "ovrShader"}) {
      if (!e.Text(attr).empty()) ShaderName(where, e.Text(attr));
    }
    // Texts are string keys, except where flags make them a value name or replace them.
    const std::string flags = e.Text("flags");
    const bool keyed = element == "text" || element == "button" || element == "hint";
    if (keyed && !e.Text("text").empty() && flags.find_first_of("lu") == std::string::npos) {
      CheckTextKey(where, e.Text("text"));
    }
  }
}

void LintRun::CheckTextKey(const std::string& where, const std::string& key) {
  if (layoutStrings_.empty()) {
    for (const char* language : kLanguages) {
      auto files = std::make_unique<FileSystem>();
      files->Mount(lint_.folder_ + "/locale/" + language);
      auto table = std::make_unique<StringTable>(*files);
      // Every string file of the language: the shared one and the screens' own.
      for (const FileInfo& info : files->List("", ".xml")) table->Load(info.key);
      layoutStrings_.push_back({language, std::move(files), std::move(table)});
    }
  }
  for (const LanguageStrings& l : layoutStrings_) {
    if (!l.table->Has(WidenBytes(key))) {
      Problem(where, "no string " + key + " in locale/" + l.language + " (its string files)");
    }
  }
}
