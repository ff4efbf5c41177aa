// Screenshots: the window's 256 by 192 picture as a PNG file, in the
// palette's own colours (the 16-bit surface holds them less exactly).
#pragma once

#include <string>

// Writes the picture to `path`, replacing the file whole or not at all.
// 0 on success; -1, after one line on standard error saying why, when there
// is no picture or the file cannot be written.
int save_screenshot(const char* path);

// The first name of pavon-0001.png, pavon-0002.png, ... that no file in the
// current folder has, counting on from the last one this program chose.
std::string next_screenshot_name();
