// Reading and writing keys of the current INI file, vm::g.gIniFile.
#pragma once
#include <string>

namespace ReadWrite {

// Longest key or value WriteINI accepts.
constexpr int kMaxIniText = 255;

// Returns the key's text in the section of gIniFile (at most 254 characters), or empty text.
std::string ReadINI(const std::string& section, const std::string& key);

// Writes key=value into the section of gIniFile. Returns the profile call's result (non-zero on
// success), or -1 after refusing a key or value longer than 255 characters with a message.
int WriteINI(const std::string& section, const std::string& key, const std::string& value);

// Removes the key from the section of gIniFile. Returns true when it is gone.
bool DeleteINI(const std::string& section, const std::string& key);

}  // namespace ReadWrite
