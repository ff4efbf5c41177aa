#include "tools/asm/opcodes.h"

#include <array>

namespace {

constexpr std::array OPCODES{
    Opcode{"SZC", Format::TwoOperand, 0x4000},     Opcode{"SZCB", Format::TwoOperand, 0x5000},
    Opcode{"S", Format::TwoOperand, 0x6000},       Opcode{"SB", Format::TwoOperand, 0x7000},
    Opcode{"C", Format::TwoOperand, 0x8000},       Opcode{"CB", Format::TwoOperand, 0x9000},
    Opcode{"A", Format::TwoOperand, 0xA000},       Opcode{"AB", Format::TwoOperand, 0xB000},
    Opcode{"MOV", Format::TwoOperand, 0xC000},     Opcode{"MOVB", Format::TwoOperand, 0xD000},
    Opcode{"SOC", Format::TwoOperand, 0xE000},     Opcode{"SOCB", Format::TwoOperand, 0xF000},

    Opcode{"COC", Format::RegisterSource, 0x2000}, Opcode{"CZC", Format::RegisterSource, 0x2400},
    Opcode{"XOR", Format::RegisterSource, 0x2800}, Opcode{"MPY", Format::RegisterSource, 0x3800},
    Opcode{"DIV", Format::RegisterSource, 0x3C00}, Opcode{"XOP", Format::Xop, 0x2C00},
    Opcode{"LDCR", Format::CruMultiple, 0x3000},   Opcode{"STCR", Format::CruMultiple, 0x3400},

    Opcode{"BLWP", Format::SingleOperand, 0x0400}, Opcode{"B", Format::SingleOperand, 0x0440},
    Opcode{"X", Format::SingleOperand, 0x0480},    Opcode{"CLR", Format::SingleOperand, 0x04C0},
    Opcode{"NEG", Format::SingleOperand, 0x0500},  Opcode{"INV", Format::SingleOperand, 0x0540},
    Opcode{"INC", Format::SingleOperand, 0x0580},  Opcode{"INCT", Format::SingleOperand, 0x05C0},
    Opcode{"DEC", Format::SingleOperand, 0x0600},  Opcode{"DECT", Format::SingleOperand, 0x0640},
    Opcode{"BL", Format::SingleOperand, 0x0680},   Opcode{"SWPB", Format::SingleOperand, 0x06C0},
    Opcode{"SETO", Format::SingleOperand, 0x0700}, Opcode{"ABS", Format::SingleOperand, 0x0740},
    Opcode{"DIVS", Format::SingleOperand, 0x0180}, Opcode{"MPYS", Format::SingleOperand, 0x01C0},

    Opcode{"SRA", Format::Shift, 0x0800},          Opcode{"SRL", Format::Shift, 0x0900},
    Opcode{"SLA", Format::Shift, 0x0A00},          Opcode{"SRC", Format::Shift, 0x0B00},

    Opcode{"JMP", Format::Jump, 0x1000},           Opcode{"JLT", Format::Jump, 0x1100},
    Opcode{"JLE", Format::Jump, 0x1200},           Opcode{"JEQ", Format::Jump, 0x1300},
    Opcode{"JHE", Format::Jump, 0x1400},           Opcode{"JGT", Format::Jump, 0x1500},
    Opcode{"JNE", Format::Jump, 0x1600},           Opcode{"JNC", Format::Jump, 0x1700},
    Opcode{"JOC", Format::Jump, 0x1800},           Opcode{"JNO", Format::Jump, 0x1900},
    Opcode{"JL", Format::Jump, 0x1A00},            Opcode{"JH", Format::Jump, 0x1B00},
    Opcode{"JOP", Format::Jump, 0x1C00},

    Opcode{"SBO", Format::CruBit, 0x1D00},         Opcode{"SBZ", Format::CruBit, 0x1E00},
    Opcode{"TB", Format::CruBit, 0x1F00},

    Opcode{"LI", Format::Immediate, 0x0200},       Opcode{"AI", Format::Immediate, 0x0220},
    Opcode{"ANDI", Format::Immediate, 0x0240},     Opcode{"ORI", Format::Immediate, 0x0260},
    Opcode{"CI", Format::Immediate, 0x0280},
    Opcode{"LWPI", Format::ImmediateOnly, 0x02E0}, Opcode{"LIMI", Format::ImmediateOnly, 0x0300},

    // The processor runs both >02A0 and >02B0 as STWP; the debugger shows the
    // first as "STWP?" and only the second as "STWP", so STWP assembles to
    // >02B0 and "STWP?" names the other form.
    Opcode{"STWP", Format::RegisterOnly, 0x02B0},  Opcode{"STWP?", Format::RegisterOnly, 0x02A0},
    Opcode{"STST", Format::RegisterOnly, 0x02C0},  Opcode{"LST", Format::RegisterOnly, 0x0080},
    Opcode{"LWP", Format::RegisterOnly, 0x0090},

    Opcode{"RTWP", Format::NoOperand, 0x0380},
    Opcode{"NOP", Format::NoOperand, 0x1000},  // JMP to the next word
    Opcode{"RT", Format::NoOperand, 0x045B},   // B *R11, the return from BL
};

}  // namespace

const Opcode* find_opcode(std::string_view mnemonic)
{
    for (const Opcode& opcode : OPCODES) {
        if (opcode.mnemonic == mnemonic) {
            return &opcode;
        }
    }
    return nullptr;
}

int operand_count(Format format)
{
    switch (format) {
    case Format::NoOperand: return 0;
    case Format::SingleOperand:
    case Format::Jump:
    case Format::CruBit:
    case Format::ImmediateOnly:
    case Format::RegisterOnly: return 1;
    default: return 2;
    }
}
