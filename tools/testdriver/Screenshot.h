// The screen as a person sees it, for the test driver.
#pragma once
#include <string>

// Writes the whole screen to a PNG file. Returns an empty text on success, else why it failed.
std::string SaveScreenshot(const std::string& file);
