// A window's design laid out soundly: every row inside the window, no two rows covering each
// other unless they are stacked by design.
#pragma once
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ui/Design.h"

namespace vmtest {

// Pairs of rows (by name, in the design's order) that overlap by design.
using StackedRows = std::set<std::pair<std::string, std::string>>;

// The rows that stand partly outside the window, and the pairs of rows that overlap and are not
// stacked.
inline std::vector<std::string> LayoutFaults(const ui::FormDesign& design, const StackedRows& stacked = {}) {
    std::vector<std::string> faults;
    const auto& rows = design.controls;
    auto label = [](const ui::ControlDesign& r) { return *r.name ? std::string(r.name) : '"' + std::string(r.caption) + '"'; };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ui::ControlDesign& a = rows[i];
        if (!(a.x >= 0 && a.y >= 0 && a.x + a.width <= design.width && a.y + a.height <= design.height))
            faults.push_back(label(a) + " lies outside the window");
        for (std::size_t j = i + 1; j < rows.size(); ++j) {
            const ui::ControlDesign& b = rows[j];
            if (ui::Overlap(a, b) && !stacked.count({a.name, b.name})) faults.push_back(label(a) + " covers " + label(b));
        }
    }
    return faults;
}

}  // namespace vmtest
