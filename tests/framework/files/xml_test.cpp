#include "framework/files/xml.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/core/color.h"
#include "framework/core/debug_output.h"
#include "framework/core/geometry.h"
#include "framework/files/pak.h"
#include "platform/stream.h"
#include "reset_rooms.h"
#include "test_env.h"

using namespace kelp;

namespace {

class Xml : public ::testing::Test {
 protected:
  void SetUp() override { testsupport::ResetFilesRooms(); }
  void TearDown() override { testsupport::ResetFilesRooms(); }
};

// A compact picture of a tree: tag[attr=value,...]'value'(children).
std::string Dump(const sdXMLnode* n) {
  if (!n) return "<null>";
  std::string s = n->Tag;
  if (n->firstattr) {
    s += "[";
    for (const sdXMLattr* a = n->firstattr; a; a = a->sibattr) {
      s += a->name + "=" + a->Value;
      if (a->sibattr) s += ",";
    }
    s += "]";
  }
  if (!n->Value.empty()) s += "'" + n->Value + "'";
  if (n->firstchild) {
    s += "(";
    for (const sdXMLnode* c = n->firstchild; c; c = c->NextNode) {
      s += Dump(c);
      if (c->NextNode) s += " ";
    }
    s += ")";
  }
  return s;
}

std::string Dump(const Ref<sdXMLnode>& n) { return Dump(n.get()); }

}  // namespace

