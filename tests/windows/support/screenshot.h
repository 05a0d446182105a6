// Screenshots of the whole screen as 24-bit BMP files, for looking at the window by hand.
// The files go to the folder named by VELMORA_SCREENSHOT_DIR (set by the test's registration);
// `convert shot.bmp shot.png` (ImageMagick) turns one into PNG.
#pragma once
#include <string>

namespace rig {

// Captures the screen into <VELMORA_SCREENSHOT_DIR>\<name>.bmp; false (with `error`) on failure.
bool saveScreenshot(const std::string& name, std::string& error);

}  // namespace rig
