#include "preparation/Results.h"

#include "platform/Ports.h"
#include "preparation/ResultRecord.h"
#include "services/Globals.h"
#include "services/Messages.h"
#include "services/Settings.h"
#include "services/TimeText.h"

namespace gFunc {

using vm::g;

void UploadStageTime() {
    const auto& kept = qvrMod::upload;
    if (kept.gErrUrlStart.empty() || kept.gErrUrlFinish.empty()) {
        vm::ShowMessage("Error! you haven't the correct logs", platform::kMsgCritical | platform::kMsgOk,
                        "Upload stage time");
        return;
    }
    platform::webPanes().Navigate("wb", kept.gErrUrlStart + kept.gErrUrlFinish);
}

void SaveTimesLog(const std::string& resultsText) {
    std::string name = "qvrLog_" + vm::FormatFileStamp(platform::clock().Now()) + ".txt";
    std::string content = "[driver]\r\n" + g.gDriverName + "\r\n" + g.gCarLabel + "\r\n[log]\r\n\r\n" +
                          resultsText + "\r\n";
    if (platform::fileSystem().WriteFile(qvrMod::ProgramFile(name), content) != platform::FsStatus::Ok) {
        vm::ShowMessage("File " + name + " not saved!", platform::kMsgCritical | platform::kMsgOk, "Saving times");
        return;
    }
    vm::ShowMessage("File " + name + " saved!", platform::kMsgInformation | platform::kMsgOk, "Saving times");
}

void OpenUrl(platform::WindowHandle form, const std::string& address) {
    (void)platform::shell().Execute(form, "open", address, "", "", platform::kShowNormal);
}

}  // namespace gFunc
