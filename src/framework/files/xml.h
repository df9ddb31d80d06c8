#pragma once
// A small, forgiving XML reader and writer. The reader never fails: whatever
// it cannot understand it skips, and a cut-off document gives the elements
// read so far. Lookups by name ignore letter case; every lookup accepts a null
// node and gives its default.
//
// Bytes are characters: nothing is decoded except the entities &amp; &lt;
// &gt; &quot; &apos; and &#N; / &#xN; (written out as UTF-8).
//
// A document's nodes live as long as any Ref to one of them: the Ref that
// ParseXMLFile returns keeps the whole tree alive, and the plain pointers of
// the tree (firstchild, NextNode, parent, ...) are valid while it lives.
#include <cstddef>
#include <string>
#include <string_view>

#include "framework/core/object.h"
#include "platform/stream.h"

namespace kelp {

class TVector;
class TColor;
struct sdXMLnode;
struct XMLDocument;

constexpr int TextEndByte = 255;
// The millisecond clock at the start of the latest parse.
extern int XMLFileId;

struct sdXMLattr : Object {
  std::string name;   // as written
  std::string Value;
  sdXMLattr* sibattr = nullptr;  // next attribute of the element
  sdXMLnode* parent = nullptr;
};

struct sdXMLnode : Object {
  std::string Tag;     // element name as written
  std::string Value;   // text between the start tag and the next "<"
  std::string path;    // "/" and the tags of all ancestors, each followed by "/"
  sdXMLattr* firstattr = nullptr;
  sdXMLattr* lastattr = nullptr;
  int attrcount = 0;
  int fileid = 0;
  std::string endtag;  // the closing tag's text as read
  sdXMLnode* firstchild = nullptr;
  sdXMLnode* lastchild = nullptr;
  int childcount = 0;
  sdXMLnode* NextNode = nullptr;
  sdXMLnode* PrevNode = nullptr;
  sdXMLnode* parent = nullptr;

  XMLDocument* doc = nullptr;  // the tree's storage
};

// A node argument: a plain pointer from a walk, the Ref of a parse, or null.
struct XMLNodeArg {
  sdXMLnode* p;
  XMLNodeArg(sdXMLnode* n) : p(n) {}
  XMLNodeArg(const Ref<sdXMLnode>& n) : p(n.get()) {}
  XMLNodeArg(std::nullptr_t) : p(nullptr) {}
};

// One found element of FindNodes, chained in document order.
struct sdXMLnodelist : Object {
  Ref<sdXMLnode> NODE;
  Ref<sdXMLnodelist> NextNode;
  sdXMLnodelist* PrevNode = nullptr;
  ~sdXMLnodelist() override;
};

// ---- reading and writing ----

// Parses the file (from disk or the pak archive, see OpenPakStream) or an
// open stream from its position; the document's root element, or null when
// the source cannot be opened or holds no element. With two top-level
// elements the later one is returned.
Ref<sdXMLnode> ParseXMLFile(const std::string& path);
Ref<sdXMLnode> ParseXMLFile(const platform::StreamRef& stream);
Ref<sdXMLnode> ParseXMLStream(platform::Stream& stream);
Ref<sdXMLnode> ParseXMLText(std::string_view text);

// Writes the declaration and the tree, indented two blanks per level up to
// the 16th (deeper levels keep that indent). The old
// file stays untouched unless the whole document was written. False on failure.
bool SaveXMLFile(const std::string& path, XMLNodeArg root);
void WriteXMLNode(platform::Stream& stream, XMLNodeArg node, const std::string& indent);
std::string StripControlChars(std::string_view s);
// Entity helpers the reader and writer use.
std::string DecodeXMLEntities(std::string_view s);
std::string EscapeXMLText(std::string_view s, bool attribute);

// ---- building ----

// A new element under the parent (a new document when the parent is null).
Ref<sdXMLnode> AddChild(XMLNodeArg parent, const std::string& tag);
// Appends a parentless node of the same document as the parent's last child.
// False when the nodes belong to different documents or the child has a parent.
bool LinkChild(XMLNodeArg parent, XMLNodeArg child);
sdXMLattr* AddAttr(XMLNodeArg node, const std::string& name, const std::string& value);
// Unlinks the node from its parent and siblings; its storage goes with the document.
void FreeNode(XMLNodeArg node);

sdXMLnode* GetNextNode(XMLNodeArg node);
sdXMLnode* GetPrevNode(XMLNodeArg node);
sdXMLnode* GetParent(XMLNodeArg node);

// ---- lookups ----

sdXMLattr* FindAttr(XMLNodeArg node, const std::string& name);
std::string GetAttr(XMLNodeArg node, const std::string& name, const std::string& def = "");
std::string GetAttrText(XMLNodeArg node, const std::string& name);
// Defaults apply only to absent attributes: a present, empty one reads as 0.
int GetAttrInt(XMLNodeArg node, const std::string& name, int def = 0);
float GetAttrFloat(XMLNodeArg node, const std::string& name, float def = 0.0f);
// "x y" (any run of blanks); the default itself when absent.
Ref<TVector> GetAttrVector(XMLNodeArg node, const std::string& name, const Ref<TVector>& def);
// "r g b alpha"; the default itself when absent.
Ref<TColor> GetAttrColor(XMLNodeArg node, const std::string& name, const Ref<TColor>& def);

// path is element names each followed by "/" ("a/b/"); the first name is
// matched against start and its following siblings. First match in document
// order, or null.
sdXMLnode* FindNode(XMLNodeArg start, const std::string& path);
// A child of the node itself, by a name ending in "/" ("PosX/").
sdXMLnode* FindChild(XMLNodeArg node, const std::string& name);
std::string GetChildAttr(XMLNodeArg node, const std::string& child, const std::string& attr,
                         const std::string& def = "");
int GetChildAttrInt(XMLNodeArg node, const std::string& child, const std::string& attr, int def = 0);
float GetChildAttrFloat(XMLNodeArg node, const std::string& child, const std::string& attr, float def = 0.0f);
std::string GetChildValue(XMLNodeArg node, const std::string& child);
int GetChildInt(XMLNodeArg node, const std::string& child);
int GetChildFloatInt(XMLNodeArg node, const std::string& child);

// Start and its following siblings (with recursive, all their descendants
// too) whose path + Tag + "/" ends with the given path, ignoring case.
Ref<sdXMLnodelist> FindNodes(XMLNodeArg start, const std::string& path, int recursive);
void FreeNodeList(Ref<sdXMLnodelist>& first);

}  // namespace kelp
