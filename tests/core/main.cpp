// Runs the tests of the layers below the host: no SDL, no window. The
// machine's two output channels go to standard output and standard error,
// as the program connects them, so that tests can read what it prints.
#include <gtest/gtest.h>

#include <cstdio>

#include "machine/messages.h"

namespace {

void to_stdout(const char* text)
{
    std::fputs(text, stdout);
    std::fflush(stdout);
}

void to_stderr(const char* text)
{
    std::fputs(text, stderr);
}

}  // namespace

int main(int argc, char** argv)
{
    g_machine_output = {to_stdout, to_stderr};
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
