// The input is an input file of a scripted run: read as the program reads
// it before the machine starts, and every event it yields checked.
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "shell/input_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<InputEvent> events;
    std::string error;
    if (!parse_input_script(text, events, error) && (!events.empty() || error.empty())) {
        std::abort();  // a refused file yields no events and says why
    }
    for (std::size_t i = 1; i < events.size(); ++i) {
        if (events[i].frame < events[i - 1].frame) {
            std::abort();  // events come in frame order
        }
    }
    return 0;
}
