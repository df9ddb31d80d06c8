#pragma once
// The run's log: "log.xml" in the per-user data folder, rewritten at every
// start, with the style sheet "log.xsl" beside it so that a browser shows it
// formatted. Entries stand in sections (one element per section) and have a
// kind. After every write the file is complete, well-formed XML, so a log
// cut short by a crash or a kill still opens.
#include <ctime>
#include <string>
#include <string_view>

namespace kelp {

enum LogKind { LOG_MESSAGE = 0, LOG_ERROR = 1, LOG_WARNING = 2, LOG_DIVIDER = 3 };

// The full title that the log's header carries, padded to 40 characters.
inline constexpr std::string_view LogTitle = "Kelp: The Broad Homesteads";

// Creates (truncating) folder + "log.xml" and writes "log.xsl" beside it. When
// the file cannot be created the log stays closed and entries go to the
// standard error output instead. A log already open is closed first.
bool OpenLog(const std::string& folder);

// Appends an entry of `kind` (0 "message", 1 "error", 2 "warning",
// 3 "divider"). A section that differs from the current one and is not ""
// begins first; "" writes into the section already open (or under the root).
void WriteLog(const std::string& text, int kind = LOG_MESSAGE, const std::string& section = "");
void BeginLogSection(const std::string& name);
void EndLogSection();
// Closes the open section and the root and the file; nothing when closed.
void CloseLog();

bool LogIsOpen();
const std::string& CurrentLogSection();

// The start-up header: the "loading resources" divider in section
// "resources", the padded title with the version, and the date and time.
void WriteLogHeader(const std::string& version, std::time_t now = std::time(nullptr));

// The text of the style sheet this game writes beside its log.
std::string_view LogStyleSheet();

}  // namespace kelp
