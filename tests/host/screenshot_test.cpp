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
#include "hostile_paths.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(Screenshot, DecodesToThePicture)
{
    open_window();
    std::vector<uint8_t> expected;
    for (int y = 0; y < SCREEN_HEIGHT; ++y) {
        for (int x = 0; x < SCREEN_WIDTH; ++x) {
            const int colour = (x / 7 + y / 5) % 16;
            put_pixel(g_surface, x, y, colour);
            const PaletteColour& c = g_palette[static_cast<std::size_t>(colour)];
            expected.insert(expected.end(), {c.red, c.green, c.blue});
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
    EXPECT_EQ(rgb, expected);
}

std::string name(int number)
{
    char text[32];
    std::snprintf(text, sizeof text, "pavon-%04d.png", number);
    return text;
}

TEST(Screenshot, NamesNeverReuseAFile)
{
    TempFolder folder(TempFolder::ENTER);
    const int first = std::stoi(next_screenshot_name().substr(6, 4));
    std::ofstream{name(first + 1)};
    std::ofstream{name(first + 2)};
    EXPECT_EQ(next_screenshot_name(), name(first + 3));
}

TEST(Screenshot, FailuresLeaveNoFile)
{
    TempFolder folder(TempFolder::ENTER);
    open_window();
    const struct {
        const char* path;
        bool window;
        const char* reason;
    } cases[] = {
        {"missing/shot.png", true, "No such file or directory"},
        {"shot.png", true, "the name is taken by something that is not a writable file"},  // a folder
        {"other.png", false, "there is no picture (no window)"},
    };
    fs::create_directory("shot.png");
    for (const auto& c : cases) {
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
    EXPECT_EQ(folder_entries("."), std::vector<std::string>{"shot.png"});
}

}  // namespace
