// The connect window: the client's start-up with its installation checks, then the driver's
// log-in with the choice of car class, car and tyres, in an event or in free practice. One
// instance per program; start-up runs as its load handler.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "ui/Design.h"
#include "ui/Form.h"

class foConnect : public ui::Form {
public:
    // The command line that switches testing mode on ("» tarokuna!" in the Windows code page).
    static constexpr const char* kTestingCode = "\xBB tarokuna!";
    // The name under which a running client claims to be the only copy.
    static constexpr const char* kOnlyCopyClaim = "Velomark.exe only copy";
    // The exit code of a start-up that refused to go on.
    static constexpr int kStartRefused = 1;

    // The program's connect window.
    static foConnect& Instance();

    foConnect();

    ui::TextBox nicknameTXT{"nicknameTXT"}, edUserPwd{"edUserPwd"}, edPwd{"edPwd"};
    ui::ControlArray<ui::PushButton> cmdCat{"cmdCat", 1, 10};
    ui::ComboBox cmbCar{"cmbCar"};
    ui::ControlArray<ui::OptionButton> optTyre{"optTyre", 0, 1};
    ui::PushButton connectCMD{"connectCMD"};
    // The captions beside the fields.
    ui::Label laNickname{"laNickname"}, laUserPwd{"laUserPwd"}, laCat{"laCat"}, laCar{"laCar"}, laTyre{"laTyre"},
        laPwd{"laPwd"}, laPwdHint{"laPwdHint"};

    // The window's design (client/foConnectDesign.cpp).
    static const ui::FormDesign& DesignTable();

    // Start-up: refuses a second copy, opens the run log, reads the testing switch, loads the
    // main window hidden, the settings and the catalogues, then runs the start checks. A failed
    // check shows its message and ends the program.
    void Form_Load();
    // Before the log-in has handed over to the main window (loaded but hidden), closing this
    // window ends the program.
    void Form_Unload(int& cancel);
    void cmdCat_Click(int index);
    void cmbCar_Click();
    void optTyre_Click(int index);
    void edPwd_Change();
    // The log-in: saves the choices and, with an event password, sets the clock from the
    // server, reads the start rank and the roadbook and registers the driver; then hands over
    // to the main window, or asks again.
    void connectCMD_Click();

private:
    void RunStartChecks();
    void FillCarList(std::int16_t category);
    // Shows a start-up failure, closes the window and ends the program.
    void RefuseStart(const std::string& message);
    // The requests of an event log-in; gives the registration's reply, or nothing when the
    // request failed, and the registration's address.
    std::optional<std::string> AskEventServer(std::string& registration);

    ui::OptionGroup tyreOptions_;
    bool refusing_ = false;  // a start check failed: the program ends with its own code
};
