#include "framework/core/path.h"

namespace kelp {
namespace {

// Position of the extension's dot, or npos when the last component has none.
size_t ExtensionDot(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return std::string::npos;
  return dot;
}

}  // namespace

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::string Extension(const std::string& path) {
  const size_t dot = ExtensionDot(path);
  return dot == std::string::npos ? "" : path.substr(dot + 1);
}

std::string WithNameSuffix(const std::string& path, const std::string& suffix) {
  const size_t dot = ExtensionDot(path);
  if (dot == std::string::npos) return "";
  return path.substr(0, dot) + suffix + path.substr(dot);
}

std::string WithExtension(const std::string& path, const std::string& ext) {
  const size_t dot = ExtensionDot(path);
  return (dot == std::string::npos ? path : path.substr(0, dot)) + "." + ext;
}

std::string JoinPath(const std::string& folder, const std::string& file) {
  if (folder.empty()) return file;
  const char last = folder.back();
  return last == '/' || last == '\\' ? folder + file : folder + "/" + file;
}

}  // namespace kelp
