// testdriver: drives a Windows program's windows as a person would, through ordinary window
// messages, for the end-to-end tests.
//
//   testdriver [--set NAME=VALUE]... (SCRIPT | -c COMMAND [-c COMMAND]...)
//
// A script holds one command a line; a line that starts with '#' is a comment. Words are split
// at blanks; "double quotes" keep blanks, and inside them \" \\ \n \r \t and \xNN stand for
// their characters (CP-1252 bytes). ${NAME} is replaced by the value given with --set. Paths
// may be written the Linux way (/work/...): they are taken on drive Z:. Each command waits up to
// the timeout (10 s, see `timeout`) for what it needs; the first that fails ends the run with its
// line and the reason, and exit code 1, and ends the programs it started too. A run that leaves
// a program running fails as well.
//
// The program and its windows
//   start EXE [ARG...]        starts a program; its windows and boxes are the ones looked for
//                             from now on (a program started before it keeps running)
//   start-raw EXE TEXT        the same with TEXT as the command line's argument text, as it
//                             stands (start puts each argument in quotes)
//   wait-exit [CODE]          waits for the last started program to end (with that exit code);
//                             the one started before it is looked at again
//   window FORM               waits for the window of the form (its class) to show; later
//                             commands act on it
//   close FORM                presses the form's close box
//   keys KEYS                 brings the current window in front and presses "Ctrl+X", "F5", ...
// Controls of the current window, by their model's name ("cmdSS(1)") or by "#ID"
//   click CONTROL             a click of a push button, option button or check box
//   type CONTROL TEXT         replaces the text of an edit field or drop-down combo, one
//                             character at a time
//   pick CONTROL ENTRY        picks the entry of a combo box, by its index or its exact text
//   menu ITEM                 chooses the menu item of that name
//   hover CONTROL             puts the mouse pointer over the middle of the control
// The program's message boxes and file dialogs
//   answer BUTTON [text=TEXT] [owner=FORM]
//                             waits for a message box, checks its text and the form that owns
//                             it, and presses ok, cancel, yes, no, abort, retry or ignore
//   choose-file PATH|cancel   waits for a file dialog and opens the file, or cancels it
// Checks, each waited for until it holds
//   expect text CONTROL TEXT
//   expect enabled|disabled|visible|hidden CONTROL
//   expect covered|uncovered CONTROL
//                             another window lies (does not lie) over the control's middle
//   expect checked CONTROL 0|1|2
//   expect selected CONTROL INDEX
//   expect color CONTROL X Y 0xBBGGRR
//                             the screen's pixel at X,Y of the control (negative: from its right
//                             or bottom edge)
//   expect form FORM enabled|disabled|gone
//   expect requests SERVER [TARGET...]
//                             the local event server at SERVER (tools/event_server) received
//                             these request targets since the last such check, in this order,
//                             except that targets between "{" and "}" may come in any order;
//                             "*" stands for any run of characters and "?" for any one (letter
//                             case aside). Then the server's record is emptied
//   expect records SERVER [RECORD...]
//                             the result records among the targets the server received since
//                             the last such check (its log page's, unscrambled) are these, in
//                             this order, with wildcards as above; other targets are passed
//                             over. Then the server's record is emptied
//   expect file PATH [LINE]   the file or folder exists; with LINE, a file with a line that
//                             matches it (wildcards as above). The last part of PATH may hold
//                             wildcards: the newest file that matches is read
//   expect absent PATH        no file or folder PATH
//   expect processes EXE [started=N] [most-alive=N] [alive=N]
//                             of the processes of EXE (see watch-processes): N started since the
//                             watch began, at most N alive at once, N alive now. A started or
//                             most-alive count already above N fails at once
// Processes
//   watch-processes EXE       begins (again) to count the processes whose executable file is
//                             named EXE ("Kovarra_SSE.exe", letter case aside), from a snapshot of
//                             the process list taken every 10 ms; those running now are alive
//                             but not started
// Other (texts are written to the output in UTF-8)
//   screenshot FILE.png       the whole screen
//   print CONTROL             writes the control's text to the output
//   print requests SERVER     writes the targets the server received since its record was last
//                             emptied, each result record unscrambled below its target, its
//                             fields named
//   write FILE TEXT           writes the text into the file, replacing it
//   sleep MS
//   timeout MS                how long later commands wait
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/AnsiText.h"
#include "platform/win32/WinApi.h"
#include "tools/testdriver/ProcessWatch.h"
#include "tools/testdriver/ScriptWords.h"
#include "tools/testdriver/Screenshot.h"
#include "tools/testdriver/ServerRecord.h"
#include "ui/Design.h"

