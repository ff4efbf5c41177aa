// A fresh folder under /tmp for one test, removed with all it holds when the
// test ends. Entered, it is the current directory meanwhile, as the program's
// own files are found relative to it.
#pragma once

#include <string>

class TempFolder {
public:
    enum Mode { STAY, ENTER };

    explicit TempFolder(Mode mode = STAY);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }

    // Writes a file of `size` bytes 'x' in the folder and returns its path.
    std::string file(const char* name, std::size_t size) const;

private:
    std::string path_;
    std::string previous_;
};
