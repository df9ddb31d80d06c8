#pragma once
// Number text in the C locale, whatever the user's locale is. Integers accept
// a sign and the "$" hexadecimal and "%" binary prefixes; reading stops at the
// first character that does not belong, and text without a number gives 0.
#include <string>
#include <string_view>

namespace kelp {

int ToInt(std::string_view s);
long long ToLong(std::string_view s);
float ToFloat(std::string_view s);
double ToDouble(std::string_view s);

// Shortest text that reads back as the same value ("1.5", "-0.25", "3").
std::string FloatToString(float v);
std::string DoubleToString(double v);
// As C's "%#.9g" writes it: nine significant digits, the point always shown ("1.50000000").
std::string FloatToG9(float v);

std::string Trim(std::string_view s);
std::string Lower(std::string_view s);  // ASCII letters only
std::string Upper(std::string_view s);

// "1,234,567".
std::string FormatThousands(int n);

}  // namespace kelp
