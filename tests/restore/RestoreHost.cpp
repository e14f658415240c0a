#include "tests/restore/RestoreHost.h"

#include <stdexcept>

#include "platform/Ports.h"
#include "services/ZipLib.h"
#include "tests/support/FileTrees.h"

namespace vmtest {

namespace {

void Put(const std::string& path, const std::string& bytes) {
    auto& fs = platform::fileSystem();
    MakeFolders(fs, path.substr(0, path.find_last_of('\\')));
    if (fs.WriteFile(path, bytes) != platform::FsStatus::Ok) throw std::runtime_error("fixture: cannot write " + path);
}

}  // namespace

std::map<std::string, std::string> RestoreHost::ArchivedMaterials() {
    return {{"a.mat", "host a.mat"}, {"Tracks.ini", "[Map12]\r\nTrackName=\"Maps\\track-12\"\r\n"},
            {"extra/c.mat", "host c.mat below Maps"}};
}

void RestoreHost::PackMaterials(const std::map<std::string, std::string>& files) const {
    auto& fs = platform::fileSystem();
    const std::string stage = base_ + "\\stage";
    for (const auto& [rel, bytes] : files) {
        std::string path = stage + "\\" + rel;
        for (char& c : path)
            if (c == '/') c = '\\';
        Put(path, bytes);
    }
    bool packed = ZipLib::Zip(H("\\Maps\\MatBkp_by_vlmk.zip"), stage + "\\*.*", 2);
    (void)fs.DeleteFolder(stage, true);
    if (!packed) throw std::runtime_error("fixture: cannot pack the materials");
}

std::string RestoreHost::Textures(const std::string& code, const std::string& suffix) const {
    return H("\\Maps\\track-" + code + "_textures" + suffix);
}

void RestoreHost::Build() const {
    auto& fs = platform::fileSystem();
    Put(H("\\audio.ini"), kClientAudio);
    Put(H("\\audio_bkp_by_Velomark.ini"), kHostAudio);
    Put(H("\\physics.qvz"), kClientPhysics);
    Put(H("\\physics_bkp_by_Velomark.qvz"), kHostPhysics);
    Put(H("\\Maps\\a.mat"), "client a.mat");
    Put(H("\\Maps\\Tracks.ini"), "[Map12]\r\nTrackName=\"Maps\\track-16\"\r\n");
    Put(H("\\Maps\\notes.txt"), "not a material");
    PackMaterials(ArchivedMaterials());
    for (const std::string& folder : {Textures("71_M"), Textures("41_M"), Textures("41_M", "_VLMK_G")})
        Put(folder + "\\which.txt", folder);
    for (const char* readOnly : {"\\audio.ini", "\\Maps\\a.mat"})
        if (fs.SetAttributes(H(readOnly), platform::kAttrReadOnly) != platform::FsStatus::Ok)
            throw std::runtime_error("fixture: cannot protect " + H(readOnly));
}

}  // namespace vmtest
