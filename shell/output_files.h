// The files a scripted run writes at its end, replaced whole or not at all
// (platform/atomic_file.h): a run that fails leaves nothing under the final
// name.
#pragma once

#include <cstddef>
#include <string>

// Whether a file can be written at `path`: its temporary file is created
// and removed again. False with the reason in `error`.
bool output_path_writable(const std::string& path, std::string& error);

// The trace: opened under a temporary name, written through a large buffer,
// renamed to `path` by trace_file_close. False with the reason in `error`.
bool trace_file_open(const std::string& path, std::string& error);
void trace_file_write(const char* text, std::size_t length);

// Writes what is buffered and gives the file its final name; on any failure
// (including an earlier failed write) removes it and says why.
bool trace_file_close(std::string& error);
