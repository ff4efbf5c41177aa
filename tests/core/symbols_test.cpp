// A program in two files (tests/fixtures/symbols), assembled once: what its
// debug information answers after a trip through the file's text, and its
// listing against its images; then the reader against bad files.
#include <gtest/gtest.h>

#include <sstream>

#include "asm_support.h"
#include "symbols/debug_symbols.h"
#include "tools/asm/debug_output.h"
#include "tools/asm/rom_images.h"
#include "tools/tool_files.h"

namespace {

const std::string MAIN = PAVON_TEST_FIXTURES "/symbols/main.asm";

bool read_source(const std::string& path, SourceText& source, std::string& reason)
{
    source.absolute = resolved_path(path);
    return read_file(path, 1 << 20, source.text, reason);
}

const Program& fixture()
{
    static const Program program = [] {
        SourceText main;
        std::string reason;
        EXPECT_TRUE(read_source(MAIN, main, reason)) << reason;
        return assemble(main.text, {MAIN, main.absolute}, read_source);
    }();
    return program;
}

}  // namespace

TEST(Symbols, AnswersForAProgramInTwoFiles)
{
    ASSERT_EQ(all_errors(fixture()), "");
    DebugSymbols symbols;
    DebugInfoError error;
    ASSERT_TRUE(symbols.load(write_debug_info(debug_info_of(fixture())), error)) << error.reason;
    EXPECT_EQ(symbols.info(), debug_info_of(fixture()));

    struct AddressCase {
        uint16_t address;
        const char* label;  // nearest at or below, "" for none
        int offset;
        const char* file;  // ending of the placing line's file, "" for none
        int line;
        LineKind kind;
    };
    for (const AddressCase& c : std::vector<AddressCase>{
             {0x0002, "", 0, "main.asm", 6, LineKind::Words},
             {0x0016, "DRAW", 0, "lib/draw.asm", 2, LineKind::Code},
             {0x001F, "DRAW", 9, "lib/draw.asm", 4, LineKind::Code},
             {0x0024, "TABLE", 2, "main.asm", 14, LineKind::Words},
             {0x0027, "NAME", 1, "main.asm", 15, LineKind::Text},
             {0x002A, "NAME", 4, "main.asm", 16, LineKind::Bytes},
             {0xF01E, "WS", 30, "", 0, LineKind::Code},  // E002 is an EQU name, never a label
         }) {
        const DebugSymbols::LabelOffset near = symbols.label_for(c.address);
        EXPECT_EQ(near.label ? near.label->name : "", c.label) << c.address;
        EXPECT_EQ(near.offset, c.offset) << c.address;
        const LineEntry* line = symbols.line_at(c.address);
        const std::string file = line ? symbols.file(line->file).path : "";
        EXPECT_TRUE(file.ends_with(c.file) && (line == nullptr) == (*c.file == 0)) << c.address << " " << file;
        EXPECT_EQ(line ? line->line : 0, c.line) << c.address;
        EXPECT_EQ(line ? line->kind : LineKind::Code, c.kind) << c.address;
    }
    EXPECT_EQ(symbols.label_at(0x000C)->name, "LOOP");
    EXPECT_EQ(symbols.label_at(0x000E), nullptr);

    using Result = DebugSymbols::LineAddress;
    struct LineCase {
        std::string file;
        int line;
        Result::Result result;
        uint16_t address;
        std::vector<int> nearest;
    };
    for (const LineCase& c : std::vector<LineCase>{
             {"draw.asm", 3, Result::Found, 0x001A, {}},
             {"lib/draw.asm", 2, Result::Found, 0x0016, {}},
             {resolved_path(PAVON_TEST_FIXTURES "/symbols/lib/draw.asm"), 5, Result::Found, 0x0020, {}},
             {"main.asm", 9, Result::Found, 0x000C, {}},
             {"main.asm", 1, Result::NoCode, 0, {7}},
             {"main.asm", 13, Result::NoCode, 0, {12}},  // the COPY line; 14 placed data
             {"raw.asm", 2, Result::NoFile, 0, {}},      // a trailing part starts after a '/'
         }) {
        const Result found = symbols.address_of_line(c.file, c.line);
        EXPECT_EQ(found.result, c.result) << c.file << ":" << c.line;
        EXPECT_EQ(found.address, c.address) << c.file << ":" << c.line;
        EXPECT_EQ(found.nearest, c.nearest) << c.file << ":" << c.line;
    }
    EXPECT_EQ(symbols.code_lines(symbols.files_named("draw.asm").at(0)), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(symbols.find("VDPWA")->value, 0xE002);
    EXPECT_EQ(symbols.find("vdpwa"), nullptr);
    EXPECT_EQ(symbols.nearest_names("TABEL", 2), (std::vector<std::string>{"TABLE", "NAME"}));

    RomImages images;
    build_rom_images(fixture(), images);
    std::vector<uint8_t> memory(images.first.begin(), images.first.end());
    memory.resize(0x10000);
    EXPECT_TRUE(symbols.differing_lines(memory.data()).empty());
    memory[0x001B] ^= 1;
    ASSERT_EQ(symbols.differing_lines(memory.data()).size(), 1u);
    EXPECT_EQ(symbols.differing_lines(memory.data())[0]->address, 0x001A);
}

// Every word and byte the listing shows lies in the images at its address,
// and together they are every byte the program placed.
TEST(Symbols, ListingShowsWhatTheImagesHold)
{
    RomImages images;
    build_rom_images(fixture(), images);
    std::istringstream listing(listing_of(fixture()));
    std::string row;
    std::size_t shown = 0;
    while (std::getline(listing, row) && !row.empty()) {
        std::istringstream fields(row);
        std::string field;
        if (row[0] != ' ') {
            fields >> field;  // FILE:LINE
        }
        unsigned address = 0;
        if (!(fields >> std::hex >> address)) {
            continue;
        }
        while (fields >> field && (field.size() == 2 || field.size() == 4) &&
               field.find_first_not_of("0123456789ABCDEF") == std::string::npos) {
            for (std::size_t i = 0; i < field.size(); i += 2, ++address, ++shown) {
                EXPECT_EQ(std::stoul(field.substr(i, 2), nullptr, 16), images.first[address]) << row;
            }
        }
    }
    EXPECT_EQ(shown, placed_bytes(fixture()));
}

TEST(Symbols, BadFilesAreRefusedWithTheLineAndTheReason)
{
    const std::string good = write_debug_info(debug_info_of(fixture()));
    const std::string head = "pavon-dbg 1\nfile 0 a.asm /a.asm\n";
    struct BadCase {
        std::string text;
        const char* message;
    };
    for (const BadCase& c : std::vector<BadCase>{
             {"", "x.dbg: empty: not a debug-information file"},
             {"\x7f" "ELF\x02\x01", "x.dbg:1: not a debug-information file (its first line is not 'pavon-dbg 1')"},
             {"pavon-dbg 2\nend 0 0 0\n", "x.dbg:1: format version 2 is newer than this program reads (1)"},
             {"pavon-dbg one\n", "x.dbg:1: bad format version"},
             {good.substr(0, good.rfind("end")), "x.dbg: truncated: the end record is missing"},
             {good.substr(0, good.size() - 16), "x.dbg:24: bad line record: 3 bytes expected"},
             {good + "line 0100 2 0 1 code 0000\n", "x.dbg:26: a record after the end record"},
             {head + "end 99999999999 0 0\n", "x.dbg:3: bad end record: three counts expected"},
             {head + "end 4000000000 0 0\n",
              "x.dbg:3: the end record counts 4000000000 files, 0 symbols and 0 lines; the file holds 1, 0 and 0"},
             {head + "symbol " + std::string(256, 'A') + " 0 label 0 1\n",
              "x.dbg:3: bad symbol record: a name of up to 255 letters, digits and _ expected"},
             {head + "symbol A 100000000 label 0 1\n", "x.dbg:3: bad symbol record: value '100000000' out of range"},
             {head + "symbol A 1 label 0 1\nsymbol A 2 equ 0 1\n", "x.dbg:4: symbol A defined again (first on line 3)"},
             {head + "symbol A 1 label 7 1\n", "x.dbg:3: no file record numbered 7"},
             {head + "line 0000 2 0 0 code 0000\n", "x.dbg:3: source line '0' out of range"},
             {head + "line 0000 2 0 2147483648 code 0000\n", "x.dbg:3: source line '2147483648' out of range"},
             {head + "line 10000 2 0 1 code 0000\n", "x.dbg:3: bad line record: address '10000' is not >0000 to >FFFF"},
             {head + "line FFFF 2 0 1 code 0000\n", "x.dbg:3: bad line record: length '2' runs past >FFFF or is 0"},
             {head + "line 0000 2 0 1 code 00ZZ\n", "x.dbg:3: bad line record: the bytes are not hexadecimal"},
             {head + "line 0000 2 0 1 jump 0000\n",
              "x.dbg:3: bad line record: kind 'code', 'data', 'byte' or 'text' expected"},
             {head + "line 0002 2 0 1 code 0000\nline 0001 2 0 2 code 0000\nend 1 0 2\n",
              "x.dbg:4: bad line record: its bytes overlap another line's"},
             {"pavon-dbg 1\nfile 0 a\\x4 /a\n",
              "x.dbg:2: bad file record: a path is empty, longer than 4096 bytes or badly escaped"},
             {"pavon-dbg 1\nfile 1 a /a\n", "x.dbg:2: bad file record: number 0 expected"},
             {head + "line 0 1 0 1 code 00 1 2\n", "x.dbg:3: too many fields"},
         }) {
        DebugSymbols symbols;
        DebugInfoError error;
        EXPECT_FALSE(symbols.load(c.text, error)) << c.message;
        EXPECT_EQ(debug_info_message("x.dbg", error), c.message);
        EXPECT_TRUE(symbols.info().symbols.empty() && symbols.info().lines.empty());
    }
}
