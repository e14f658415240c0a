// ANSI (Windows code page 1252) text rules that Windows applies to names: case folding,
// case-blind comparison and wildcard matching. Pure functions; no operating-system access.
#pragma once
#include <string>
#include <string_view>

namespace platform {

// Upper case of one CP-1252 byte, as Windows folds names.
char AnsiUpper(char c);
std::string AnsiUpper(std::string_view s);

// True when a and b are the same name without regard to case.
bool EqualsNoCase(std::string_view a, std::string_view b);

// The form in which Windows looks a path up, for telling which paths name one file: "/" taken
// as "\\", each part without its trailing dots and blanks ("." and ".." as they are), upper case.
// "x.lsp", "X.LSP." and "x.lsp " give one form.
std::string FoldPath(std::string_view path);

// Matches a name against a pattern with * and ?, without regard to case.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// CP-1252 bytes to UTF-8 and back; bytes that CP-1252 leaves undefined map to U+FFFD / '?'.
std::string Cp1252ToUtf8(std::string_view ansi);
std::string Utf8ToCp1252(std::string_view utf8);
// CP-1252 bytes to UTF-16LE bytes (two per character, low byte first) ending in a 16-bit 0, as
// a wide string lies in memory.
std::string Cp1252ToUtf16Le(std::string_view ansi);
// UTF-16LE bytes up to the first 16-bit 0 (or the end) to CP-1252 bytes; characters the code
// page lacks become '?'.
std::string Utf16LeToCp1252(std::string_view utf16le);

}  // namespace platform
