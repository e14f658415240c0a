// Folders and trees of files on any file-system port, for tests and the benchmark.
#pragma once
#include <map>
#include <string>

#include "platform/FileSystem.h"

namespace vmtest {

// Creates the folder at a Windows path and all its parents, on any file-system port.
void MakeFolders(platform::FileSystemPort& fs, const std::string& winPath);

// Everything below a folder, by path relative to it ("/" between folders; a folder is listed as
// "name/" with empty content), with each file's content. Empty for a missing folder.
std::map<std::string, std::string> TreeOf(platform::FileSystemPort& fs, const std::string& folder,
                                          const std::string& rel = "");

}  // namespace vmtest
