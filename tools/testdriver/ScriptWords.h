// The words of a test driver script's line (the syntax is described in TestDriverMain.cpp).
#pragma once
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using Words = std::vector<std::string>;

// A command that failed, or a line that cannot be read; ends the run.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The line's words: ${NAME} replaced by its value in vars, split at blanks, "double quotes"
// keeping blanks and standing for \" \\ \n \r \t and \xNN inside them. Throws Failure on an
// unclosed ${ or quote, or a name without a value.
Words ScriptWords(const std::string& line, const std::map<std::string, std::string>& vars);

// A Linux path is taken on drive Z:, as Wine maps it; another path is returned as it is.
std::string WindowsPath(std::string path);
