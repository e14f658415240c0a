// A client about to start: the host folder with its executable, the data packages in the
// Windows system folder with the digests they were shipped with, the host's registry key, the
// settings file, and an event server that the scripted HTTP port stands in for.
#pragma once
#include <map>
#include <optional>
#include <string>

#include "client/foConnect.h"
#include "client/foMain.h"
#include "tests/support/VmTest.h"

namespace vmtest {

// File digests as the shipped files have them: a file of the data-file check list that exists
// has the digest the list expects, unless a test breaks it; any other file its real digest.
class ShippedDigests : public platform::Md5Port {
public:
    explicit ShippedDigests(platform::Md5Port& real) : real_(real) {}

    std::map<std::string, std::string> expected;  // path -> digest
    int calls = 0;

    std::optional<std::string> FileMd5(const std::string& path) override;

private:
    platform::Md5Port& real_;
};

class ClientTest : public VmTest {
protected:
    static constexpr const char* kHost = "C:\\Kovarra";
    static constexpr const char* kIni = "C:\\Velomark\\velomark.ini";

    ClientTest();

    // Writes velomark.ini: the web base, the driver "Ari" with password "pw", then the lines
    // of [GAME] given.
    void Settings(const std::string& gameLines = "");
    // Starts the program: the connect window loads, running the start-up, and is shown.
    // Returns the exit code when the program ended, nothing when it waits for the log-in.
    std::optional<int> Start();
    // Picks the car class and logs in with the event password (empty: free practice).
    void LogIn(const std::string& eventPwd, int category = 1);
    // Lets the scripted server answer an event log-in: the time, the rank, the roadbook and
    // the registration's "OK" for the driver in class 1 with the car the settings remember.
    void Serve(const std::string& roadbook, const std::string& rank = "3");

    // The event's web server, and its addresses.
    std::string server = "http://events.test";
    std::string Url(const std::string& path) const { return server + path; }
    std::string RegistrationUrl(int car, int category = 1) const;

    // The messages shown, as "title|text".
    std::vector<std::string> Messages() const;

    foConnect& connect() { return foConnect::Instance(); }
    foMain& main() { return foMain::Instance(); }

    ShippedDigests digests{os.md5};
};

}  // namespace vmtest
