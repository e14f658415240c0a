#include "tests/client/ClientTest.h"

#include "catalogues/FileCheckList.h"
#include "platform/native/NativeAdapters.h"
#include "services/Globals.h"
#include "services/ProgramState.h"
#include "services/Settings.h"

namespace vmtest {

std::optional<std::string> ShippedDigests::FileMd5(const std::string& path) {
    ++calls;
    if (!platform::fileSystem().FileExists(path)) return std::nullopt;
    auto it = expected.find(path);
    return it != expected.end() ? std::optional<std::string>(it->second) : real_.FileMd5(path);
}

ClientTest::ClientTest() {
    os.registry.SetString(platform::RegRoot::LocalMachine, qvrMod::kHostInstallKey, "", kHost);
    os.environment.variables["SystemRoot"] = "C:\\WINDOWS";
    Put(std::string(kHost) + "\\Kovarra_SSE.exe", "host");
    MakeFolders(os.files, std::string(kHost) + "\\Maps");
    MakeFolders(os.files, "C:\\Velomark");

    // Every file of the check list, with the digest the list expects.
    vm::g.gHostPath = kHost;
    vm::g.gWinDir = "C:\\WINDOWS";
    gFill::FillFileCheckList();
    for (const vm::FileCheck& e : vm::fileCheckList)
        if (!e.path.empty()) {
            Put(e.path, "package " + e.path);
            digests.expected[e.path] = e.md5;
        }
    vm::ResetProgramState();
    platform::ports().md5 = &digests;
}

void ClientTest::Settings(const std::string& gameLines) {
    Put(kIni, "[MAIN]\r\nW=" + server + "\r\nNAME=Ari\r\nPWD=pw\r\n[GAME]\r\n" + gameLines);
}

std::optional<int> ClientTest::Start() {
    try {
        connect().Show();
    } catch (const platform::ProgramExit& exit) {
        return exit.code;
    }
    return std::nullopt;
}

void ClientTest::LogIn(const std::string& eventPwd, int category) {
    connect().cmdCat[category].Press();
    connect().edPwd.SetText(eventPwd);
    connect().connectCMD.Press();
}

std::string ClientTest::RegistrationUrl(int car, int category) const {
    return Url("/driver.php?driver=Ari&car=" + std::to_string(car) + "&cat=" + std::to_string(category) +
               "&tyre=0&ver=2.6.2&pwd=pw");
}

void ClientTest::Serve(const std::string& roadbook, const std::string& rank) {
    auto& replies = os.http.replies;
    replies[Url("/ora.php")] = "12:34:56";
    replies[Url("/rank.php?user=Ari&pwd=secret")] = rank;
    replies[Url("/roadbook/qvr-race.ini")] = roadbook;
    replies[RegistrationUrl(26)] = "OK";
}

std::vector<std::string> ClientTest::Messages() const {
    std::vector<std::string> all;
    for (const auto& m : os.messageBox.shown) all.push_back(m.title + "|" + m.text);
    return all;
}

}  // namespace vmtest
