// The three restores of the host folder from the backups the client keeps there. Each touches
// nothing without a host folder, and no backup is deleted before what it restored has been
// checked complete, so a failure at any point leaves every backup whole in its place.
#pragma once
#include <string>

namespace Restore {

// What a restore did.
struct Outcome {
    enum Kind {
        Done,          // the host has its files back (or there was nothing to put back)
        NoHostFolder,  // gHostPath is empty: nothing was touched
        NoBackup,      // the backup is missing: nothing was touched
        Failed,        // an operation failed; every backup is kept
    };
    Kind kind = Done;
    std::string what;  // NoBackup: the missing backup; Failed: what failed, a line each
};

// Copies the audio backup over the host's audio.ini, made writable first. The backup stays.
Outcome RestoreAudio();

// Copies the physics backup over the host's physics.qvz, made writable first, and deletes the
// backup once the copy reads back equal to it.
Outcome RestorePhysics();

// Moves the texture folders of restoreSwapTable back to their variant names; then, when the
// materials archive exists, makes every file directly in "\Maps" writable, unpacks the archive
// into "\Maps" with its folders, and deletes it once every entry was written. A refused move
// does not stop the materials.
Outcome RestoreTracks();

}  // namespace Restore
