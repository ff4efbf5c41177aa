// The machine's two output channels: each text arrives whole on the channel
// it belongs to, an over-long one is cut inside its buffer, and nothing is
// sent while the host has not connected a channel.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machine/messages.h"

namespace {

std::vector<std::string> g_messages;
std::vector<std::string> g_diagnostics;

void keep_message(const char* text) { g_messages.emplace_back(text); }
void keep_diagnostic(const char* text) { g_diagnostics.emplace_back(text); }

TEST(MachineMessages, EachChannelGetsItsOwnTextsWhole)
{
    const MachineOutput connected = g_machine_output;
    g_messages.clear();
    g_diagnostics.clear();
    g_machine_output = {keep_message, keep_diagnostic};
    const std::string long_text(1000, 'z');

    machine_message("CPU created....\n WP is 0x%x, PC is 0x%x.\n", 0xF000, 0x100);
    machine_diagnostic("Write to ROM address 0x%x at PC=0x%04x.\n", 0x100, 0x20);
    machine_diagnostic("%s", long_text.c_str());
    g_machine_output = {nullptr, nullptr};
    machine_message("dropped");
    machine_diagnostic("dropped");
    g_machine_output = connected;

    EXPECT_EQ(g_messages, std::vector<std::string>{"CPU created....\n WP is 0xf000, PC is 0x100.\n"});
    EXPECT_EQ(g_diagnostics, (std::vector<std::string>{"Write to ROM address 0x100 at PC=0x0020.\n",
                                                        long_text.substr(0, MACHINE_LINE_SIZE - 1)}));
}

}  // namespace
