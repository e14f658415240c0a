// The file-open dialog.
// This file must contain only operating-system independent declarations.
#pragma once
#include <optional>
#include <string>

namespace platform {

struct OpenFileRequest {
    std::string title;             // "Load Setup"
    std::string filter;            // description and pattern pairs joined by "|": "Setups (*.lsp)|*.lsp"
    std::string defaultExtension;  // added to a typed name that has none: "lsp"
    std::string initialFolder;
    std::string fileName;          // proposed in the name field
    bool operator==(const OpenFileRequest&) const = default;
};

class FileDialogPort {
public:
    virtual ~FileDialogPort() = default;

    // Asks the user for an existing file, modal to the active window. Returns its path, or
    // nothing when the user cancelled.
    virtual std::optional<std::string> OpenFile(const OpenFileRequest& request) = 0;
};

}  // namespace platform
