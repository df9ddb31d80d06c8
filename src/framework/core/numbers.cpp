#include "framework/core/numbers.h"

#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace kelp {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

long long ToLong(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  bool neg = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) neg = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') { base = 16; ++i; }
  else if (i < s.size() && s[i] == '%') { base = 2; ++i; }
  unsigned long long v = 0;
  for (; i < s.size(); ++i) {
    const char c = s[i];
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
    else break;
    if (d >= base) break;
    // Wraps like the 64-bit arithmetic of the original readers; never undefined.
    v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
  }
  return static_cast<long long>(neg ? 0ull - v : v);
}

int ToInt(std::string_view s) {
  // Hexadecimal text names 32-bit patterns ("$FFFFFFFF" is -1).
  return static_cast<int>(static_cast<unsigned int>(ToLong(s)));
}

double ToDouble(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i < s.size() && s[i] == '+') ++i;
  // Only digits make a number: from_chars would also take "nan" and "inf",
  // which a damaged data file must not bring into the game.
  const size_t d = i < s.size() && s[i] == '-' ? i + 1 : i;
  if (d >= s.size() || !((s[d] >= '0' && s[d] <= '9') || s[d] == '.')) return 0.0;
  double v = 0.0;
  const auto r = std::from_chars(s.data() + i, s.data() + s.size(), v, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // from_chars leaves v alone then; keep the sign and saturate.
    const bool neg = i < s.size() && s[i] == '-';
    return neg ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
  }
  return r.ec == std::errc() ? v : 0.0;
}

float ToFloat(std::string_view s) { return static_cast<float>(ToDouble(s)); }

std::string FloatToString(float v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string DoubleToString(double v) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string FloatToG9(float v) {
  static locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  locale_t old = c ? uselocale(c) : static_cast<locale_t>(0);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%#.9g", static_cast<double>(v));
  if (c) uselocale(old);
  return buf;
}

std::string Trim(std::string_view s) {
  size_t a = 0, b = s.size();
  while (a < b && static_cast<unsigned char>(s[a]) <= 32) ++a;
  while (b > a && static_cast<unsigned char>(s[b - 1]) <= 32) --b;
  return std::string(s.substr(a, b - a));
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string FormatThousands(int n) {
  const long long v = n;
  const std::string digits = std::to_string(v < 0 ? -v : v);
  std::string s = v < 0 ? "-" : "";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) s += ',';
    s += digits[i];
  }
  return s;
}

}  // namespace kelp
