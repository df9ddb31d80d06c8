#pragma once
// Pieces of data-file paths; both "/" and "\" separate folders, and a dot
// counts as an extension only in the last component.
#include <string>

namespace kelp {

// "a/b.png" -> "b.png".
std::string FileName(const std::string& path);
// "a/b.png" -> "a"; "" when the path has no folder.
std::string FolderOf(const std::string& path);
// "a/b.png" -> "png"; "" when the last component has no extension.
std::string Extension(const std::string& path);
// "a/b.png" + "_anim" -> "a/b_anim.png"; "" when the path has no extension.
std::string WithNameSuffix(const std::string& path, const std::string& suffix);
// "a/b.ico" + "png" -> "a/b.png"; a path without an extension gains one.
std::string WithExtension(const std::string& path, const std::string& ext);
// "a" + "b.png" -> "a/b.png" (no second separator after "a/" or "a\\"); just
// the file when the folder is "".
std::string JoinPath(const std::string& folder, const std::string& file);

}  // namespace kelp
