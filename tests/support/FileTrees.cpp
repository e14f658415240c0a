#include "tests/support/FileTrees.h"

namespace vmtest {

void MakeFolders(platform::FileSystemPort& fs, const std::string& winPath) {
    for (std::size_t pos = winPath.find('\\', 3); ; pos = winPath.find('\\', pos + 1)) {
        std::string part = winPath.substr(0, pos);
        if (!fs.FolderExists(part)) (void)fs.CreateFolder(part);
        if (pos == std::string::npos) break;
    }
}

std::map<std::string, std::string> TreeOf(platform::FileSystemPort& fs, const std::string& folder,
                                          const std::string& rel) {
    std::map<std::string, std::string> all;
    for (const auto& e : fs.List(folder).value_or(std::vector<platform::DirEntry>{})) {
        std::string name = rel + e.name;
        if (e.isFolder) {
            all[name + "/"] = "";
            all.merge(TreeOf(fs, e.path, name + "/"));
        } else {
            all[name] = fs.ReadFile(e.path).value_or("<unreadable>");
        }
    }
    return all;
}

}  // namespace vmtest
