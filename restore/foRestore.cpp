#include "restore/foRestore.h"

#include "platform/MessageBox.h"
#include "restore/RestoreTable.h"
#include "services/Messages.h"
#include "services/Settings.h"

namespace {

// Three buttons, one under the other, with the same margin all round.
constexpr ui::ControlDesign kControls[] = {
    {"buAudio", ui::Kind::PushButton, 16, 16, 268, 32, "Restore audio.ini"},
    {"buPhysics", ui::Kind::PushButton, 16, 60, 268, 32, "restore physics.qvz"},
    {"buTracks", ui::Kind::PushButton, 16, 104, 268, 32, "Restore Tracks textures and phyisics"},
};
constexpr ui::FormDesign kDesign{300, 152, false, kControls};

// The question before a restore, in a box of its own title.
bool Confirm(const std::string& what) {
    return vm::ShowMessage("Ready to restore " + what + "...\n\rAre you sure?", platform::kMsgYesNo, "Velomark") ==
           platform::kAnswerYes;
}

}  // namespace

foRestore::foRestore() : ui::Form("foRestore") {
    SetCaption("Tornavel");
    for (ui::PushButton* button : {&buAudio, &buPhysics, &buTracks}) Add(*button);
    SetDesign(kDesign);
    onLoad = [this] { Form_Load(); };
    buAudio.onClick = [this] { buAudio_Click(); };
    buPhysics.onClick = [this] { buPhysics_Click(); };
    buTracks.onClick = [this] { buTracks_Click(); };
}

void foRestore::Form_Load() {
    qvrMod::LoadRestoreSettings();
    gFill::FillRestoreTrackTextures();
}

void foRestore::buAudio_Click() {
    if (Confirm("audio")) Report(Restore::RestoreAudio());
}

void foRestore::buPhysics_Click() {
    if (Confirm("Physics")) Report(Restore::RestorePhysics());
}

void foRestore::buTracks_Click() { Report(Restore::RestoreTracks()); }

void foRestore::Report(const Restore::Outcome& outcome) {
    switch (outcome.kind) {
        case Restore::Outcome::Done:
        case Restore::Outcome::NoHostFolder:
            return;
        case Restore::Outcome::NoBackup:
            vm::ShowMessage("There is no backup to restore from:\r\n" + outcome.what + "\r\nNothing was changed.",
                            platform::kMsgOk | platform::kMsgExclamation);
            return;
        case Restore::Outcome::Failed:
            vm::ShowMessage("The restore is not complete:\r\n" + outcome.what +
                                "\r\nEvery backup is kept, so the restore can be tried again.",
                            platform::kMsgOk | platform::kMsgCritical);
            return;
    }
}
