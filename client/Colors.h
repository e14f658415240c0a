// The colours the client's windows paint (Windows RGB values, 0x00BBGGRR).
#pragma once
#include "ui/Controls.h"

namespace client {

inline constexpr ui::Color kBlack = 0x000000;
inline constexpr ui::Color kWhite = 0xFFFFFF;

// The back colours of the push buttons.
inline constexpr ui::Color kChosen = 0x00FFFF;     // the chosen car class, the next SS: yellow
inline constexpr ui::Color kUsed = 0xC0C0C0;       // an SS already picked: grey
inline constexpr ui::Color kPlain = kWhite;        // any other class button
inline constexpr ui::Color kPlainOver = 0xE0E0E0;  // ... while the pointer is over it: light grey

// Paints the car-class buttons white and the chosen one yellow.
inline void MarkChosenClass(const ui::ControlArray<ui::PushButton>& classButtons, int chosen) {
    classButtons.ForEach([](int, ui::PushButton& b) {
        b.SetBackcolor(kPlain);
        b.SetBackover(kPlainOver);
    });
    classButtons[chosen].SetBackcolor(kChosen);
}

}  // namespace client
