#include "restore/foRestore.h"

#include "platform/MessageBox.h"
#include "restore/RestoreTable.h"
#include "services/Messages.h"
#include "services/Settings.h"

namespace {

// The question before a restore, in a box of its own title.
bool Confirm(const std::string& what) {
    return vm::ShowMessage("Ready to restore " + what + "...\n\rAre you sure?", platform::kMsgYesNo, "Velomark") ==
           platform::kAnswerYes;
}

}  // namespace

foRestore::foRestore() : ui::Form("foRestore") {
    SetCaption("Tornavel");
    using Captioned = std::pair<ui::PushButton*, const char*>;
    for (auto [button, caption] : std::initializer_list<Captioned>{{&buAudio, "Restore audio.ini"},
                                                                   {&buPhysics, "restore physics.qvz"},
                                                                   {&buTracks, "Restore Tracks textures and phyisics"}}) {
        button->SetCaption(caption);
        Add(*button);
    }
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
