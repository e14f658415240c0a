// A host folder as the host installs it, the client's data packages in the Windows system folder,
// and the program state of a start: built through the installed file-system port (the packages
// are packed by the zip layer), so it serves the in-process and the Win32 adapters alike.
//
//   <base>\Kovarra             the host folder: Physics.qvz and Physics\, Scripts.qvz and
//                              Scripts\, Cars\Cars.ini, Maps\ (materials, track lists, texture
//                              variants of maps 16_O and 23_E), Plugins\ (listed, foreign and
//                              case-variant files, a shifter.dll of another build)
//   <base>\Windows\system32    the class packages of classes 1 and 6, the four materials
//                              packages and the scripts package, under their shipped names
//                              (in testing mode, gTestSwitch, the class and materials packages
//                              lie in the host folder as the client then looks for them)
#pragma once
#include <cstddef>
#include <map>
#include <string>

namespace vmtest {

class HostFixture {
public:
    // How large the generated files are; the defaults make a small, fast tree.
    struct Sizes {
        std::size_t physicsFileBytes = 40;  // each file of a physics folder
        int extraPhysicsFiles = 0;          // files besides the setups in each physics folder
        std::size_t materialBytes = 30;     // each material file
        int extraMaterials = 0;             // materials besides a.mat and b.mat in each package
        int textureFiles = 1;               // files in each texture folder
        std::size_t textureBytes = 20;
        bool allSlots = true;               // false: of the slots' folders only those the tests choose
        double incompressible = 0;          // share of each large file that is random bytes
        // Every class package with the folders of all its cars, and the texture variants of every
        // map of the folder table: a host folder that any choice of car and stage can start.
        bool wholeCatalogue = false;
    };

    // A start's choice: a car class and the catalogue id remembered for it, a stage and the
    // index of the chosen surface in the surface list (0 tarmac, 1 gravel, 2 snow).
    struct Choice {
        int category = 1;
        int carId = 26;  // Citroen C4: slot 0, physics folder of its own
        int country = 0;
        int stageId = 16;
        int hostTrackId = 12;
        int surface = 0;
    };

    // base: the Windows path of an empty folder; winDir: the Windows folder, by default
    // base\Windows.
    HostFixture(std::string base, Sizes sizes, std::string winDir);
    HostFixture(std::string base, Sizes sizes) : HostFixture(base, sizes, base + "\\Windows") {}
    explicit HostFixture(std::string base) : HostFixture(std::move(base), Sizes{}) {}

    // Writes the host folder and the packages.
    void Build() const;
    // Sets the settings, the check list, the car catalogue, the texture-folder table and the
    // choice, as the client has them at a start.
    void Choose(const Choice& choice) const;
    // The surface code of the last choice, as the client passes it to the installation run.
    int surface() const { return surface_; }

    const std::string& host() const { return host_; }
    const std::string& winDir() const { return winDir_; }
    // host() followed by rel, which begins with a backslash.
    std::string H(const std::string& rel) const { return host_ + rel; }

    // The files of the unpacked physics package of a class package, by path below the package.
    std::map<std::string, std::string> ClassPackageFiles(int category) const;
    // The file of a class package in the system folder.
    std::string ClassPackage(int category) const;

    // Writes a file through the installed port, making its folders.
    static void Put(const std::string& path, const std::string& bytes);
    // Packs files (by path relative to the archive) into an archive through the zip layer.
    void Pack(const std::string& archive, const std::map<std::string, std::string>& files) const;

private:
    mutable int surface_ = 0;
    std::string base_, host_, winDir_;
    Sizes sizes_;
};

}  // namespace vmtest
