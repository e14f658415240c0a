// Writes the seed corpora and dictionaries of the fuzz targets (run by tests/fuzz/make-seeds;
// the output is checked in). Archives come from the zip layer and from the tests' raw builder,
// roadbooks from the tests and the documented example, host memories from the memory map,
// server replies from the log-in's tests, stage times, splits, setup files, camera files and
// skins lists from the documented examples and the tests of their readers.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "platform/AnsiText.h"
#include "platform/Bytes.h"
#include "platform/native/NativePlatform.h"
#include "services/ZipLib.h"
#include "services/host/HostMap.h"
#include "tests/support/FileTrees.h"
#include "tests/support/RawZip.h"

namespace {

namespace fs = std::filesystem;

void Save(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

// --- archives ---

std::string Packed(platform::NativePlatform& os, int level) {
    const std::string src = "C:\\src";
    vmtest::MakeFolders(os.files, src + "\\Physics\\slot1");
    vmtest::MakeFolders(os.files, src + "\\Physics\\empty");
    std::string lines;
    for (int i = 0; i < 12; ++i) lines += "line " + std::to_string(i) + "\r\n";
    os.files.WriteFile(src + "\\Physics\\slot1\\car.ini", lines);
    os.files.WriteFile(src + "\\Physics\\common.txt", "");
    os.files.WriteFile(src + "\\caf\xE9.txt", "\xE9t\xE9");
    const std::string archive = "C:\\out" + std::to_string(level) + ".zip";
    if (!ZipLib::Zip(archive, src + "\\*.*", level)) throw std::runtime_error("cannot pack");
    return *os.files.ReadFile(archive);
}

void Archives(const fs::path& dir) {
    platform::NativePlatform os;
    using vmtest::RawZip;
    Save(dir / "deflated.zip", Packed(os, 6));
    Save(dir / "stored.zip", Packed(os, 0));
    Save(dir / "descriptor.zip", RawZip::Build({{"dir/", ""}, {"dir/sub/f.txt", "described", 0x0008}, {"./", ""}}));
    Save(dir / "utf8-name.zip", RawZip::Build({{"caf\xC3\xA9/t.txt", "x", 0x0800}}));
}

// --- roadbooks ---

void Roadbooks(const fs::path& dir) {
    Save(dir / "sparse.ini",
         "[MAIN]\r\nDESC=Rally of the Lakes\r\nPWD=Lak3s\r\nDAM=2\r\nDEL=30\r\nTIP=1\r\n"
         "[01]\r\nSS=41\r\nWH=0\r\nTM=52200\r\nSP=1\r\nBK=Sunny Afternoon\r\nHU=0\r\nGR=1\r\nSU=-1\r\n"
         "[02]\r\nSS=10\r\nWH=40000\r\nTM=fast\r\nSP=0\r\nBK=Overcast\r\nHU=2\r\nGR=2\r\nSU=3000000000\r\n"
         "[05]\r\nSS=12\r\nWH=2\r\nTM=61200\r\nBK=Night\r\nHU=1\r\nGR=0\r\nSU=2\r\n"
         "[1]\r\nSS=77\r\n[001]\r\nSS=78\r\n[21]\r\nSS=79\r\n");
    Save(dir / "example.ini",
         "[MAIN]\r\nDESC=Example\r\nPWD=pw\r\nDAM=3\r\nDEL=0\r\nTIP=0\r\n"
         "[03]\r\nSS=41\r\nWH=0\r\nTM=52200\r\nSP=1\r\nBK=10O_N_hazy_partcloud\r\nHU=0\r\nGR=1\r\nSU=-1\r\n");
    std::string full = "; written by hand\n[ main ]\n desc = \"Quoted title\" \nPWD='single'\nDAM=1,5\nDEL=+20\nTIP=-0\n";
    for (int n = 1; n <= 20; ++n) {
        char section[8];
        std::snprintf(section, sizeof section, "[%02d]\n", n);
        full += std::string(section) + "SS=" + std::to_string(n * 3) + "\nWH=" + std::to_string(n % 4) +
                "\nTM=" + std::to_string(36000 + 600 * n) + ".5\nSP=" + std::to_string(n % 2) + "\nBK=sky " +
                std::to_string(n) + "\nHU=\t2\nGR=1.49\nSU=" + std::to_string(n % 3 - 1) + "\n";
    }
    Save(dir / "full.ini", full);
}

// --- host memories ---

enum Protection : std::uint8_t { kRw = 0, kRo = 1, kCode = 2, kNone = 4 };

// Records in the fuzz target's form: address, protection, count, bytes.
class HostImage {
public:
    void Put(std::uint32_t address, const std::string& bytes, Protection p = kRw) {
        out_ += platform::Le32(address);
        out_ += static_cast<char>(p);
        out_ += static_cast<char>(bytes.size() & 0xFF);
        out_ += static_cast<char>(bytes.size() >> 8);
        out_ += bytes;
    }
    void Put32(std::uint32_t address, std::uint32_t value, Protection p = kRw) { Put(address, platform::Le32(value), p); }
    void Hex(std::uint32_t address, const std::string& hex, Protection p = kCode) {
        auto bytes = platform::HexToBytes(hex);
        Put(address, std::string(bytes->begin(), bytes->end()), p);
    }
    const std::string& bytes() const { return out_; }

private:
    std::string out_;
};

struct HostLayout {
    std::uint8_t marker = hostmap::kMarkerV3;
    std::uint32_t menuA = 0x1001000;  // menu object A; its entries follow at 0x20 apart
    std::uint32_t texts = 0x1008000;  // the text table; 0 before the host has made it
    Protection entries = kRw;
};

// The objects that the client reads and writes, as the memory map lays them out.
std::string Host(const HostLayout& l) {
    using namespace hostmap;
    HostImage h;
    h.Put(kMarker, std::string(1, static_cast<char>(l.marker)), kCode);
    if (l.marker != kMarkerV3) return h.bytes();
    h.Hex(kMenuBranchCode, "7405");
    h.Hex(kTyreTypeCode, "8A4E2C90");
    h.Put32(kSkyNameOperand, 0x100F000, kCode);
    h.Hex(kRoutineA, "558BEC83EC0C5356578B7D0889");
    h.Hex(kRoutineB, "558BEC83EC085356578B750C8B");
    h.Hex(kStageClockStore, kStageClockStoreHex);
    h.Put(kSkyName, std::string(kSkyNameRoom + 8, '\0'));  // with the humidity and wear cells
    h.Put(kGotoText, std::string(kReadyText + 0x40 - kGotoText, '\0'));
    h.Put(kFlagCellA, std::string(8, '\0'));
    h.Put(kTrackIdCell, std::string(kStageSetCell + 4 - kTrackIdCell, '\0'));

    constexpr std::uint32_t kGame = 0x1000000;
    h.Put32(kGamePtr, kGame);
    h.Put32(kGame + game::kMode, 1);

    // Menu A: stamp, selected entry 82, the floats and the table of entries.
    const std::uint32_t entriesA = l.menuA + 0x200;
    auto entryA = [&](int i) { return entriesA + 0x20 * static_cast<std::uint32_t>(i); };
    std::string a(menu::kTableA + 4 * menu::kIndexCount, '\0');
    auto set = [](std::string& s, std::size_t at, std::uint32_t v) { s.replace(at, 4, platform::Le32(v)); };
    set(a, menu::kStamp, 0x2A);
    set(a, menu::kSelected, entryA(82));
    for (int i = 0; i < menu::kIndexCount; ++i) set(a, menu::kTableA + 4 * i, entryA(i));
    h.Put32(kMenuAPtr, l.menuA);
    h.Put(l.menuA, a.substr(0, std::min<std::uint64_t>(a.size(), 0x100000000ull - l.menuA)));  // up to the top
    for (int i : {2, 10, 12, 82}) h.Put(entryA(i), std::string(0x20, '\0'), l.entries);

    // Menu B: entry 17 with its table of sub-items 0..9.
    constexpr std::uint32_t kMenuB = 0x1003000, kEntry17 = 0x1003400, kSubTable = 0x1004000, kSubItems = 0x1005000;
    std::string b(menu::kTableB + 4 * 18, '\0');
    set(b, menu::kStamp, 0x2B);
    set(b, menu::kTableB + 4 * 17, kEntry17);
    h.Put32(kMenuBPtr, kMenuB);
    h.Put(kMenuB, b);
    std::string entry17(0x20, '\0');
    set(entry17, menu::kEntrySubItems, kSubTable);
    h.Put(kEntry17, entry17);
    std::string subTable;
    for (std::uint32_t k = 0; k < 10; ++k) subTable += platform::Le32(kSubItems + 0x10 * k);
    h.Put(kSubTable, subTable);
    h.Put(kSubItems, std::string(0x10 * 10, '\x11'));

    // The tuning record and the text table.
    h.Put32(kTuningPtr, 0x100C000);
    h.Put32(0x100C000 + kTuningLink, 0x100C100);
    h.Put32(0x100C100 + kTuningField, 0);
    h.Put32(kMenuTextsPtr, l.texts);
    if (l.texts != 0)
        for (std::int32_t offset : {texts::kSave1, texts::kSave2, texts::kGoto}) h.Put32(l.texts + offset, 0x100B000);
    return h.bytes();
}

void HostMemories(const fs::path& dir) {
    Save(dir / "v3.bin", Host({}));
    Save(dir / "v3-texts-later.bin", Host({.texts = 0}));
    Save(dir / "v3-read-only-entries.bin", Host({.entries = kRo}));
    Save(dir / "v3-menu-at-top.bin", Host({.menuA = 0xFFFFFE80}));  // the table runs past the top
    Save(dir / "v2.bin", Host({.marker = hostmap::kMarkerV2}));
}

// --- the log-in's server replies: the time, a zero byte, the rank ---

void LogInReplies(const fs::path& dir) {
    using namespace std::string_literals;
    Save(dir / "plain.txt", "21:45:02\0"s + "3");
    Save(dir / "short-time-line-ends.txt", "7:05\r\n\0"s + " 12\r\n");
    Save(dir / "last-second-first-rank.txt", "23:59:59\0"s + "1");
    Save(dir / "not-a-time-fraction-rank.txt", "<html>busy</html>\0"s + "3,5");
}

// --- stage times: the documented examples and the tests' cases ---

void StageTimes(const fs::path& dir) {
    int n = 0;
    for (const char* t : {"65.5", "125.25", "59.999", "65", "0.5", "181.05", "181,05", "65.2", "130.37", "3599.99",
                          "99999.5", "100000", ""})
        Save(dir / ("time-" + std::to_string(++n) + ".txt"), t);
}

// --- splitting at delimiters: a camera position as it is, or delimiters each ended by a zero
// byte and then the text ---

void Splits(const fs::path& dir) {
    using namespace std::string_literals;
    Save(dir / "position.txt", "0.1 0.72 -0.3");
    Save(dir / "double-blank.txt", "1  2");
    Save(dir / "cedilla.txt", "1\xE7" "2 3");
    Save(dir / "blank-cedilla.txt", "1 \xE7 2");
    Save(dir / "unused-last.txt", "+\0-\0"s + "a-b+c");
    Save(dir / "tie.txt", "-\0--\0\0"s + "a--b");
}

// --- setup files: how one starts, and the chooser's tests ---

void SetupFiles(const fs::path& dir) {
    Save(dir / "start.lsp", "((\"CarSetup\"\r\n (Car             (\"Car\"\r\n");
    Save(dir / "chosen.lsp", "((\"CarSetup\"\r\n  (Brakes 0.6, 0.4)\r\n\r\n)\r\n");
    Save(dir / "indented.lsp", "\r\n\t  (Tyres\r\n\r\n   \r\n)");
    Save(dir / "quoted.lsp", "  \"a, b\" dropped,c\n\"open to the end");
    Save(dir / "line-ends.lsp", "x\ry\nz\r\n0.50,,\"\"\r\n(Gear 3)  \t\r\n");
}

// --- car INI files with a camera, and skins lists: the editor's and the chooser's tests ---

void CameraFiles(const fs::path& dir) {
    Save(dir / "camera.ini",
         "[Cam_internal]\r\nFOV=60\r\nPos=0.5 1.25 -0.75\r\nTarget=0 1 5\r\nNear=0.1\r\nShake=1\r\n"
         "[i_steeringwheel]\r\nSwitch=false\r\nModel=wheel.gmt\r\n[Cam_external]\r\nFOV=75\r\n");
    Save(dir / "cedilla-short.ini", "[cam_internal]\nPos=2\xE7" "3\nTarget=7 8\nFOV=abc\n[i_steeringwheel]\nSwitch=true\n");
}

void SkinsLists(const fs::path& dir) {
    Save(dir / "three.ini",
         "[Main]\r\nSkins=3\r\n[Skin1]\r\nName=Red\r\nCode=red\r\n[Skin2]\r\nName=Blue\r\nCode=blue\r\n"
         "[Skin3]\r\nName=Works\r\n");
    Save(dir / "gaps.ini", "[Main]\nSkins=4.5\n[Skin4]\nName=\"Late\"\nCode=late\n[Skin2]\nCode=\n");
}

// --- dictionaries ---

std::string Quoted(const std::string& bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += hex;
    }
    return out + "\"\n";
}

void Dictionaries(const fs::path& dir) {
    std::string zip;
    for (std::uint32_t sig : {0x04034b50u, 0x02014b50u, 0x06054b50u, 0x08074b50u}) zip += Quoted(platform::Le32(sig));
    for (const char* name : {"../", "..\\", "C:", "/", ". ./", "dir/"}) zip += Quoted(name);
    Save(dir / "zip.dict", zip);

    std::string roadbook;
    for (const char* word : {"[MAIN]", "DESC=", "PWD=", "DAM=", "DEL=", "TIP=", "[01]", "[20]", "SS=", "WH=", "TM=",
                             "SP=", "BK=", "HU=", "GR=", "SU=", "\r\n", "=\"", "-2147483648", "32767", "0.5", "1,5"})
        roadbook += Quoted(word);
    Save(dir / "roadbook.dict", roadbook);

    std::string host;
    using namespace hostmap;
    for (std::uint32_t address : {kMarker, kGamePtr, kMenuAPtr, kMenuBPtr, kMenuTextsPtr, kTuningPtr})
        host += Quoted(platform::Le32(address));
    Save(dir / "host_memory.dict", host);

    std::string replies;
    for (const char* word : {":", "\r\n", "23", "59", "00", "-32768", "32767", "0.5", "1,5"}) replies += Quoted(word);
    Save(dir / "login_replies.dict", replies);

    std::string times;
    for (const char* word : {".", ",", "-", "9999", "99999", "100000", "00"}) times += Quoted(word);
    Save(dir / "format_time.dict", times);

    std::string splits;
    for (const std::string& word : {std::string(" "), std::string("\xE7"), std::string(1, '\0')}) splits += Quoted(word);
    Save(dir / "split_multi.dict", splits);

    std::string setups;
    for (const char* word : {"\"", ",", "\r\n", "\r", "\n", "\t", "((\"CarSetup\""}) setups += Quoted(word);
    Save(dir / "setup_file.dict", setups);

    std::string camera;
    for (const char* word : {"[Cam_internal]", "FOV=", "Pos=", "Target=", "Near=", "[i_steeringwheel]", "Switch=false",
                             "\xE7", "\r\n", "0.00001", "1000000000000000", "-"})
        camera += Quoted(word);
    Save(dir / "camera_ini.dict", camera);

    std::string skins;
    for (const char* word : {"[Main]", "Skins=", "[Skin1]", "[Skin2]", "Name=", "Code=", "\r\n", "32767", "2147483647"})
        skins += Quoted(word);
    Save(dir / "skins_ini.dict", skins);
}

}  // namespace

int main(int argc, char** argv) try {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_make_seeds <tests/fuzz folder>\n");
        return 2;
    }
    const fs::path dir = argv[1];
    Archives(dir / "corpus" / "zip");
    Roadbooks(dir / "corpus" / "roadbook");
    HostMemories(dir / "corpus" / "host_memory");
    LogInReplies(dir / "corpus" / "login_replies");
    StageTimes(dir / "corpus" / "format_time");
    Splits(dir / "corpus" / "split_multi");
    SetupFiles(dir / "corpus" / "setup_file");
    CameraFiles(dir / "corpus" / "camera_ini");
    SkinsLists(dir / "corpus" / "skins_ini");
    Dictionaries(dir);
    return 0;
} catch (const std::exception& e) {
    std::fprintf(stderr, "fuzz_make_seeds: %s\n", e.what());
    return 1;
}
