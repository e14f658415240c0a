// The camera editor: the in-car camera of the chosen car (field of view, position, target,
// near distance, steering wheel) read from the car's INI file, moved by a step the driver sets,
// and written back on save. Shown modally from the main window.
#pragma once
#include <string>

#include "ui/Design.h"
#include "ui/Form.h"

class foCam : public ui::Form {
public:
    foCam();

    ui::Label laFov{"laFov"}, laNear{"laNear"};
    ui::ControlArray<ui::Label> laPos{"laPos", 0, 2}, laTarget{"laTarget", 0, 2};
    ui::CheckBox cbWheel{"cbWheel"};
    ui::TextBox edStep{"edStep"};
    // Moves of position and target: 0 y+, 1 x-, 2 y-, 3 x+, 4 z-, 5 z+; of the field of view and
    // the near distance: 0 down, 1 up.
    ui::ControlArray<ui::PushButton> buPos{"buPos", 0, 5}, buTarget{"buTarget", 0, 5};
    ui::ControlArray<ui::PushButton> buFov{"buFov", 0, 1}, buNear{"buNear", 0, 1};
    ui::PushButton save{"save"}, buClose{"buClose"};

    // The window's design (client/foCamDesign.cpp).
    static const ui::FormDesign& DesignTable();

    void Form_Load();
    // Reads the section's camera and the steering-wheel switch into gCamera, shows the step
    // and the values. A value that is missing or no number keeps the one gCamera had.
    void LoadCamera(const std::string& section);
    void ShowCamera();
    // Points gIniFile at the chosen car's INI file in the host folder and makes it writable.
    void SetCameraFile();
    // Writes gCamera into the section and the check box into the steering-wheel switch.
    void SaveCamera(const std::string& section);
    void save_Click();
    void buPos_Click(int index);
    void buTarget_Click(int index);
    void buFov_Click(int index);
    void buNear_Click(int index);
    // gCamera keeps the box's state, so that showing the values again does not undo a click.
    void cbWheel_Click();
    // The step follows the field while it holds a number.
    void edStep_Change();
    void buClose_Click();
    // Saves the client's settings, the step among them.
    void Form_Unload(int& cancel);
};