namespace {

std::string Quoted(const std::string& text) {
    std::string q = "\"";
    q.append(text).push_back('"');
    return q;
}

std::string ClassOf(HWND hwnd) {
    char name[256] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    return name;
}

class Driver {
public:
    ~Driver() { EndPrograms(); }

    void Run(const Words& w) {
        const std::string& cmd = w[0];
        auto need = [&](std::size_t n) {
            if (w.size() < n + 1) throw Failure(cmd + " needs " + std::to_string(n) + " argument(s)");
        };
        if (cmd == "start") {
            need(1);
            Start(w);
        } else if (cmd == "start-raw") {
            need(2);
            Start(w, true);
        } else if (cmd == "wait-exit") {
            WaitExit(w.size() > 1 ? std::optional<long>(std::stol(w[1])) : std::nullopt);
        } else if (cmd == "window") {
            need(1);
            current_ = Until("the window " + w[1], [&] { return Form(w[1], true); });
        } else if (cmd == "close") {
            need(1);
            ::PostMessageA(Until("the window " + w[1], [&] { return Form(w[1], true); }), WM_CLOSE, 0, 0);
        } else if (cmd == "keys") {
            need(1);
            Keys(w[1]);
        } else if (cmd == "click") {
            need(1);
            ::PostMessageA(Control(w[1]), BM_CLICK, 0, 0);
        } else if (cmd == "type") {
            need(2);
            Type(Control(w[1]), w[2]);
        } else if (cmd == "pick") {
            need(2);
            Pick(Control(w[1]), w[2]);
        } else if (cmd == "menu") {
            need(1);
            ::PostMessageA(Current(), WM_COMMAND, MAKEWPARAM(Id(w[1]), 0), 0);
        } else if (cmd == "hover") {
            need(1);
            RECT r;
            ::GetWindowRect(Control(w[1]), &r);
            ::SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
        } else if (cmd == "answer") {
            need(1);
            Answer(w);
        } else if (cmd == "choose-file") {
            need(1);
            ChooseFile(w[1]);
        } else if (cmd == "watch-processes") {
            need(1);
            processes_.Watch(w[1]);
        } else if (cmd == "expect") {
            need(2);
            Expect(w);
        } else if (cmd == "screenshot") {
            need(1);
            Settle();
            const std::string failure = SaveScreenshot(WindowsPath(w[1]));
            if (!failure.empty()) throw Failure(failure);
        } else if (cmd == "print" && w.size() == 3 && w[1] == "requests") {
            PrintRequests(w[2]);
        } else if (cmd == "print") {
            need(1);
            std::printf("%s: %s\n", w[1].c_str(), platform::Cp1252ToUtf8(Text(Control(w[1]))).c_str());
        } else if (cmd == "write") {
            need(2);
            std::ofstream out(WindowsPath(w[1]), std::ios::binary);
            if (!(out << w[2]) || !out.flush()) throw Failure("cannot write " + w[1]);
        } else if (cmd == "sleep") {
            need(1);
            ::Sleep(static_cast<DWORD>(std::stoul(w[1])));
        } else if (cmd == "timeout") {
            need(1);
            timeoutMs_ = static_cast<DWORD>(std::stoul(w[1]));
        } else {
            throw Failure("unknown command");
        }
    }

