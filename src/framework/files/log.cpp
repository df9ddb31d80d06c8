#include "framework/files/log.h"

#include <cstdio>
#include <iomanip>
#include <locale>
#include <mutex>
#include <sstream>

#include "framework/core/path.h"
#include "framework/core/utf8.h"
#include "platform/files.h"
#include "platform/stream.h"

namespace kelp {
namespace {

// Entries may come from more than one thread (the music module reports its errors).
std::recursive_mutex g_mutex;
platform::StreamRef g_log;
std::string g_section;   // as the caller named it; "" when none is open
int64_t g_bodyEnd = 0;   // where the closing tags written after the last entry begin
bool g_full = false;     // the log reached kMaxLogBytes; later entries are left out

// Loaders report every damaged entry: a damaged data set must not fill the disk.
constexpr int64_t kMaxLogBytes = 8 << 20;

constexpr std::string_view kStyleSheet = R"xsl(<?xml version="1.0" encoding="UTF-8"?>
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" encoding="UTF-8" indent="yes"/>
  <xsl:template match="/log">
    <html>
      <head>
        <title>Kelp log</title>
        <style>
          body { font-family: sans-serif; font-size: 13px; background: #f4f1e8; color: #222; margin: 16px; }
          h1 { font-size: 18px; color: #2f5d50; }
          .section { margin: 8px 0 16px 0; border-left: 4px solid #6f9fc8; padding-left: 8px; }
          .section h2 { font-size: 14px; margin: 4px 0; color: #35597f; }
          .entry { white-space: pre-wrap; font-family: monospace; padding: 1px 4px; }
          .error { color: #fff; background: #b3261e; }
          .warning { background: #f2d16b; }
          .divider { font-weight: bold; border-top: 1px solid #888; margin-top: 6px; padding-top: 3px; }
        </style>
      </head>
      <body>
        <h1>Kelp log</h1>
        <xsl:apply-templates/>
      </body>
    </html>
  </xsl:template>
  <xsl:template match="message|error|warning|divider" priority="2">
    <div class="entry {name()}"><xsl:value-of select="."/></div>
  </xsl:template>
  <xsl:template match="log/*" priority="1">
    <div class="section">
      <h2><xsl:value-of select="name()"/></h2>
      <xsl:apply-templates/>
    </div>
  </xsl:template>
</xsl:stylesheet>
)xsl";

const char* KindTag(int kind) {
  switch (kind) {
    case LOG_ERROR: return "error";
    case LOG_WARNING: return "warning";
    case LOG_DIVIDER: return "divider";
    default: return "message";  // an unknown kind would otherwise make an empty, invalid element
  }
}

// The file is 8-bit and declares windows-1251: everything beyond ASCII goes
// out as a character reference, so any text stays readable and valid.
std::string EscapeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t pos = 0; pos < text.size();) {
    const uint32_t cp = utf8::Next(text, pos);
    switch (cp) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '\t': out += '\t'; break;
      case '\n': out += "&#10;"; break;  // keeps one entry per line
      case '\r': out += "&#13;"; break;
      default:
        if (cp < 0x20) out += '?';  // not allowed in XML at all
        else if (cp < 0x7F) out += static_cast<char>(cp);
        else if (cp == 0xFFFE || cp == 0xFFFF) out += "&#65533;";
        else out += "&#" + std::to_string(cp) + ";";
    }
  }
  return out;
}

bool NameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool NameChar(char c) { return NameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// Section names become element names; anything that would break the XML is replaced.
std::string ElementName(std::string_view name) {
  std::string out;
  for (char c : name) out += NameChar(c) ? c : '_';
  if (out.empty() || !NameStart(out[0])) out.insert(out.begin(), '_');
  return out;
}

std::string Tail() {
  std::string tail;
  if (!g_section.empty()) tail += "\t</" + ElementName(g_section) + ">\r\n";
  tail += "</log>\r\n";
  return tail;
}

// Appends `lines` to the body and rewrites the closing tags after it.
void Emit(const std::string& lines) {
  if (!g_log) return;
  g_log->Seek(g_bodyEnd);
  g_log->WriteBytes(lines);
  g_bodyEnd = g_log->Pos();
  g_log->WriteBytes(Tail());
  g_log->Flush();
  if (!g_log->Ok()) {  // a full disk: carry on without the file
    g_log.reset();
    g_section.clear();
    std::fprintf(stderr, "log: writing the log file failed; logging to standard error\n");
  }
}

}  // namespace

bool OpenLog(const std::string& folder) {
  std::lock_guard lock(g_mutex);
  CloseLog();
  const std::string file = JoinPath(folder, "log.xml");
  // A fresh file of its own: a link or a stale file at the name is replaced, never written through.
  g_log = platform::CreateFileFresh(file);
  g_section.clear();
  g_bodyEnd = 0;
  g_full = false;
  if (!g_log) {
    std::fprintf(stderr, "log: cannot create %s; logging to standard error\n", file.c_str());
    return false;
  }
  // The sheet is part of the program, so a log folder always gets the one that matches.
  if (platform::StreamRef sheet = platform::CreateFileFresh(JoinPath(folder, "log.xsl"))) sheet->WriteBytes(kStyleSheet);
  Emit(
      "<?xml version=\"1.0\" encoding=\"windows-1251\" standalone=\"yes\"?>\r\n"
      "<?xml-stylesheet type=\"text/xsl\" href=\"log.xsl\"?>\r\n"
      "<log>\r\n");
  return g_log != nullptr;
}

void WriteLog(const std::string& text, int kind, const std::string& section) {
  std::lock_guard lock(g_mutex);
  if (!g_log) {
    const std::string& where = section.empty() ? g_section : section;
    std::fprintf(stderr, "[%s] %s: %s\n", where.c_str(), KindTag(kind), text.c_str());
    return;
  }
  if (g_full) return;
  if (!section.empty() && section != g_section) BeginLogSection(section);
  const char* tag = KindTag(kind);
  std::string line = std::string("\t\t<") + tag + ">" + EscapeText(text) + "</" + tag + ">\r\n";
  if (g_bodyEnd + static_cast<int64_t>(line.size()) > kMaxLogBytes) {
    g_full = true;
    line = "\t\t<warning>The log is full; later entries are left out</warning>\r\n";
  }
  Emit(line);
}

void BeginLogSection(const std::string& name) {
  std::lock_guard lock(g_mutex);
  if (!g_log || g_full) return;
  std::string lines;
  if (!g_section.empty()) lines += "\t</" + ElementName(g_section) + ">\r\n";
  g_section = name;
  if (!name.empty()) lines += "\t<" + ElementName(name) + ">\r\n";
  Emit(lines);
}

void EndLogSection() {
  std::lock_guard lock(g_mutex);
  if (!g_log || g_section.empty()) return;
  const std::string lines = "\t</" + ElementName(g_section) + ">\r\n";
  g_section.clear();
  Emit(lines);
}

void CloseLog() {
  std::lock_guard lock(g_mutex);
  if (!g_log) return;
  EndLogSection();
  if (g_log) {
    // The closing tags are already in place after the body: cut nothing, just close.
    g_log->Flush();
    g_log.reset();
  }
  g_section.clear();
  g_bodyEnd = 0;
}

bool LogIsOpen() {
  std::lock_guard lock(g_mutex);
  return g_log != nullptr;
}

const std::string& CurrentLogSection() { return g_section; }

void WriteLogHeader(const std::string& version, std::time_t now) {
  WriteLog("loading resources", LOG_DIVIDER, "resources");
  std::string title(LogTitle);
  for (size_t n = utf8::Length(title); n < 40; ++n) title += ' ';
  WriteLog(title + version, LOG_MESSAGE);
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream when;
  when.imbue(std::locale::classic());
  when << std::put_time(&local, "%d %b %Y") << ". " << std::put_time(&local, "%H:%M:%S");
  WriteLog(when.str(), LOG_MESSAGE);
}

std::string_view LogStyleSheet() { return kStyleSheet; }

}  // namespace kelp
