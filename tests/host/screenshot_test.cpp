// Screenshots: the PNG decodes to the exact picture in the palette's
// colours, names never reuse a file's, and a failure leaves no file.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "display/display.h"
#include "display/screenshot.h"
#include "host_machine.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

int colour_at(int x, int y)
{
    return (x / 7 + y / 5) % 16;
}

TEST(Screenshot, DecodesToThePicture)
{
    open_window();
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            put_pixel(g_surface, x, y, colour_at(x, y));
        }
    }
    TempFolder folder;
    const std::string path = folder.path() + "/shot.png";
    ASSERT_EQ(save_screenshot(path.c_str()), 0);

    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
    EXPECT_EQ(image.width, static_cast<unsigned>(SCREEN_WIDTH));
    EXPECT_EQ(image.height, static_cast<unsigned>(SCREEN_HEIGHT));
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> rgb(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) << image.message;
    int wrong = 0;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            const uint8_t* pixel = &rgb[static_cast<std::size_t>((y * SCREEN_WIDTH + x) * 3)];
            const PaletteColour& want = g_palette[static_cast<std::size_t>(colour_at(x, y))];
            wrong += pixel[0] != want.red || pixel[1] != want.green || pixel[2] != want.blue;
        }
    }
    EXPECT_EQ(wrong, 0);
}

unsigned number_of(const std::string& name)
{
    unsigned number = 0;
    EXPECT_EQ(std::sscanf(name.c_str(), "pavon-%4u.png", &number), 1) << name;
    return number;
}

TEST(Screenshot, NamesNeverReuseAFile)
{
    TempFolder folder(TempFolder::ENTER);
    const std::string first = next_screenshot_name();
    EXPECT_EQ(first.size(), std::string("pavon-0001.png").size());
    EXPECT_FALSE(fs::exists(first));
    char taken[32];
    for (unsigned n : {number_of(first) + 1, number_of(first) + 2}) {
        std::snprintf(taken, sizeof taken, "pavon-%04u.png", n);
        std::ofstream{taken};
    }
    EXPECT_EQ(number_of(next_screenshot_name()), number_of(first) + 3);
}

TEST(Screenshot, FailuresLeaveNoFile)
{
    TempFolder folder(TempFolder::ENTER);
    open_window();
    struct Case {
        const char* name;
        const char* path;
        bool window;
        const char* reason;
    };
    const Case cases[] = {
        {"a folder that does not exist", "missing/shot.png", true, "No such file or directory"},
        {"a folder in the file's place", "shot.png", true, "the name is taken by something that is not a writable file"},
        {"no window", "other.png", false, "there is no picture (no window)"},
    };
    fs::create_directory("shot.png");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SDL_Surface* window = g_surface;
        if (!c.window) {
            g_surface = nullptr;
        }
        testing::internal::CaptureStderr();
        EXPECT_EQ(save_screenshot(c.path), -1);
        g_surface = window;
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  std::string("pavon: screenshot ") + c.path + " not written: " + c.reason + "\n");
    }
    std::vector<fs::path> left;
    for (const auto& entry : fs::directory_iterator(".")) {
        left.push_back(entry.path().filename());
    }
    EXPECT_EQ(left, std::vector<fs::path>{"shot.png"});
}

}  // namespace
