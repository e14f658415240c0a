// The in-car camera of the chosen car as the camera editor holds it, and the splitting of a
// text at several delimiters that takes a camera position apart.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "services/ProgramState.h"

namespace vm {

struct CameraSettings {
    std::string section;  // the section edited: always "Cam_internal"
    double fov = 0;
    double posX = 0, posY = 0, posZ = 0;
    double targetX = 0, targetY = 0, targetZ = 0;
    double near = 0;
    bool wheel = false;  // true exactly when the file's steering-wheel switch reads "false"
};

inline ProgramWide<CameraSettings> gCamera;

// A number of the camera file or of the step field in the user's form: every "." becomes the
// settings' decimal separator, then the text is read with the regional one. Nothing when the
// text is no number.
std::optional<double> ReadCameraNumber(const std::string& text);
// A number as the windows show it, with the regional decimal separator.
std::string ShowCameraNumber(double value);
// Numbers as shown above, as the camera file holds them: every settings' decimal separator
// made a ".".
std::string CameraFileText(const std::string& shown);

}  // namespace vm

namespace gFunc {

// The parts of text between the delimiters (all but the last of the list, which is not used):
// repeatedly, the delimiter that occurs first (the earlier one of the list on a tie) cuts off a
// part, which is trimmed of blanks, and the rest is trimmed too; the rest with no delimiter left
// is the last part, as it stands. The list ends with one empty element after the last part.
// "1  2" gives "1", "2", "".
std::vector<std::string> SplitMulti(std::string text, const std::vector<std::string>& delimiters);

}  // namespace gFunc
