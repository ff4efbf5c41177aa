// The command line: what each good line sets, and the one-line reason that
// each bad one gives (which numbers are refused is the numbers' test's).
#include <gtest/gtest.h>

#include <vector>

#include "shell/options.h"

namespace {

CommandLine parse(std::vector<const char*> words, Options& options, std::string& error)
{
    words.insert(words.begin(), "pavon");
    return parse_options(static_cast<int>(words.size()), words.data(), options, error);
}

TEST(Options, GoodLines)
{
    Options o;
    std::string error;
    ASSERT_EQ(parse({"--speed", "1", "--scale=3", "--fullscreen", "--break", ">8000", "--break", "0x10",
                     "--watch", "65534", "--watch-vram", ">3800:>800", "--trace-from", "256", "--frames", "10",
                     "--headless", "--demo", "--input", "keys.txt", "--save-state=out.pvn", "--screenshot", "a.png",
                     "--rewind", "0", "--record", "keys.out"},
                    o, error),
              CommandLine::RUN)
        << error;
    EXPECT_EQ(o.speed, 1.0);
    EXPECT_EQ(o.scale, 3);
    EXPECT_TRUE(o.fullscreen && o.headless && o.demo);
    EXPECT_EQ(o.breaks, (std::vector<uint16_t>{0x8000, 0x10}));
    ASSERT_EQ(o.watches.size(), 1u);
    EXPECT_EQ(o.watches[0].start, 0xFFFE);
    EXPECT_EQ(o.watches[0].length, 2u);
    ASSERT_EQ(o.vram_watches.size(), 1u);
    EXPECT_EQ(o.vram_watches[0].start, 0x3800);
    EXPECT_EQ(o.vram_watches[0].length, 0x800u);
    EXPECT_EQ(o.trace_from, 256);
    EXPECT_EQ(o.frames, 10u);
    EXPECT_EQ(o.input, "keys.txt");
    EXPECT_EQ(o.save_state, "out.pvn");
    EXPECT_EQ(o.screenshot, "a.png");
    EXPECT_EQ(o.rewind_seconds, 0u);
    EXPECT_EQ(o.record, "keys.out");

    // Names and source lines wait for the program's symbols; a value is held big-endian.
    Options named;
    ASSERT_EQ(parse({"--break", "DRAW+2", "--trace-from", "main.asm:40", "--watch", "SCORE:1=100", "--watch",
                     ">F000=>1234", "--symbols", "out/pavon.dbg"},
                    named, error),
              CommandLine::RUN)
        << error;
    EXPECT_EQ(named.named_breaks, std::vector<std::string>{"DRAW+2"});
    EXPECT_EQ(named.trace_from_name, "main.asm:40");
    EXPECT_EQ(named.watches[0].named, "SCORE:1=100");
    EXPECT_EQ(named.watches[1].value, (std::vector<uint8_t>{0x12, 0x34}));
    EXPECT_EQ(named.symbols, "out/pavon.dbg");

    Options none;
    EXPECT_EQ(parse({}, none, error), CommandLine::RUN);
    EXPECT_EQ(none.speed, 0.0) << "unpaced without options";
    EXPECT_EQ(none.scale, 1);
    EXPECT_FALSE(none.demo) << "the images from the current folder";
    EXPECT_EQ(none.rewind_seconds, 60u);
    EXPECT_EQ(parse({"--speed", "max"}, none, error), CommandLine::RUN);
    EXPECT_EQ(parse({"--version"}, none, error), CommandLine::VERSION);
    EXPECT_EQ(parse({"--version", "-h"}, none, error), CommandLine::HELP);
}

TEST(Options, BadLines)
{
    struct Case {
        std::vector<const char*> words;
        const char* error;
    };
    const Case cases[] = {
        {{"--sped", "2"}, "unknown option --sped"},
        {{"ROM"}, "unexpected argument ROM"},
        {{"--scale"}, "--scale needs a value: N"},
        {{"--fullscreen=yes"}, "--fullscreen takes no value"},
        {{"--speed", "0"}, "--speed: '0' is not max or a speed from 0.01 to 100"},
        {{"--speed", "nan"}, "--speed: 'nan' is not max or a speed from 0.01 to 100"},
        {{"--speed", "1e300"}, "--speed: '1e300' is not max or a speed from 0.01 to 100"},
        {{"--speed", "2x"}, "--speed: '2x' is not max or a speed from 0.01 to 100"},
        {{"--scale", "9"}, "--scale: '9' is not a whole number from 1 to 8"},
        {{"--scale", "0"}, "--scale: '0' is not a whole number from 1 to 8"},
        {{"--frames", "0"}, "--frames: '0' is not a number of frames from 1 to 4294967295"},
        {{"--frames", "99999999999"}, "--frames: '99999999999' is not a number of frames from 1 to 4294967295"},
        {{"--break", ">10000"}, "--break: '>10000' is not an address from 0 to >FFFF"},
        {{"--watch", ">FFFF"}, "--watch: '>FFFF' runs past the end of memory"},
        {{"--watch", ">F000:0"}, "--watch: '0' is not a length of at least 1 byte"},
        {{"--watch-vram", ">4000"}, "--watch-vram: '>4000' is not an address from 0 to >3FFF"},
        {{"--watch", ">F000:1=256"}, "--watch: '256' is not a value that 1 byte holds"},
        {{"--watch", ">F000:9=0"}, "--watch: a watch's value covers at most 8 bytes, not 9"},
        {{"--trace", ""}, "--trace: needs a file name"},
        {{"--rewind", "-1"}, "--rewind: '-1' is not a number of seconds from 0 to 600"},
        {{"--rewind", "601"}, "--rewind: '601' is not a number of seconds from 0 to 600"},
        {{"--rewind", "1.5"}, "--rewind: '1.5' is not a number of seconds from 0 to 600"},
    };
    for (const Case& c : cases) {
        Options o;
        std::string error;
        EXPECT_EQ(parse(c.words, o, error), CommandLine::BAD) << c.error;
        EXPECT_EQ(error, c.error);
    }
}

}  // namespace
