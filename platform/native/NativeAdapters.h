// Small in-process adapters for native runs and tests: environment, message boxes and clock.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Environment.h"
#include "platform/FileDialog.h"
#include "platform/Instance.h"
#include "platform/MessageBox.h"

namespace platform {

// The program ended itself (in-process stand-in for the end of the process).
struct ProgramExit {
    int code = 0;
};

class NativeEnvironment : public EnvironmentPort {
public:
    std::map<std::string, std::string> variables;  // names as Windows spells them; looked up case-blind
    std::string programFolder = "C:\\Velomark";
    std::string commandLine;
    ProgramVersion version{2, 6, 0, 2};

    std::string GetVariable(const std::string& name) override;
    std::string ProgramFolder() override { return programFolder; }
    std::string CommandLine() override { return commandLine; }
    ProgramVersion Version() override { return version; }
    // Raises ProgramExit.
    [[noreturn]] void ExitProgram(int code) override;
};

// Claims of this process and of the other running programs a test sets up.
class NativeInstances : public InstancePort {
public:
    std::set<std::string> heldElsewhere;  // names another running program holds
    std::set<std::string> held;           // names this process took

    bool ClaimOnlyCopy(const std::string& name) override;
};

// Answers message boxes from a script and keeps every box it was shown.
class ScriptedMessageBox : public MessageBoxPort {
public:
    struct Shown {
        std::string text, title;
        unsigned style = 0;
    };
    std::deque<MsgAnswer> answers;  // taken in order; when empty: OK, or Yes for a Yes/No box
    std::vector<Shown> shown;

    MsgAnswer Show(const std::string& text, const std::string& title, unsigned style) override;
};

// Answers file dialogs from a script and keeps every request.
class ScriptedFileDialog : public FileDialogPort {
public:
    std::deque<std::optional<std::string>> answers;  // taken in order; when empty: cancelled
    std::vector<OpenFileRequest> asked;

    std::optional<std::string> OpenFile(const OpenFileRequest& request) override;
};

// A clock that moves only when told to.
class ManualClock : public ClockPort {
public:
    LocalTime now{2007, 3, 15, 21, 45, 2, 0};
    std::uint32_t ticks = 1000;
    std::vector<LocalTime> setCalls;  // every SetLocal, in order
    bool refuseSet = false;

    LocalTime Now() override { return now; }
    bool SetLocal(const LocalTime& t) override;
    std::uint32_t TickCount() override { return ticks; }
};

}  // namespace platform

#include <optional>

#include "platform/Http.h"

namespace platform {

// Answers GETs from a table of replies and keeps every address it was asked for.
class ScriptedHttp : public HttpPort {
public:
    std::map<std::string, std::string> replies;  // exact address -> body; others fail
    std::vector<std::string> requests;

    std::optional<std::string> Get(const std::string& url, int timeoutSeconds) override;
};

}  // namespace platform

#include "platform/Regional.h"
#include "platform/Shell.h"
#include "platform/WebPane.h"

namespace platform {

// Keeps every shell request and answers each with a fixed result.
class RecordingShell : public ShellPort {
public:
    struct Call {
        WindowHandle owner = 0;
        std::string verb, file, parameters, folder;
        int show = 0;
        bool operator==(const Call&) const = default;
    };
    std::vector<Call> calls;
    std::int32_t result = 42;  // success, as the shell reports it
    // Runs at each request before it is recorded; tests use it to see the files at that moment.
    std::function<void(const Call&)> onExecute;

    std::int32_t Execute(WindowHandle owner, const std::string& verb, const std::string& file,
                         const std::string& parameters, const std::string& folder, int show) override;
};

// Regional settings as a test sets them.
class FixedRegional : public RegionalPort {
public:
    std::string dateSeparator = "/", timeSeparator = ":", decimalSeparator = ".";

    std::string DateSeparator() override { return dateSeparator; }
    std::string TimeSeparator() override { return timeSeparator; }
    std::string DecimalSeparator() override { return decimalSeparator; }
};

// Web panes without an HTML engine: each navigation is recorded and, for a web address,
// fetched through the given HTTP port before Navigate returns (the body is dropped).
class FetchingWebPanes : public WebPanePort {
public:
    struct Navigation {
        std::string pane, address;
        bool operator==(const Navigation&) const = default;
    };
    explicit FetchingWebPanes(HttpPort* http = nullptr) : http(http) {}

    HttpPort* http;  // nothing is fetched while null
    std::vector<Navigation> navigations;

    void Navigate(const std::string& pane, const std::string& address) override;
};

}  // namespace platform