    // Fails when a started program is still running, and ends it.
    void Finish() {
        for (const Program& p : programs_)
            if (::WaitForSingleObject(p.process, 0) == WAIT_TIMEOUT) {
                EndPrograms();
                throw Failure("a program was still running at the end");
            }
    }

    void EndPrograms() {
        for (const Program& p : programs_) {
            if (::WaitForSingleObject(p.process, 0) == WAIT_TIMEOUT) ::TerminateProcess(p.process, 99);
            ::CloseHandle(p.process);
        }
        programs_.clear();
    }

private:
    // Polls get until it gives something, for the timeout at most.
    template <class Get>
    auto Until(const std::string& what, Get get) -> decltype(get()) {
        const DWORD start = ::GetTickCount();
        for (;;) {
            if (auto got = get()) return got;
            if (::GetTickCount() - start > timeoutMs_) throw Failure("no " + what + " within " + std::to_string(timeoutMs_) + " ms");
            ::Sleep(20);
        }
    }
    // Waits until check holds; fails with what it last saw.
    template <class Check>
    void Expect(const std::string& what, Check check) {
        std::string seen;
        const DWORD start = ::GetTickCount();
        while (!check(seen)) {
            if (::GetTickCount() - start > timeoutMs_) throw Failure("expected " + what + ", saw " + seen);
            ::Sleep(20);
        }
    }

    bool Ours(HWND hwnd) const {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        return programs_.empty() || pid == programs_.back().id;
    }

    // The first top-level window of the program that matches, or nullptr.
    struct Search {
        Driver* self;
        const std::function<bool(HWND)>* match;
        HWND found;
    };
    HWND FindTop(const std::function<bool(HWND)>& match) {
        Search s{this, &match, nullptr};
        ::EnumWindows(&Driver::Visit, reinterpret_cast<LPARAM>(&s));
        return s.found;
    }
    static BOOL CALLBACK Visit(HWND hwnd, LPARAM p) {
        auto& s = *reinterpret_cast<Search*>(p);
        if (!s.self->Ours(hwnd) || !(*s.match)(hwnd)) return TRUE;
        s.found = hwnd;
        return FALSE;
    }

    // The top-level window of the form (visible ones only, when asked), or nullptr.
    HWND Form(const std::string& name, bool visible) {
        return FindTop([&](HWND hwnd) { return ClassOf(hwnd) == name && (!visible || ::IsWindowVisible(hwnd)); });
    }

    // The program's dialog box: a message box (it has the text control 0xFFFF) or another.
    HWND Dialog(bool messageBox) {
        return FindTop([&](HWND hwnd) {
            return ClassOf(hwnd) == "#32770" && ::IsWindowVisible(hwnd) &&
                   (::GetDlgItem(hwnd, 0xFFFF) != nullptr) == messageBox;
        });
    }

    HWND Current() const {
        if (current_ == nullptr || !::IsWindow(current_)) throw Failure("no current window (see `window`)");
        return current_;
    }

    // A control's or menu item's id, from the name the window publishes.
    int Id(const std::string& name) {
        if (!name.empty() && name[0] == '#') return std::stoi(name.substr(1), nullptr, 0);
        HWND form = Current();
        const std::string key = "vm:" + name;
        return static_cast<int>(reinterpret_cast<INT_PTR>(
            Until("control or menu item " + name, [&] { return ::GetPropA(form, key.c_str()); })));
    }

    HWND Control(const std::string& name) {
        const int id = Id(name);
        return Until("control " + name, [&] { return ::GetDlgItem(Current(), id); });
    }

    LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs_, &result))
            throw Failure("the window did not answer message " + std::to_string(msg));
        return static_cast<LRESULT>(result);
    }

    std::string Text(HWND hwnd) {
        std::string text(static_cast<std::size_t>(Send(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
        text.resize(static_cast<std::size_t>(Send(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }

    void Start(const Words& w, bool raw = false) {
        std::string commandLine = Quoted(WindowsPath(w[1]));
        for (std::size_t i = 2; i < w.size(); ++i) commandLine += " " + (raw ? w[i] : Quoted(w[i]));
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            throw Failure("cannot start " + commandLine + " (error " + std::to_string(::GetLastError()) + ")");
        ::CloseHandle(pi.hThread);
        programs_.push_back({pi.hProcess, pi.dwProcessId});
    }

    void WaitExit(std::optional<long> code) {
        if (programs_.empty()) throw Failure("no program was started");
        HANDLE process = programs_.back().process;
        if (::WaitForSingleObject(process, timeoutMs_) != WAIT_OBJECT_0) throw Failure("the program did not end");
        DWORD exit = 0;
        ::GetExitCodeProcess(process, &exit);
        ::CloseHandle(process);
        programs_.pop_back();
        if (code && static_cast<long>(exit) != *code)
            throw Failure("the program ended with " + std::to_string(exit) + ", not " + std::to_string(*code));
    }

    void Keys(const std::string& text) {
        const auto keys = ui::ParseShortcut(text);
        if (!keys) throw Failure("unreadable keys " + text);
        ::SetForegroundWindow(Current());
        std::vector<WORD> down;
        if (keys->ctrl) down.push_back(VK_CONTROL);
        if (keys->shift) down.push_back(VK_SHIFT);
        if (keys->alt) down.push_back(VK_MENU);
        down.push_back(keys->key);
        std::vector<INPUT> inputs;
        for (WORD vk : down) inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {vk, 0, 0, 0, 0}}});
        for (auto it = down.rbegin(); it != down.rend(); ++it)
            inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {*it, 0, KEYEVENTF_KEYUP, 0, 0}}});
        ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    void Type(HWND control, const std::string& text) {
        HWND edit = ClassOf(control) == "ComboBox" ? ::FindWindowExA(control, nullptr, "Edit", nullptr) : control;
        if (edit == nullptr || ClassOf(edit) != "Edit") throw Failure("no text can be typed there");
        ::PostMessageA(edit, EM_SETSEL, 0, -1);
        if (text.empty()) ::PostMessageA(edit, WM_CHAR, VK_BACK, 1);
        for (char c : text) ::PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
        if (::GetWindowLongA(edit, GWL_STYLE) & ES_PASSWORD) return;  // its text cannot be read back
        Expect("the text \"" + text + "\"", [&](std::string& seen) { return (seen = Text(edit)) == text; });
    }

    // Selects the entry quietly (CB_SETCURSEL raises no event), then tells the window as a pick by
    // the user would. An entry given by its text is found by selecting each in turn and reading
    // the box's text: Wine does not pass CB_GETLBTEXT between processes in ANSI.
    void Pick(HWND combo, const std::string& entry) {
        const auto count = static_cast<int>(Send(combo, CB_GETCOUNT, 0, 0));
        int index = -1;
        for (int i = 0; i < count && index < 0; ++i) {
            Send(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
            if (Text(combo) == entry) index = i;
        }
        if (index < 0 && !entry.empty() && entry.find_first_not_of("0123456789") == std::string::npos)
            index = std::stoi(entry);
        if (index < 0 || index >= count) throw Failure("no entry " + entry);
        Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::PostMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
    }

    void Answer(const Words& w) {
        static const std::map<std::string, int> buttons = {{"ok", IDOK},       {"cancel", IDCANCEL}, {"yes", IDYES},
                                                           {"no", IDNO},       {"abort", IDABORT},   {"retry", IDRETRY},
                                                           {"ignore", IDIGNORE}};
        auto button = buttons.find(w[1]);
        if (button == buttons.end()) throw Failure("no button " + w[1]);
        HWND box = Until("message box", [&] { return Dialog(true); });
        const std::string text = Text(::GetDlgItem(box, 0xFFFF));
        std::printf("message box: %s\n", platform::Cp1252ToUtf8(text).c_str());
        for (std::size_t i = 2; i < w.size(); ++i) {
            if (w[i].rfind("text=", 0) == 0 && text != w[i].substr(5))
                throw Failure("the message box says \"" + text + "\"");
            if (w[i].rfind("owner=", 0) == 0) {
                HWND owner = ::GetWindow(box, GW_OWNER);
                const std::string form = owner ? ClassOf(owner) : "no window";
                if (form != w[i].substr(6)) throw Failure("the message box belongs to " + form);
            }
        }
        Press(box, button->second);
    }

    void ChooseFile(const std::string& path) {
        HWND dialog = Until("file dialog", [&] { return Dialog(false); });
        if (path != "cancel") {
            HWND name = ::GetDlgItem(dialog, 0x47C);  // the name box: a combo box, or an edit field
            if (name == nullptr) name = ::GetDlgItem(dialog, 0x480);
            if (name == nullptr) throw Failure("the file dialog has no name box");
            const std::string file = WindowsPath(path);
            Send(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
        }
        Press(dialog, path == "cancel" ? IDCANCEL : IDOK);
    }

    // Presses a dialog's button and waits until the dialog is gone.
    void Press(HWND dialog, int id) {
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
        Expect("the box to close", [&](std::string& seen) {
            seen = "it open";
            return !::IsWindow(dialog) || !::IsWindowVisible(dialog);
        });
    }

    void Expect(const Words& w) {
        const std::string& what = w[1];
        if (what == "form") {
            if (w.size() < 4) throw Failure("expect form FORM enabled|disabled|gone");
            Expect(w[2] + " " + w[3], [&](std::string& seen) {
                HWND form = Form(w[2], false);
                seen = !form ? "gone" : ::IsWindowEnabled(form) ? "enabled" : "disabled";
                return seen == w[3];
            });
            return;
        }
        if (what == "requests" || what == "records") {
            ExpectRequests(w[2], Words(w.begin() + 3, w.end()), what == "records");
            return;
        }
        if (what == "file") {
            ExpectFile(w[2], w.size() > 3 ? std::optional<std::string>(w[3]) : std::nullopt);
            return;
        }
        if (what == "processes") {
            ExpectProcesses(w[2], Words(w.begin() + 3, w.end()));
            return;
        }
        if (what == "absent") {
            Expect("no " + w[2], [&](std::string& seen) {
                seen = "it";
                return ::GetFileAttributesA(WindowsPath(w[2]).c_str()) == INVALID_FILE_ATTRIBUTES;
            });
            return;
        }
        HWND c = Control(w[2]);
        if (what == "text") {
            if (w.size() < 4) throw Failure("expect text CONTROL TEXT");
            Expect(Quoted(w[3]), [&](std::string& seen) {
                const std::string text = Text(c);
                seen = Quoted(text);
                return text == w[3];
            });
        } else if (what == "enabled" || what == "disabled") {
            Expect(what, [&](std::string& seen) { return (seen = ::IsWindowEnabled(c) ? "enabled" : "disabled") == what; });
        } else if (what == "visible" || what == "hidden") {
            Expect(what, [&](std::string& seen) { return (seen = ::IsWindowVisible(c) ? "visible" : "hidden") == what; });
        } else if (what == "covered" || what == "uncovered") {
            Expect(what, [&](std::string& seen) {
                RECT r;
                ::GetWindowRect(c, &r);
                HWND at = ::WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
                seen = at != nullptr && at != c && !::IsChild(c, at) ? "covered" : "uncovered";
                return seen == what;
            });
        } else if (what == "checked" || what == "selected") {
            if (w.size() < 4) throw Failure("expect " + what + " CONTROL VALUE");
            const UINT msg = what == "checked" ? BM_GETCHECK : CB_GETCURSEL;
            Expect(what + " " + w[3],
                   [&](std::string& seen) { return (seen = std::to_string(static_cast<int>(Send(c, msg, 0, 0)))) == w[3]; });
        } else if (what == "color") {
            if (w.size() < 6) throw Failure("expect color CONTROL X Y 0xBBGGRR");
            ExpectColor(c, std::stoi(w[3]), std::stoi(w[4]), static_cast<COLORREF>(std::stoul(w[5], nullptr, 16)));
        } else {
            throw Failure("cannot expect " + what);
        }
    }

    // The targets the server received, or with records only its result records, unscrambled.
    std::optional<Words> Received(const std::string& server, bool records) {
        auto targets = RecordedRequests(server);
        if (!targets || !records) return targets;
        Words out;
        for (const std::string& t : *targets)
            if (auto record = ResultRecord(t)) out.push_back(*record);
        return out;
    }

    void ExpectRequests(const std::string& server, const Words& pattern, bool records) {
        std::string wanted;
        for (const std::string& word : pattern) wanted += " " + word;
        Expect(std::string(records ? "the records" : "the requests") + wanted, [&](std::string& seen) {
            const auto received = Received(server, records);
            if (!received) {
                seen = "no answer from " + server;
                return false;
            }
            seen = received->empty() ? "none" : "";
            for (const std::string& t : *received) seen += " " + t;
            return RequestsMatch(*received, pattern);
        });
        if (!ResetRequests(server)) throw Failure("cannot empty the record of " + server);
    }

    void PrintRequests(const std::string& server) {
        const auto targets = RecordedRequests(server);
        if (!targets) throw Failure("no answer from " + server);
        for (const std::string& t : *targets) {
            std::printf("%s\n", t.c_str());
            if (auto record = ResultRecord(t)) std::printf("    record: %s\n", DescribeRecord(*record).c_str());
        }
    }

    // The file at the path, the newest that matches when its last part holds wildcards.
    static std::optional<std::string> FindFile(const std::string& path) {
        const std::string windows = WindowsPath(path);
        if (windows.find_first_of("*?") == std::string::npos) return windows;
        WIN32_FIND_DATAA found;
        HANDLE search = ::FindFirstFileA(windows.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return std::nullopt;
        std::optional<std::string> newest;
        FILETIME newestTime{};
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                (!newest || ::CompareFileTime(&found.ftLastWriteTime, &newestTime) > 0)) {
                newest = windows.substr(0, windows.find_last_of('\\') + 1) + found.cFileName;
                newestTime = found.ftLastWriteTime;
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
        return newest;
    }

    void ExpectFile(const std::string& path, const std::optional<std::string>& line) {
        Expect(path + (line ? " with the line " + Quoted(*line) : " there"), [&](std::string& seen) {
            const auto file = FindFile(path);
            if (!file || ::GetFileAttributesA(file->c_str()) == INVALID_FILE_ATTRIBUTES) {
                seen = "no such file";
                return false;
            }
            seen = "it there";
            if (!line) return true;
            std::ifstream in(*file, std::ios::binary);
            seen = "the lines:";
            for (std::string l; std::getline(in, l);) {
                if (!l.empty() && l.back() == '\r') l.pop_back();
                if (platform::WildcardMatch(*line, l)) return true;
                seen.append(" ").append(Quoted(l));
            }
            return false;
        });
    }

    // Each NAME=N of the checks holds for the processes of exe; the started and most-alive counts,
    // which only grow, fail at once when above N.
    void ExpectProcesses(const std::string& exe, const Words& checks) {
        struct Check {
            std::string name;
            int ProcessWatch::Counts::*count;
            bool grows;
        };
        static const Check kChecks[] = {{"started", &ProcessWatch::Counts::started, true},
                                        {"most-alive", &ProcessWatch::Counts::mostAlive, true},
                                        {"alive", &ProcessWatch::Counts::alive, false}};
        std::vector<std::pair<const Check*, int>> wanted;
        std::string text;
        for (const std::string& word : checks) {
            text += " " + word;
            const auto eq = word.find('=');
            const auto check = std::find_if(std::begin(kChecks), std::end(kChecks),
                                            [&](const Check& c) { return word.substr(0, eq) == c.name; });
            if (eq == std::string::npos || check == std::end(kChecks) ||
                word.find_first_not_of("0123456789", eq + 1) != std::string::npos || eq + 1 == word.size())
                throw Failure("expect processes EXE [started=N] [most-alive=N] [alive=N], not " + word);
            wanted.emplace_back(check, std::stoi(word.substr(eq + 1)));
        }
        Expect("the processes of " + exe + text, [&](std::string& seen) {
            const auto counts = processes_.CountsOf(exe);
            if (!counts) throw Failure("no watch-processes " + exe);
            seen = "started=" + std::to_string(counts->started) + " most-alive=" + std::to_string(counts->mostAlive) +
                   " alive=" + std::to_string(counts->alive);
            bool holds = true;
            for (const auto& [check, n] : wanted) {
                const int got = (*counts).*(check->count);
                if (check->grows && got > n)
                    throw Failure("expected " + check->name + "=" + std::to_string(n) + ", saw " + seen);
                holds = holds && got == n;
            }
            return holds;
        });
    }

    // Lets the program paint what it was last told to.
    void Settle() {
        if (!programs_.empty()) ::WaitForInputIdle(programs_.back().process, timeoutMs_);
        ::Sleep(300);
    }

    void ExpectColor(HWND control, int x, int y, COLORREF want) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%06lX", static_cast<unsigned long>(want));
        Expect(std::string("colour ") + hex, [&](std::string& seen) {
            RECT r;
            ::GetWindowRect(control, &r);
            const int sx = x >= 0 ? r.left + x : r.right + x, sy = y >= 0 ? r.top + y : r.bottom + y;
            HDC screen = ::GetDC(nullptr);
            const COLORREF got = ::GetPixel(screen, sx, sy);
            ::ReleaseDC(nullptr, screen);
            char text[16];
            std::snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(got));
            seen = text;
            return got == want;
        });
    }

    struct Program {
        HANDLE process;
        DWORD id;
    };
    std::vector<Program> programs_;  // started and not yet waited for; the last one is looked at
    ProcessWatch processes_;
    HWND current_ = nullptr;
    DWORD timeoutMs_ = 10000;
};

int Usage() {
    std::fprintf(stderr, "usage: testdriver [--set NAME=VALUE]... (SCRIPT | -c COMMAND [-c COMMAND]...)\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> vars;
    std::vector<std::pair<int, std::string>> lines;  // line number, text
    std::string script;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--set" && i + 1 < argc) {
            const std::string pair = argv[++i];
            const auto eq = pair.find('=');
            if (eq == std::string::npos) return Usage();
            vars[pair.substr(0, eq)] = pair.substr(eq + 1);
        } else if (arg == "-c" && i + 1 < argc) {
            lines.emplace_back(static_cast<int>(lines.size()) + 1, argv[++i]);
        } else if (script.empty() && arg[0] != '-') {
            script = arg;
        } else {
            return Usage();
        }
    }
    if (!script.empty()) {
        std::ifstream in(WindowsPath(script));
        if (!in) {
            std::fprintf(stderr, "testdriver: cannot read %s\n", script.c_str());
            return 2;
        }
        std::string line;
        for (int n = 1; std::getline(in, line); ++n) lines.emplace_back(n, line);
    }
    if (lines.empty()) return Usage();

    Driver driver;
    int number = 0;
    std::string current;
    try {
        for (auto& [n, line] : lines) {
            number = n;
            current = line;
            const Words words = ScriptWords(line, vars);
            if (words.empty() || words[0][0] == '#') continue;
            driver.Run(words);
        }
        number = 0;
        driver.Finish();
    } catch (const std::exception& e) {
        if (number > 0) std::fprintf(stderr, "testdriver: line %d: %s: %s\n", number, current.c_str(), e.what());
        else std::fprintf(stderr, "testdriver: %s\n", e.what());
        driver.EndPrograms();
        return 1;
    }
    std::printf("testdriver: all commands passed\n");
    return 0;
}