TEST_F(Xml, ReadsTheFormsGameFilesUse) {
  struct Case {
    const char* what;
    std::string in;
    const char* tree;
  };
  const Case cases[] = {
      {"empty-element tag with attributes", R"(<box class="3" scale="1.5"/>)", "box[class=3,scale=1.5]"},
      {"parse goes on after an empty-element tag", R"(<r><a x="1" y="2"/><b/></r>)", "r(a[x=1,y=2] b)"},
      {"nesting", R"(<world gravity="0.5"><group name="g"><particle x="1" y="2"/></group></world>)",
       "world[gravity=0.5](group[name=g](particle[x=1,y=2]))"},
      {"declaration and comment", "<?xml version=\"1.0\" ?>\n<!-- made by hand -->\n<r/>", "r"},
      {"multi-line comment with markup", "<r><!-- <x a=\"1\"/>\r\n <y> -- > --><c/></r>", "r(c)"},
      {"comment inside text", "<r>ab<!-- c -->cd</r>", "r'abcd'"},
      {"document type", "<!DOCTYPE r><r/>", "r"},
      {"text after a child is dropped", "<a>first<b/>second</a>", "a'first'(b)"},
      {"line ends and indent, LF", "<a>\n  <b/>\n</a>", "a'   '(b)"},
      {"line ends and indent, CR LF", "<a>\r\n  <b/>\r\n</a>", "a'    '(b)"},
      {"blanks around =", R"(<a x = "1"/>)", "a[x =]"},
      {"unquoted values", R"(<a x=5 y="6"/>)", "a[x=5,y=6]"},
      {"unquoted value swallows >", "<a x=1> <b/>", "a[x=1>]"},
      {"attribute names keep their case", R"(<a PosX="3"/>)", "a[PosX=3]"},
      {"control characters read as blanks", "<a v=\"1\t2\"/>", "a[v=1 2]"},
      {"control characters in text read as blanks", "<a>1\t2\x01" "3<!-- c -->\x02</a>", "a'1 2 3 '"},
      {"entities", R"(<a t="&lt;&amp;&gt;&quot;&apos;&#65;&#x42;&#233;">x &amp; y &unknown; & z</a>)",
       "a[t=<&>\"'AB\xC3\xA9]'x & y &unknown; & z'"},
      {"two top-level elements: the later one", "<a/><b/>", "b"},
      {"stray closing tags", "</x><a/></y></z>", "a"},
      {"byte 255 ends the document", "<a><b/>\xFF<c/></a>", "a(b)"},
      {"cut inside an attribute", R"(<r><a x="1"/><b y="2)", "r(a[x=1] b)"},
      {"cut inside a comment", "<r><a/><!-- never closed <b/>", "r(a)"},
      {"cut inside a tag name", "<r><abc", "r(abc)"},
      {"no element", "just text", "<null>"},
      {"empty", "", "<null>"},
      {"lone <", "<", "<null>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Dump(ParseXMLText(c.in)), c.tree);
  }
}

TEST_F(Xml, TreeLinksPathsAndEndTags) {
  testenv::FakeClock clock(12345);
  const auto root = ParseXMLText(R"(<a><b x="1"/><c><d/></c></a>)");
  ASSERT_NE(root, nullptr);
  sdXMLnode* b = root->firstchild;
  sdXMLnode* c = GetNextNode(b);
  sdXMLnode* d = c->firstchild;
  EXPECT_EQ(root->path, "/");
  EXPECT_EQ(c->path, "/a/");
  EXPECT_EQ(d->path, "/a/c/");
  EXPECT_EQ(root->childcount, 2);
  EXPECT_EQ(root->lastchild, c);
  EXPECT_EQ(GetPrevNode(c), b);
  EXPECT_EQ(GetParent(d), c);
  EXPECT_EQ(GetParent(root), nullptr);
  EXPECT_EQ(b->attrcount, 1);
  EXPECT_EQ(b->endtag, "/");
  EXPECT_EQ(d->endtag, "d");
  EXPECT_EQ(c->endtag, "/c");
  EXPECT_EQ(d->fileid, 12345);
  EXPECT_EQ(XMLFileId, 12345);

  FreeNode(b);
  EXPECT_EQ(Dump(root), "a(c(d))");
  EXPECT_EQ(root->childcount, 1);
  EXPECT_EQ(GetPrevNode(c), nullptr);
}

TEST_F(Xml, NodesOutliveTheRootReference) {
  sdXMLnode* leaf = nullptr;
  Ref<sdXMLnode> kept;
  {
    const auto root = ParseXMLText(R"(<a><b><c v="7"/></b></a>)");
    leaf = root->firstchild->firstchild;
    kept = FindNodes(root, "c/", 1)->NODE;
  }
  EXPECT_EQ(kept.get(), leaf);
  EXPECT_EQ(GetAttrInt(kept, "v"), 7);
  EXPECT_EQ(GetParent(GetParent(kept))->Tag, "a");
}

TEST_F(Xml, AttributeReaders) {
  const auto n = ParseXMLText(
      R"(<a Name="Kelp" hex="$ff" bin="%101" tail="12abc" neg=" -7" empty="" f="-2.5e1" ftail="3.25xyz" )"
      R"(v="  3.5    -2  " col="10 20  30 0.5"/>)");
  EXPECT_EQ(GetAttr(n, "NAME", "x"), "Kelp");
  EXPECT_EQ(GetAttr(n, "absent", "x"), "x");
  EXPECT_EQ(GetAttrText(n, "absent"), "");
  EXPECT_EQ(GetAttr(n, "empty", "x"), "");
  EXPECT_EQ(FindAttr(n, "name"), n->firstattr);

  struct IntCase {
    const char* attr;
    int want;
  };
  for (const IntCase& c : {IntCase{"hex", 255}, {"bin", 5}, {"tail", 12}, {"neg", -7}, {"empty", 0}, {"absent", 99}}) {
    SCOPED_TRACE(c.attr);
    EXPECT_EQ(GetAttrInt(n, c.attr, 99), c.want);
  }
  struct FloatCase {
    const char* attr;
    float want;
  };
  for (const FloatCase& c : {FloatCase{"f", -25.0f}, {"ftail", 3.25f}, {"empty", 0.0f}, {"absent", 9.5f}}) {
    SCOPED_TRACE(c.attr);
    EXPECT_EQ(GetAttrFloat(n, c.attr, 9.5f), c.want);
  }

  const auto defVec = CreateVector(1, 1);
  const auto v = GetAttrVector(n, "v", defVec);
  EXPECT_EQ(v->x, 3.5f);
  EXPECT_EQ(v->y, -2.0f);
  EXPECT_EQ(GetAttr(n, "v"), "3.5 -2");  // collapsed in place
  EXPECT_EQ(GetAttrVector(n, "absent", defVec), defVec);

  const auto defCol = CreateColor(1, 2, 3);
  const auto col = GetAttrColor(n, "col", defCol);
  EXPECT_EQ(col->r, 10);
  EXPECT_EQ(col->g, 20);
  EXPECT_EQ(col->b, 30);
  EXPECT_EQ(col->a, 0.5f);
  EXPECT_EQ(col->UseAlpha, 1);
  EXPECT_EQ(GetAttrColor(n, "absent", defCol), defCol);

  // A null node gives the defaults.
  EXPECT_EQ(GetAttr(nullptr, "a", "d"), "d");
  EXPECT_EQ(GetAttrInt(nullptr, "a", 3), 3);
  EXPECT_EQ(GetAttrVector(nullptr, "a", defVec), defVec);
  EXPECT_EQ(FindAttr(nullptr, "a"), nullptr);
}

TEST_F(Xml, FindNodeWalksNamesEachEndedBySlash) {
  const auto root = ParseXMLText(
      "<a><g id=\"1\"><q/></g><g id=\"2\"><p v=\"2\"/></g>"
      "<n>42</n><f>-3.7</f><pt/><pt><pos x=\"5\"/></pt></a>");
  EXPECT_EQ(FindNode(root, "a/"), root.get());
  EXPECT_EQ(FindNode(root, "A/G/")->Tag, "g");
  EXPECT_EQ(FindNode(root, "a/g"), nullptr);  // no final slash
  EXPECT_EQ(FindNode(root, "a"), nullptr);
  // The first g has no p: the walk goes on to the next g.
  EXPECT_EQ(GetAttrInt(FindNode(root, "a/g/p/"), "v"), 2);
  EXPECT_EQ(FindNode(nullptr, "a/"), nullptr);

  EXPECT_EQ(GetChildInt(root, "n/"), 42);
  EXPECT_EQ(GetChildFloatInt(root, "f/"), -3);
  EXPECT_EQ(GetChildValue(root, "n/"), "42");
  EXPECT_EQ(GetChildValue(root, "missing/"), "");
  EXPECT_EQ(GetChildAttrInt(root, "g/", "id", 0), 1);

  // A child is looked for under the node itself, not under a later sibling
  // of the same name.
  sdXMLnode* firstPt = FindChild(root, "pt/");
  ASSERT_NE(firstPt, nullptr);
  EXPECT_EQ(FindChild(firstPt, "pos/"), nullptr);
  EXPECT_EQ(GetChildAttrFloat(firstPt, "pos/", "x", -1.0f), -1.0f);
  EXPECT_EQ(GetChildAttrFloat(GetNextNode(firstPt), "pos/", "x", -1.0f), 5.0f);
  EXPECT_EQ(GetChildAttr(nullptr, "pos/", "x", "d"), "d");
}

TEST_F(Xml, FindNodesCollectsByPathEndInDocumentOrder) {
  const auto root = ParseXMLText(R"(<r><g n="1"><p n="a"/><x><p n="b"/></x></g><g n="2"><p n="c"/></g></r>)");
  auto names = [](Ref<sdXMLnodelist> l) {
    std::string s;
    for (sdXMLnodelist* i = l.get(); i; i = i->NextNode.get()) s += GetAttr(i->NODE, "n");
    return s;
  };
  EXPECT_EQ(names(FindNodes(root, "p/", 1)), "abc");
  EXPECT_EQ(names(FindNodes(root, "G/P/", 1)), "ac");
  EXPECT_EQ(names(FindNodes(root->firstchild, "g/", 0)), "12");
  EXPECT_EQ(names(FindNodes(root->firstchild, "p/", 0)), "");
  EXPECT_EQ(FindNodes(root, "p", 1), nullptr);
  auto list = FindNodes(root, "p/", 1);
  EXPECT_EQ(list->NextNode->PrevNode, list.get());
  FreeNodeList(list);
  EXPECT_EQ(list, nullptr);
}

TEST_F(Xml, SaveWritesIndentedTreeAndReadsBack) {
  testenv::TempDir dir;
  const std::string path = dir / "out.xml";
  testenv::WriteFile(path, std::string(500, 'x'));  // a longer old file leaves no tail

  const auto root = AddChild(nullptr, "World");
  AddAttr(root, "Gravity", "0.5");
  AddAttr(root, "note", "say \"hi\" <b> & go\nnext");
  root->Value = "top";
  const auto group = AddChild(root, "group");
  AddAttr(AddChild(group, "particle"), "x", "1");
  AddChild(group, "label")->Value = "fish & <chips>";
  AddChild(root, "empty");
  ASSERT_TRUE(SaveXMLFile(path, root));

  EXPECT_EQ(testenv::ReadFile(path),
            "<?xml version=\"1.0\" ?>\r\n"
            "<World gravity=\"0.5\" note=\"say &quot;hi&quot; &lt;b&gt; &amp; go&#10;next\">top\r\n"
            "  <group>\r\n"
            "    <particle x=\"1\"/>\r\n"
            "    <label>fish &amp; &lt;chips&gt;</label>\r\n"
            "  </group>\r\n"
            "  <empty/>\r\n"
            "</World>\r\n");

  const auto back = ParseXMLFile(path);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(GetAttr(back, "note"), "say \"hi\" <b> & go\nnext");
  EXPECT_EQ(GetAttrFloat(back, "gravity"), 0.5f);
  EXPECT_EQ(GetChildValue(FindChild(back, "group/"), "label/"), "fish & <chips>");
  EXPECT_EQ(GetAttrInt(FindNode(back, "World/group/particle/"), "x"), 1);
  EXPECT_NE(FindChild(back, "empty/"), nullptr);

  EXPECT_FALSE(SaveXMLFile(dir / "no/such/folder/out.xml", root));
}

TEST_F(Xml, DeepTreesWriteWithIndentCappedAndReadBack) {
  auto root = AddChild(nullptr, "d0");
  auto node = root;
  for (int depth = 1; depth < 40; ++depth) node = AddChild(node, "d" + std::to_string(depth));
  node->Value = "bottom";
  platform::MemoryStream out;
  WriteXMLNode(out, root, "");
  const std::string text(out.Data().begin(), out.Data().end());
  EXPECT_NE(text.find("\r\n" + std::string(32, ' ') + "<d16>"), std::string::npos);
  EXPECT_NE(text.find("\r\n" + std::string(32, ' ') + "<d39>bottom</d39>"), std::string::npos);
  EXPECT_EQ(text.find(std::string(33, ' ')), std::string::npos) << "no line indented past 16 levels";
  const auto back = ParseXMLText(text);
  ASSERT_NE(back, nullptr);
  std::string path = "d0/";
  for (int depth = 1; depth < 40; ++depth) path += "d" + std::to_string(depth) + "/";
  const auto bottom = FindNode(back, path);
  ASSERT_NE(bottom, nullptr);
  EXPECT_EQ(bottom->Value, "bottom");
}

TEST_F(Xml, BuildingLinksOnlyWithinOneDocument) {
  const auto a = AddChild(nullptr, "a");
  const auto b = AddChild(nullptr, "b");
  const auto c = AddChild(a, "c");
  EXPECT_FALSE(LinkChild(a, b));   // another document
  EXPECT_FALSE(LinkChild(c, a));   // would be its own ancestor
  EXPECT_FALSE(LinkChild(a, c));   // already placed
  FreeNode(c);
  EXPECT_TRUE(LinkChild(a, c));
  EXPECT_EQ(c->path, "/a/");
  EXPECT_EQ(AddAttr(nullptr, "x", "1"), nullptr);
}

TEST_F(Xml, DocumentInArchiveEndsWithItsEntry) {
  testenv::TempDir dir;
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  testenv::WriteFile("stage/a", R"(<first v="1"/>)");
  testenv::WriteFile("stage/b", R"(<second v="2"/>)");
  ASSERT_TRUE(TFile::AddFile("stage/a", "data/a.xml"));
  ASSERT_TRUE(TFile::AddFile("stage/b", "data/b.xml"));
  ASSERT_TRUE(TFile::Pack("data/data.pak"));
  const auto root = ParseXMLFile("data/a.xml");
  const auto missing = ParseXMLFile("data/none.xml");
  std::filesystem::current_path(old);
  EXPECT_EQ(Dump(root), "first[v=1]");
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(ParseXMLFile(platform::StreamRef()), nullptr);
}

TEST_F(Xml, HostileDocumentsStayBounded) {
  std::vector<std::string> messages;
  SetDebugOutputHook([&](const std::string& m) { messages.push_back(m); });

  // Deep nesting stops at the depth limit with what was read.
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  const auto root = ParseXMLText(deep);
  ASSERT_NE(root, nullptr);
  int depth = 0;
  for (sdXMLnode* n = root.get(); n; n = n->firstchild) ++depth;
  EXPECT_GT(depth, 10);
  EXPECT_LE(depth, 1000);
  EXPECT_FALSE(messages.empty());

  // Long tags nested: the copied paths stay bounded.
  messages.clear();
  std::string wide;
  for (int i = 0; i < 50; ++i) wide += "<" + std::string(200000, 't') + ">";
  EXPECT_NE(ParseXMLText(wide), nullptr);
  EXPECT_FALSE(messages.empty());

  // Many siblings and attributes: no recursion through the chains.
  std::string flat = "<r>";
  for (int i = 0; i < 200000; ++i) flat += "<p a=\"1\" b=2 />";
  flat += "</r>";
  const auto many = ParseXMLText(flat);
  EXPECT_EQ(many->childcount, 200000);
  auto list = FindNodes(many, "p/", 1);
  ASSERT_NE(list, nullptr);
  list.reset();

  EXPECT_EQ(Dump(ParseXMLText("<a x=\"never closed")), "a");
  EXPECT_EQ(Dump(ParseXMLText("<a missing the equals sign></a><b/>")), "a");
}
