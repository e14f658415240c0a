// The restore tool's window: three buttons, one per restore.
#pragma once

#include "restore/HostRestore.h"
#include "ui/Controls.h"
#include "ui/Form.h"

class foRestore : public ui::Form {
public:
    foRestore();

    ui::PushButton buAudio{"buAudio"}, buPhysics{"buPhysics"}, buTracks{"buTracks"};

    // The load handler: reads the host folder and the backup paths, and fills the texture-folder
    // table.
    void Form_Load();

    // Asks, then puts the audio backup over the host's audio.ini.
    void buAudio_Click();
    // Asks, then puts the physics backup over the host's physics.qvz and removes the backup.
    void buPhysics_Click();
    // Moves the texture folders back and unpacks the materials backup, without asking.
    void buTracks_Click();

private:
    // Tells the user of a missing backup or a failure; a restore that did its work says nothing.
    static void Report(const Restore::Outcome& outcome);
};
