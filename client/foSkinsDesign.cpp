// The skin chooser's design: the list across the top and the preview below it, as wide as the
// list; both take the preview's size once a picture is loaded.
#include <array>

#include "client/foSkins.h"

namespace {

using ui::ControlDesign;
using ui::Kind;

constexpr int kWidth = 320, kListHeight = 23, kPictureHeight = 240;

constexpr std::array kControls = {
    ControlDesign{"cmbSkin", Kind::ComboList, 0, 0, kWidth, kListHeight},
    ControlDesign{"imSkin", Kind::Image, 0, kListHeight + 1, kWidth, kPictureHeight},
};

}  // namespace

const ui::FormDesign& foSkins::DesignTable() {
    static const ui::FormDesign design{kWidth, kListHeight + 1 + kPictureHeight, false, kControls};
    return design;
}
