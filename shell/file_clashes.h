// The files a run reads and writes, one row each. Before the machine starts
// every output is compared with every other output and with every input, so
// that no output replaces another one or a file the run reads.
#pragma once

#include <string>
#include <vector>

#include "shell/options.h"

enum class FileUse { INPUT, OUTPUT };

struct RunFile {
    std::string name;       // the option, or what the file is
    std::string path;       // empty: not used in this run
    FileUse use;
    std::string may_share;  // the one output that may be this very file
};

// The run's files as the options and the program name them.
std::vector<RunFile> run_files(const Options& options);

// The first two files that are one, as a line naming both; empty when no
// two are.
std::string find_file_clash(const std::vector<RunFile>& files);
