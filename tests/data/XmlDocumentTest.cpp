#include "data/XmlDocument.h"

#include <gtest/gtest.h>

#include <rapidxml/rapidxml.hpp>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <random>

#include "TestSupport.h"
#include "data/FileSystem.h"

using namespace testsupport;

namespace {

TEST(XmlDocument, NavigatesElementsByName) {
  XmlDocument doc;
  ASSERT_TRUE(doc.Parse(R"(<?xml version="1.0" encoding="utf-8"?>
<!-- a comment -->
<Root>
  <Item id="1"/>
  <Other id="9"/>
  <Item id="2"><Child/>text</Item>
  <item id="3"/>
</Root>)"));
  const XmlElement root = doc.FirstChild(XmlElement(), "Root");
  ASSERT_TRUE(root);
  EXPECT_EQ(root.Name(), "Root");
  std::vector<int> ids;
  for (XmlElement e = doc.FirstChild(root, "Item"); e; e = doc.NextSibling(e, "Item")) {
    doc.SetCurrent(e);
    ids.push_back(doc.Int("id", 0));
  }
  EXPECT_EQ(ids, (std::vector<int>{1, 2}));  // names are case-sensitive
  EXPECT_FALSE(doc.FirstChild(XmlElement(), "root"));
  EXPECT_EQ(root.FirstChild().Name(), "Item");  // empty name: any element
  EXPECT_EQ(doc.FirstChild(root, "Item").NextSibling().Name(), "Other");
  const XmlElement second = doc.FirstChild(root, "Item").NextSibling("Item");
  EXPECT_TRUE(second.FirstChild("Child"));
  EXPECT_EQ(second.Value(), "text");
}

TEST(XmlDocument, AttributeReadersAndDefaults) {
  XmlDocument doc;
  ASSERT_TRUE(doc.Parse(R"(<E t="hello &amp; bye" i=" -42x" h="ff8040C0zz" hx="0x10" b="2" b0="0"
      f="3.5e1" nf="abc" c="1,2,3" c1="7" ce="" fl="1.5,2.5" il="4, 5,x,6" p="-1.25,8"
      big="99999999999" neg="-99999999999" fi="inf" fn="nan" fh="1e40" Case="x"/>)"));
  doc.SetCurrent(doc.FirstChild(XmlElement(), "E"));
  EXPECT_EQ(doc.Text("t"), "hello & bye");
  EXPECT_EQ(doc.Text("missing"), "");
  EXPECT_EQ(doc.Int("i", 5), -42);
  EXPECT_EQ(doc.Int("missing", 5), 5);
  EXPECT_EQ(doc.Int("big", 0), INT32_MAX);
  EXPECT_EQ(doc.Int("neg", 0), INT32_MIN);
  EXPECT_EQ(doc.Hex("h", 1), 0xff8040C0u);
  EXPECT_EQ(doc.Hex("hx", 1), 0u);  // stops at the "x"
  EXPECT_EQ(doc.Hex("missing", 0xABCDu), 0xABCDu);
  EXPECT_TRUE(doc.Bool("b", false));
  EXPECT_FALSE(doc.Bool("b0", true));
  EXPECT_TRUE(doc.Bool("missing", true));
  EXPECT_FLOAT_EQ(doc.Float("f", 0), 35.0f);
  EXPECT_FLOAT_EQ(doc.Float("nf", 7), 0.0f);
  EXPECT_FLOAT_EQ(doc.Float("missing", 7), 7.0f);
  EXPECT_TRUE(std::isinf(doc.Float("fi", 0)));
  EXPECT_TRUE(std::isnan(doc.Float("fn", 0)));
  EXPECT_TRUE(std::isinf(doc.Float("fh", 0)));
  EXPECT_EQ(doc.Count("c"), 3);
  EXPECT_EQ(doc.Count("c1"), 1);
  EXPECT_EQ(doc.Count("ce"), 1);
  EXPECT_EQ(doc.Count("missing"), 0);
  float fl[4] = {9, 9, 9, 9};
  doc.Floats("fl", fl);
  EXPECT_EQ(std::vector<float>(fl, fl + 4), (std::vector<float>{1.5f, 2.5f, 0, 0}));
  doc.Floats("missing", fl);
  EXPECT_EQ(std::vector<float>(fl, fl + 4), (std::vector<float>{0, 0, 0, 0}));
  int two[2] = {};
  doc.Ints("c", two);
  EXPECT_EQ(two[0], 1);
  EXPECT_EQ(two[1], 2);
  EXPECT_EQ(doc.Current().Ints("il", 5), (std::vector<int>{4, 5, 0, 6, 0}));
  const XmlPoint p = doc.Point("p");
  EXPECT_FLOAT_EQ(p.x, -1.25f);
  EXPECT_FLOAT_EQ(p.y, 8.0f);
  const XmlPoint none = doc.Point("missing");
  EXPECT_EQ(none.x, 0.0f);
  EXPECT_EQ(none.y, 0.0f);
  std::vector<int> list = {100};
  doc.IntList("il", list);
  EXPECT_EQ(list, (std::vector<int>{4, 5, 0, 6}));
  doc.IntList("missing", list);
  EXPECT_TRUE(list.empty());
  EXPECT_TRUE(doc.Current().Has("Case"));
  EXPECT_FALSE(doc.Current().Has("case"));
}

TEST(XmlDocument, NullElementReadsDefaults) {
  XmlDocument doc;
  EXPECT_FALSE(doc.Parse(""));
  EXPECT_TRUE(doc.IsEmpty());
  doc.SetCurrent(doc.FirstChild(XmlElement(), "X"));
  EXPECT_EQ(doc.Int("a", 3), 3);
  EXPECT_EQ(doc.Text("a"), "");
  EXPECT_FALSE(doc.NextSibling(XmlElement(), "X"));
  EXPECT_FALSE(XmlElement().FirstChild("X"));
}

TEST(XmlDocument, LoadAppendsXmlOnlyWhenTheNameHasNoDot) {
  TempDir dir;
  WriteFile(dir / "content/fonts.xml", "<ValueTable/>");
  WriteFile(dir / "content/font1.fnt", "<font/>");
  WriteFile(dir / "content/fonts", "<wrong/>");
  FileSystem fs;
  fs.Mount(dir / "content");
  XmlDocument doc(fs);
  ASSERT_TRUE(doc.Load("fonts"));
  EXPECT_TRUE(doc.FirstChild(XmlElement(), "ValueTable"));
  ASSERT_TRUE(doc.Load("font1.fnt"));
  EXPECT_TRUE(doc.FirstChild(XmlElement(), "font"));
  EXPECT_FALSE(doc.Load("missing"));
  EXPECT_TRUE(doc.IsEmpty());
  XmlDocument unbound;
  EXPECT_FALSE(unbound.Load("fonts"));
}

TEST(XmlDocument, LoadReleasesTheFileContent) {
  TempDir dir;
  ASSERT_TRUE(MakePak(dir / "content.pak", {{"a.xml", "<a/>"}}));
  FileSystem fs;
  fs.Mount(dir / "content");
  XmlDocument doc(fs);
  ASSERT_TRUE(doc.Load("a"));
  // Released after parsing, so this read loads the entry anew into a buffer of its own.
  const FileData again = fs.Read("a.xml");
  ASSERT_TRUE(again);
  fs.Release(again.data);
}

TEST(XmlDocument, SkipsByteOrderMark) {
  XmlDocument doc;
  EXPECT_TRUE(doc.Parse("\xEF\xBB\xBF<a x=\"1\"/>"));
  EXPECT_EQ(doc.FirstChild(XmlElement(), "a").Int("x", 0), 1);
}

TEST(XmlDocument, ParseErrorsLeaveTheDocumentEmpty) {
  for (const char* text : {"<a>", "<a></b", "<a x=\"1></a>", "text only", "<a><!-- </a>", "<",
                           "<a x=1/>", "<a>&#xFFFFFFFFF;</a>", "<![CDATA[", "<?xml"}) {
    XmlDocument doc;
    EXPECT_FALSE(doc.Parse(text)) << text;
    EXPECT_TRUE(doc.IsEmpty()) << text;
  }
}

TEST(XmlDocument, DocumentWithoutElementsIsFalse) {
  XmlDocument doc;
  EXPECT_FALSE(doc.Parse("<?xml version=\"1.0\"?><!-- nothing -->"));
}

TEST(XmlDocument, DeepNestingIsRefusedBeforeParsing) {
  const auto nested = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<a x='>'>";
    for (int i = 0; i < depth; ++i) text += "</a>";
    return text;
  };
  XmlDocument doc;
  EXPECT_TRUE(doc.Parse(nested(XmlDocument::kMaxDepth)));
  EXPECT_FALSE(doc.Parse(nested(XmlDocument::kMaxDepth + 1)));
  EXPECT_FALSE(doc.Parse(nested(200000)));
  EXPECT_FALSE(doc.Parse(std::string(300000, '<')));
  // Siblings and self-closing elements do not add depth.
  std::string flat = "<r>";
  for (int i = 0; i < 5000; ++i) flat += "<a/><b></b>";
  flat += "</r>";
  EXPECT_TRUE(doc.Parse(flat));
}

TEST(XmlDocument, NestingDepthScanSkipsCommentsAndQuotes) {
  EXPECT_EQ(XmlDocument::NestingDepth("<a><!-- <b><c> --><![CDATA[<d><e>]]><?p <f>?></a>", 10), 1);
  // An empty element is a level of its own, as in the tree.
  EXPECT_EQ(XmlDocument::NestingDepth("<a t='<b>'><c/></a>", 10), 2);
  EXPECT_EQ(XmlDocument::NestingDepth("<a t='<b>'><c></c></a>", 10), 2);
  EXPECT_EQ(XmlDocument::NestingDepth("<!DOCTYPE x [<!ENTITY a 'b'>]><a><b></b></a>", 10), 2);
  // A closing tag closes whatever is open (the names are not compared); one with nothing
  // open is an error, as for the parser.
  EXPECT_EQ(XmlDocument::NestingDepth("<r></a><a><a></a></a>", 10), 2);
  EXPECT_EQ(XmlDocument::NestingDepth("</a></a><a><a>", 10), -1);
}

// Depth after constructs whose skipping rules differ: every one of them is followed by the
// same shallow and deep nesting. The shallow document loads (the construct is read as the
// parser reads it), the deep one is refused instead of overflowing the parser's stack.
TEST(XmlDocument, DeepNestingBehindAnyMarkupIsRefused) {
  const auto nested = [](int depth, bool closed) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<a>";
    for (int i = 0; closed && i < depth; ++i) text += "</a>";
    return text;
  };
  const char* constructs[] = {
      "<!x [>",
      "<!ELEMENT a (<b>)>",
      "<!-x <b>>",
      "<!DOCTYPEx [<b>",
      "<!DOCTYPE a [ <!ENTITY e \"<b>\"> <!ELEMENT a ANY> ]>",
      "<!DOCTYPE a [ [ <b> ] <!-- > --> ]>",
      "<!DOCTYPE a [ <!ENTITY e \"]>\"> ]>",  // the subset ends at the first unmatched "]"
      "<!-- <b> > </b> -- > <c -->",
      "<![CDATA[<a><a></a></r>]] > ]]]>",
      "<![CDAT <b>>",
      "<?pi <b> </r> > ?>",
      "<?xml version='1.0' x='?'?>",
      "<?XML <b>?>",
      "<q a='>' b=\"</r><\" c='\"' d=\"'\" e='&#60;&lt;'/>",
      "<q a='</q>'>text &lt; &#60; &#x3C; > </q>",
      "<q\ta = \"<x>\"\n></q >",
  };
  XmlDocument doc;
  for (const char* construct : constructs) {
    SCOPED_TRACE(construct);
    const std::string shallow =
        "<r>" + std::string(construct) + nested(XmlDocument::kMaxDepth - 1, true) + "</r>";
    EXPECT_EQ(XmlDocument::NestingDepth(shallow, 1000), XmlDocument::kMaxDepth);
    EXPECT_TRUE(doc.Parse(shallow));
    EXPECT_FALSE(doc.Parse("<r>" + std::string(construct) + nested(200000, true) + "</r>"));
    EXPECT_FALSE(doc.Parse("<r>" + std::string(construct) + nested(200000, false)));
  }
  // The document of the crash report: a declaration before the root with an unclosed "[".
  EXPECT_FALSE(doc.Parse("<?xml version=\"1.0\"?><!x [>" + nested(200000, false)));
  EXPECT_TRUE(doc.Parse("<?xml version=\"1.0\"?><!x [>" + nested(3, true)));
  // Byte-order marks: one is taken off before the parser, which skips a second itself.
  EXPECT_FALSE(doc.Parse("\xEF\xBB\xBF\xEF\xBB\xBF" + nested(200000, false)));
  EXPECT_TRUE(doc.Parse("\xEF\xBB\xBF\xEF\xBB\xBF<a/>"));
}

// The depth scan against the parser itself, on random markup made of the constructs above
// and then damaged: for every text the parser refuses the scan must say so, and for every
// text it accepts the scan must find the depth of the tree it built.
int ElementDepth(const rapidxml::xml_node<char>* node) {
  int deepest = 0;
  for (auto* child = node->first_node(); child; child = child->next_sibling())
    if (child->type() == rapidxml::node_element)
      deepest = std::max(deepest, 1 + ElementDepth(child));
  return deepest;
}

std::string RandomMarkup(std::mt19937& rng, int depth) {
  static const char* const kPieces[] = {
      "<!-- <b> -- > -->",
      "<![CDATA[<c></c>]]>",
      "<?p <d> ?>",
      "<?xml v='1'?>",
      "<!DOCTYPE t [ <!ENTITY e '<e>'> [ ] ]>",
      "<!x [>",
      "<!y <f>>",
      "text &amp; &#65; &#x42;",
      " \n\t",
      "&#;",
      "<g a='>' b=\"</g>\"/>",
      "<h x='1'></h >",
      "</>",
      "<i/>",
  };
  // Pieces the parser refuses.
  static const char* const kErrors[] = {
      "&#x110000;", "&#99999999999999999999;", "&#65", "<j a=b>", "<k a='x>", "<!-- x", "<? x",
  };
  std::string text;
  const int parts = 1 + int(rng() % 3);
  for (int i = 0; i < parts; ++i) {
    if (depth < 6 && rng() % 2 == 0) {
      const std::string name(1, char('a' + rng() % 3));
      text += "<" + name + (rng() % 2 ? " q='<>'" : "") + ">" + RandomMarkup(rng, depth + 1) +
              "</" + name + ">";
    } else if (rng() % 16 == 0) {
      text += kErrors[rng() % std::size(kErrors)];
    } else {
      text += kPieces[rng() % std::size(kPieces)];
    }
  }
  return text;
}

TEST(XmlDocument, DepthScanAgreesWithTheParser) {
  const std::string alphabet = "<>/=\"'&;#x![]-?CDATA \n";
  std::mt19937 rng(7);
  int accepted = 0, refused = 0, deep = 0;
  for (int round = 0; round < 20000; ++round) {
    std::string text = (rng() % 2 ? "<?xml version='1.0'?>" : "") + RandomMarkup(rng, 0);
    if (rng() % 4 == 0) text = "<r>" + text + "</r>";
    const int edits = round % 3 == 0 ? 0 : 1 + int(rng() % 3);
    for (int i = 0; i < edits && !text.empty(); ++i) {
      const size_t at = rng() % text.size();
      switch (rng() % 3) {
        case 0:
          text[at] = alphabet[rng() % alphabet.size()];
          break;
        case 1:
          text.insert(at, 1, alphabet[rng() % alphabet.size()]);
          break;
        default:
          text.erase(at, 1 + rng() % 4);
          break;
      }
    }
    std::vector<char> buffer(text.begin(), text.end());
    buffer.push_back('\0');
    rapidxml::xml_document<char> parsed;
    int parserDepth = -1;
    try {
      parsed.parse<rapidxml::parse_default>(buffer.data());
      parserDepth = ElementDepth(&parsed);
    } catch (const rapidxml::parse_error&) {
    }
    ASSERT_EQ(XmlDocument::NestingDepth(text, 1000), parserDepth) << text;
    parserDepth < 0 ? ++refused : ++accepted;
    if (parserDepth >= 3) ++deep;
  }
  // Both outcomes, and real nesting, are well represented (about 5000, 15000 and 1600).
  EXPECT_GT(accepted, 3000);
  EXPECT_GT(refused, 3000);
  EXPECT_GT(deep, 1000);
}

TEST(XmlDocument, OversizedTextIsRefused) {
  std::string text = "<a>";
  text.append(XmlDocument::kMaxSize, ' ');
  text += "</a>";
  XmlDocument doc;
  EXPECT_FALSE(doc.Parse(text));
}

TEST(XmlDocument, MovedDocumentKeepsItsElements) {
  XmlDocument doc;
  ASSERT_TRUE(doc.Parse("<a v='5'/>"));
  const XmlElement a = doc.FirstChild(XmlElement(), "a");
  XmlDocument moved = std::move(doc);
  EXPECT_EQ(a.Int("v", 0), 5);
  EXPECT_EQ(moved.FirstChild(XmlElement(), "a"), a);
}

TEST(XmlDocument, FuzzedDocumentsNeverCrash) {
  const std::string seed = R"(<?xml version="1.0"?><StringTable><String name="a" value="x &lt; y"/>
<!-- c --><String name="b" value='&#1234;&#x41;'><![CDATA[raw <text>]]></String>
<Value name="c" value="1.5e3"/><n a="1"><m/></n></StringTable>)";
  const std::string alphabet = "<>/=\"'&;#x!-[]?CDATA \n\0\xC3\xFF";
  std::mt19937 rng(1);
  for (int round = 0; round < 5000; ++round) {
    std::string text = seed;
    const int edits = 1 + int(rng() % 6);
    for (int i = 0; i < edits; ++i) {
      const size_t at = rng() % (text.size() + 1);
      switch (rng() % 4) {
        case 0:
          if (at < text.size()) text[at] = alphabet[rng() % alphabet.size()];
          break;
        case 1:
          text.insert(at, 1, alphabet[rng() % alphabet.size()]);
          break;
        case 2:
          if (at < text.size()) text.erase(at, 1 + rng() % 8);
          break;
        default:
          text.resize(at);
          break;
      }
    }
    XmlDocument doc;
    const bool ok = doc.Parse(text);
    EXPECT_EQ(ok, !doc.IsEmpty());
    // Walk whatever came out and read every reader.
    std::vector<XmlElement> stack = {doc.FirstChild(XmlElement(), {})};
    while (!stack.empty()) {
      const XmlElement e = stack.back();
      stack.pop_back();
      if (!e) continue;
      std::vector<int> list;
      e.IntList("a", list);
      (void)e.Text("name");
      (void)e.Float("value", 0);
      (void)e.Value();
      stack.push_back(e.NextSibling());
      stack.push_back(e.FirstChild());
    }
  }
}

}  // namespace
