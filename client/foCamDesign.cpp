// The camera editor's design: the field of view and the near distance with a button either
// side, the position and the target with their three values over a row of six moves, then the
// steering-wheel box and the step, and the two buttons at the bottom right.
#include <algorithm>
#include <array>

#include "client/foCam.h"

namespace {

using ui::ControlDesign;
using ui::Kind;

constexpr int kLabelX = 12, kLabelWidth = 100, kFieldX = 120;
constexpr int kMoveWidth = 44, kMoveGap = 4, kMoveHeight = 24;

constexpr ControlDesign Caption(int y, const char* text) { return {"", Kind::Label, kLabelX, y + 3, kLabelWidth, 17, text}; }
// The k-th button of a row of moves.
constexpr ControlDesign Move(const char* name, int k, int y, const char* caption) {
    return {name, Kind::PushButton, kFieldX + k * (kMoveWidth + kMoveGap), y, kMoveWidth, kMoveHeight, caption};
}

// A point (position or target) at y: its caption and three values, and below them its moves
// in the order X-, X+, Y-, Y+, Z-, Z+.
constexpr std::array<ControlDesign, 10> Point(int y, const char* caption, std::array<const char*, 3> values,
                                              std::array<const char*, 6> moves) {
    constexpr const char* kMoves[] = {"X-", "X+", "Y-", "Y+", "Z-", "Z+"};
    std::array<ControlDesign, 10> rows{Caption(y, caption)};
    for (int k = 0; k < 3; ++k) rows[1 + k] = {values[k], Kind::Label, kFieldX + k * 96, y + 3, 88, 17};
    for (int k = 0; k < 6; ++k) rows[4 + k] = Move(moves[k], k, y + 24, kMoves[k]);
    return rows;
}

template <std::size_t... N>
constexpr auto Join(const std::array<ControlDesign, N>&... parts) {
    std::array<ControlDesign, (N + ...)> rows{};
    std::size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), rows.begin() + at), at += N), ...);
    return rows;
}

constexpr auto kControls = Join(
    std::array{
        Caption(12, "Field of view:"),
        Move("buFov(0)", 0, 12, "-"),
        ControlDesign{"laFov", Kind::Label, kFieldX + kMoveWidth + 8, 15, 88, 17},
        Move("buFov(1)", 3, 12, "+"),
        Caption(44, "Near:"),
        Move("buNear(0)", 0, 44, "-"),
        ControlDesign{"laNear", Kind::Label, kFieldX + kMoveWidth + 8, 47, 88, 17},
        Move("buNear(1)", 3, 44, "+"),
    },
    Point(82, "Position:", {"laPos(0)", "laPos(1)", "laPos(2)"},
          {"buPos(1)", "buPos(3)", "buPos(2)", "buPos(0)", "buPos(4)", "buPos(5)"}),
    Point(144, "Target:", {"laTarget(0)", "laTarget(1)", "laTarget(2)"},
          {"buTarget(1)", "buTarget(3)", "buTarget(2)", "buTarget(0)", "buTarget(4)", "buTarget(5)"}),
    std::array{
        ControlDesign{"cbWheel", Kind::CheckBox, kLabelX, 208, 140, 20, "Steering Wheel"},
        ControlDesign{"", Kind::Label, 220, 211, 40, 17, "Step:"},
        ControlDesign{"edStep", Kind::TextBox, 264, 208, 92, 23},
        ControlDesign{"save", Kind::PushButton, 168, 248, 92, 28, "Save"},
        ControlDesign{"buClose", Kind::PushButton, 264, 248, 92, 28, "Close"},
    });

}  // namespace

const ui::FormDesign& foCam::DesignTable() {
    static const ui::FormDesign design{kFieldX + 6 * kMoveWidth + 5 * kMoveGap + 12, 288, false, kControls};
    return design;
}
