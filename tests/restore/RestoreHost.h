// A small host folder as the client leaves it for the restore tool, built through the installed
// file-system port (the archive by the zip layer), so it serves the in-process and the Win32
// adapters alike:
//
//   <base>\Kovarra     audio.ini (read-only) and its backup, physics.qvz and its backup, "Maps"
//                      with the client's materials (a.mat read-only), the materials backup
//                      archive (a.mat, Tracks.ini, extra\c.mat), and the texture folders of
//                      maps 71_M (mode 2) and 41_M (mode 4, its gravel variant present) in the
//                      place the host reads
#pragma once
#include <map>
#include <string>

namespace vmtest {

class RestoreHost {
public:
    // base: the Windows path of an empty folder.
    explicit RestoreHost(std::string base) : base_(std::move(base)), host_(base_ + "\\Kovarra") {}

    static constexpr const char* kHostAudio = "[OPTIONS::SOUNDS]\r\nNumberChannels=32\r\nVolume=80\r\n";
    static constexpr const char* kClientAudio = "[OPTIONS::SOUNDS]\r\nNumberChannels=8\r\n";
    static constexpr const char* kHostPhysics = "host physics package";
    static constexpr const char* kClientPhysics = "client class package";

    // Writes the host folder.
    void Build() const;

    const std::string& host() const { return host_; }
    // host() followed by rel, which begins with a backslash.
    std::string H(const std::string& rel) const { return host_ + rel; }
    // The files the materials archive holds, by path below "\Maps" ("/" between folders).
    static std::map<std::string, std::string> ArchivedMaterials();
    // Packs files (by path below "\Maps") into the materials backup archive.
    void PackMaterials(const std::map<std::string, std::string>& files) const;
    // The texture folder of a map code, followed by a variant's suffix ("" for the host's place).
    std::string Textures(const std::string& code, const std::string& suffix = "") const;

private:
    std::string base_, host_;
};

}  // namespace vmtest
