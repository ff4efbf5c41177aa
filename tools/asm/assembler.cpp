#include "tools/asm/assembler.h"

#include <algorithm>
#include <array>

#include "tools/asm/opcodes.h"
#include "tools/asm/operands.h"

namespace {

constexpr int64_t ADDRESS_LIMIT = 0x10000;

enum class Directive { None, Aorg, Data, Byte, Text, Equ, Even, Bss, End };

struct DirectiveName {
    std::string_view name;
    Directive directive;
};

constexpr std::array DIRECTIVES{
    DirectiveName{"AORG", Directive::Aorg}, DirectiveName{"DATA", Directive::Data},
    DirectiveName{"BYTE", Directive::Byte}, DirectiveName{"TEXT", Directive::Text},
    DirectiveName{"EQU", Directive::Equ},   DirectiveName{"EVEN", Directive::Even},
    DirectiveName{"BSS", Directive::Bss},   DirectiveName{"END", Directive::End},
};

Directive find_directive(std::string_view mnemonic)
{
    for (const DirectiveName& entry : DIRECTIVES) {
        if (entry.name == mnemonic) {
            return entry.directive;
        }
    }
    return Directive::None;
}

// Where a line lies: its file, its number there, and its place in the
// order of reading.
struct Position {
    int file = 0;
    int line = 0;
    std::size_t order = 0;
};

// One line that places bytes, kept from the first pass for the second.
struct Statement {
    Position where;
    int64_t address;
    const Opcode* opcode;  // an instruction, or nullptr for DATA, BYTE, TEXT and END
    Directive directive;
    std::vector<Operand> operands;
};

std::string hex4(int64_t value)
{
    static constexpr char DIGITS[] = "0123456789ABCDEF";
    std::string text = ">0000";
    for (int i = 0; i < 4; ++i) {
        text[4 - i] = DIGITS[(value >> (4 * i)) & 0xF];
    }
    return text;
}

// Both passes share this record: the location counter, the symbols, and
// everything collected so far.
class Assembler {
public:
    Assembler(Program& program, const SourceReader& reader) : program_(program), reader_(reader) {}

    void first_pass(std::string_view source);
    void second_pass();
    void check_placement();

private:
    struct PendingLabel {
        std::string name;
        Position where;
    };

    Program& program_;
    const SourceReader& reader_;
    std::vector<Statement> statements_;
    std::vector<PendingLabel> pending_labels_;  // labels on lines of their own
    int64_t here_ = 0;
    Position position_;           // of the line being read
    std::vector<int> copy_chain_;  // the files being read, each holding a COPY of the next
    bool too_long_ = false;
    std::size_t source_bytes_ = 0;  // of all the files read so far

    void error(const Position& where, std::string message)
    {
        program_.errors.push_back({where.line, std::move(message), where.file, where.order});
    }
    void error(std::string message) { error(position_, std::move(message)); }

    void read_file(std::string_view source, int file);
    void copy(const LineFields& fields);
    int file_index(const std::string& path, const std::string& absolute);
    void first_pass_line(const LineFields& fields);
    bool operand_count_is(const std::string& mnemonic, std::size_t count, std::size_t low, std::size_t high);
    void layout_directive(Directive directive, const std::string& mnemonic, const std::string& label,
                          const std::vector<std::string>& texts);
    bool parse_statement(Statement& statement, const std::string& mnemonic, const std::vector<std::string>& texts,
                         int64_t& size);
    void define(const std::string& name, int64_t value, const Position& where, bool equ = false);
    void place_pending_labels();
    bool evaluate_now(const std::string& text, int64_t& value);
    void reserve(int64_t size);
    bool parse_instruction_operands(const Opcode& opcode, const std::vector<std::string>& texts,
                                    std::vector<Operand>& operands);
    int64_t instruction_size(const Opcode& opcode, const std::vector<Operand>& operands) const;

    bool value_of(const Statement& statement, const Operand& operand, int64_t& value);
    bool in_range(const Statement& statement, int64_t value, int64_t low, int64_t high, const char* what);
    bool value_in(const Statement& statement, const Operand& operand, int64_t low, int64_t high, const char* what,
                  int64_t& value);
    bool encode_instruction(const Statement& statement, std::vector<uint8_t>& bytes);
    bool encode_general(const Statement& statement, const Operand& operand, uint16_t& field,
                        std::vector<uint16_t>& extensions);
    bool encode_data(const Statement& statement, std::vector<uint8_t>& bytes);
};

void Assembler::define(const std::string& name, int64_t value, const Position& where, bool equ)
{
    if (register_number(name) >= 0) {
        error(where, "bad label '" + name + "': register names are reserved");
        return;
    }
    if (name.size() > MAX_SYMBOL_NAME) {
        error(where, "bad label '" + name.substr(0, 16) + "...': longer than " + std::to_string(MAX_SYMBOL_NAME) +
                         " characters");
        return;
    }
    const auto [found, inserted] =
        program_.symbols.try_emplace(name, Symbol{value, where.line, where.file, equ, where.order});
    if (!inserted) {
        const Symbol& first = found->second;
        const std::string place = first.file == where.file
                                      ? "on line " + std::to_string(first.line)
                                      : "at " + program_.files[first.file].path + ":" + std::to_string(first.line);
        error(where, "duplicate label '" + name + "' (first defined " + place + ")");
    }
}

// A label on a line of its own names whatever comes next, at the address
// where that lands (after the alignment of an instruction, for instance).
void Assembler::place_pending_labels()
{
    for (const PendingLabel& label : pending_labels_) {
        define(label.name, here_, label.where);
    }
    pending_labels_.clear();
}

bool Assembler::evaluate_now(const std::string& text, int64_t& value)
{
    Operand operand;
    std::string reason;
    if (!parse_value(text, false, operand, reason) ||
        !evaluate(operand.expression, program_.symbols, here_, value, reason)) {
        if (reason.rfind("undefined label", 0) == 0) {
            reason += " (AORG, BSS and EQU need labels defined above them)";
        }
        error(reason);
        return false;
    }
    return true;
}

void Assembler::reserve(int64_t size)
{
    if (here_ + size > ADDRESS_LIMIT) {
        error("value out of range: the program runs past >FFFF");
    }
    here_ += size;
}

bool Assembler::parse_instruction_operands(const Opcode& opcode, const std::vector<std::string>& texts,
                                           std::vector<Operand>& operands)
{
    const auto expected = static_cast<std::size_t>(operand_count(opcode.format));
    if (!operand_count_is(std::string(opcode.mnemonic), texts.size(), expected, expected)) {
        return false;
    }
    operands.resize(texts.size());
    std::string reason;
    bool ok = true;
    for (std::size_t i = 0; i < texts.size() && ok; ++i) {
        const bool first = i == 0;
        switch (opcode.format) {
        case Format::TwoOperand:
        case Format::SingleOperand: ok = parse_general(texts[i], operands[i], reason); break;
        case Format::RegisterSource:
            ok = first ? parse_general(texts[i], operands[i], reason) : parse_register(texts[i], operands[i], reason);
            break;
        case Format::Xop:
        case Format::CruMultiple:
            ok = first ? parse_general(texts[i], operands[i], reason)
                       : parse_value(texts[i], false, operands[i], reason);
            break;
        case Format::Shift:
        case Format::Immediate:
            ok = first ? parse_register(texts[i], operands[i], reason)
                       : parse_value(texts[i], false, operands[i], reason);
            break;
        case Format::RegisterOnly: ok = parse_register(texts[i], operands[i], reason); break;
        case Format::ImmediateOnly: ok = parse_value(texts[i], true, operands[i], reason); break;
        case Format::Jump:
        case Format::CruBit: ok = parse_value(texts[i], false, operands[i], reason); break;
        case Format::NoOperand: break;
        }
    }
    if (!ok) {
        error(reason);
    }
    return ok;
}

int64_t Assembler::instruction_size(const Opcode& opcode, const std::vector<Operand>& operands) const
{
    int64_t size = 2;
    if (opcode.format == Format::Immediate || opcode.format == Format::ImmediateOnly) {
        size += 2;
    }
    const bool general_first = opcode.format == Format::TwoOperand || opcode.format == Format::RegisterSource ||
                               opcode.format == Format::Xop || opcode.format == Format::CruMultiple ||
                               opcode.format == Format::SingleOperand;
    for (std::size_t i = 0; i < operands.size(); ++i) {
        const bool general = general_first && (i == 0 || opcode.format == Format::TwoOperand);
        if (general && operands[i].mode == MODE_INDEXED) {
            size += 2;
        }
    }
    return size;
}

void Assembler::first_pass(std::string_view source)
{
    copy_chain_.push_back(0);
    source_bytes_ = source.size();
    read_file(source, 0);
    place_pending_labels();
}

// Reads the lines of one file, up to its END; a COPY reads its file in its
// place.
void Assembler::read_file(std::string_view source, int file)
{
    bool ended = false;
    int line = 0;
    while (!ended && !too_long_ && !source.empty()) {
        const std::size_t end = source.find('\n');
        std::string_view text = source.substr(0, end);
        source = end == std::string_view::npos ? std::string_view{} : source.substr(end + 1);
        if (program_.lines.size() >= MAX_SOURCE_LINES) {
            error("the program is too long: more than " + std::to_string(MAX_SOURCE_LINES) +
                  " lines, COPY files included");
            too_long_ = true;
            break;
        }
        position_ = {file, ++line, program_.lines.size()};
        if (!text.empty() && text.back() == '\r') {
            text.remove_suffix(1);
        }
        program_.lines.push_back({file, line, std::string(text)});
        LineFields fields;
        std::string reason;
        if (!split_line(text, fields, reason)) {
            error(reason);
            continue;
        }
        const std::string mnemonic = upper_case(fields.mnemonic);
        if (mnemonic == "COPY") {
            copy(fields);
            continue;
        }
        ended = mnemonic == "END";
        first_pass_line(fields);
    }
}

// The folder of `file` (as its path was given) joined to `name`.
std::string beside(const std::string& file, const std::string& name)
{
    const std::size_t slash = file.rfind('/');
    if (name.front() == '/' || slash == std::string::npos) {
        return name;
    }
    return file.substr(0, slash + 1) + name;
}

int Assembler::file_index(const std::string& path, const std::string& absolute)
{
    for (std::size_t i = 0; i < program_.files.size(); ++i) {
        if (program_.files[i].absolute == absolute) {
            return static_cast<int>(i);
        }
    }
    program_.files.push_back({path, absolute});
    return static_cast<int>(program_.files.size() - 1);
}

void Assembler::copy(const LineFields& fields)
{
    if (!fields.label.empty()) {
        pending_labels_.push_back({fields.label, position_});  // names what the file places first
    }
    const std::vector<std::string> texts = split_operands(fields.operands);
    Operand name;
    std::string reason;
    if (!operand_count_is("COPY", texts.size(), 1, 1)) {
        return;
    }
    if (!parse_string(texts[0], name, reason) || name.expression[0].text.empty()) {
        error(reason.empty() ? "bad operand: COPY needs a file name" : reason);
        return;
    }
    const std::string path = beside(program_.files[position_.file].path, name.expression[0].text);
    SourceText source;
    if (!reader_) {
        error("cannot COPY " + path + ": no files can be read here");
        return;
    }
    if (copy_chain_.size() > MAX_COPY_DEPTH) {
        error("cannot COPY " + path + ": files nested more than " + std::to_string(MAX_COPY_DEPTH) + " deep");
        return;
    }
    if (!reader_(path, source, reason)) {
        error("cannot COPY " + path + ": " + reason);
        return;
    }
    source_bytes_ += source.text.size();
    if (source_bytes_ > MAX_SOURCE_BYTES) {
        error("the program is too long: more than " + std::to_string(MAX_SOURCE_BYTES >> 20) +
              " MiB, COPY files included");
        too_long_ = true;
        return;
    }
    const int file = file_index(path, source.absolute);
    const auto first = std::find(copy_chain_.begin(), copy_chain_.end(), file);
    if (first != copy_chain_.end()) {
        std::string chain;
        for (auto at = first; at != copy_chain_.end(); ++at) {
            chain += program_.files[static_cast<std::size_t>(*at)].path + " -> ";
        }
        error("cannot COPY " + path + ": it includes itself (" + chain + path + ")");
        return;
    }
    const Position holder = position_;
    copy_chain_.push_back(file);
    read_file(source.text, file);
    copy_chain_.pop_back();
    position_ = holder;
}

void Assembler::first_pass_line(const LineFields& fields)
{
    if (fields.mnemonic.empty()) {
        if (!fields.label.empty()) {
            pending_labels_.push_back({fields.label, position_});
        }
        return;
    }
    const std::string mnemonic = upper_case(fields.mnemonic);
    const std::vector<std::string> texts = split_operands(fields.operands);
    const Directive directive = find_directive(mnemonic);
    const Opcode* opcode = directive == Directive::None ? find_opcode(mnemonic) : nullptr;
    if (directive == Directive::None && opcode == nullptr) {
        error("unknown mnemonic '" + fields.mnemonic + "'");
        place_pending_labels();
        if (!fields.label.empty()) {
            define(fields.label, here_, position_);  // keeps later uses from piling up errors
        }
        return;
    }
    if (directive == Directive::Equ || directive == Directive::Aorg || directive == Directive::Bss ||
        directive == Directive::Even) {
        layout_directive(directive, mnemonic, fields.label, texts);
        return;
    }

    // Instructions and words start at even addresses.
    if (opcode != nullptr || directive == Directive::Data) {
        here_ += here_ & 1;
    }
    place_pending_labels();
    if (!fields.label.empty()) {
        define(fields.label, here_, position_);
    }
    Statement statement{position_, here_, opcode, directive, {}};
    int64_t size = 0;
    if (parse_statement(statement, mnemonic, texts, size)) {
        statements_.push_back(std::move(statement));
    }
    reserve(size);
}

bool Assembler::operand_count_is(const std::string& mnemonic, std::size_t count, std::size_t low, std::size_t high)
{
    if (count >= low && count <= high) {
        return true;
    }
    const bool open_ended = high > low + 1;
    const std::string allowed = low == high   ? std::to_string(low)
                                : open_ended ? "at least " + std::to_string(low)
                                             : std::to_string(low) + " or " + std::to_string(high);
    const bool singular = high == 1 || (open_ended && low == 1);
    error("bad operand: " + mnemonic + " takes " + allowed + (singular ? " operand" : " operands") + ", not " +
                     std::to_string(count));
    return false;
}

// The directives that act on the location counter or the symbols at once.
void Assembler::layout_directive(Directive directive, const std::string& mnemonic, const std::string& label,
                                 const std::vector<std::string>& texts)
{
    int64_t value = 0;
    if (directive == Directive::Even) {
        here_ += here_ & 1;
        operand_count_is(mnemonic, texts.size(), 0, 0);
    } else {
        place_pending_labels();  // they name the place before AORG moves it
    }
    const bool has_value = directive != Directive::Even && operand_count_is(mnemonic, texts.size(), 1, 1) &&
                           evaluate_now(texts[0], value);
    switch (directive) {
    case Directive::Equ:
        if (label.empty()) {
            error("bad label: EQU needs a label to define");
        } else if (has_value) {
            define(label, value, position_, true);
        }
        return;
    case Directive::Aorg:
        if (has_value && (value < 0 || value >= ADDRESS_LIMIT)) {
            error("value out of range: AORG " + std::to_string(value) + " is not an address");
        } else if (has_value) {
            here_ = value;
        }
        break;
    case Directive::Bss:
        if (has_value && value < 0) {
            error("value out of range: BSS " + std::to_string(value) + " is negative");
        }
        break;
    default:
        place_pending_labels();
        break;
    }
    if (!label.empty()) {
        define(label, here_, position_);
    }
    if (directive == Directive::Bss && has_value && value > 0) {
        reserve(value);
    }
}

// The operands of an instruction, DATA, BYTE, TEXT or END, and the number
// of bytes the statement will place.
bool Assembler::parse_statement(Statement& statement, const std::string& mnemonic,
                                const std::vector<std::string>& texts, int64_t& size)
{
    std::string why;
    bool ok = true;
    switch (statement.directive) {
    case Directive::None:
        ok = parse_instruction_operands(*statement.opcode, texts, statement.operands);
        size = ok ? instruction_size(*statement.opcode, statement.operands) : 2;
        return ok;
    case Directive::Data:
    case Directive::Byte:
        ok = operand_count_is(mnemonic, texts.size(), 1, ADDRESS_LIMIT);
        statement.operands.resize(texts.size());
        for (std::size_t i = 0; ok && i < texts.size(); ++i) {
            ok = parse_value(texts[i], false, statement.operands[i], why);
        }
        size = static_cast<int64_t>(texts.size()) * (statement.directive == Directive::Data ? 2 : 1);
        break;
    case Directive::Text:
        statement.operands.resize(1);
        ok = operand_count_is(mnemonic, texts.size(), 1, 1) && parse_string(texts[0], statement.operands[0], why);
        size = ok ? static_cast<int64_t>(statement.operands[0].expression[0].text.size()) : 0;
        break;
    default:  // END, with an optional operand that only has to make sense
        ok = operand_count_is(mnemonic, texts.size(), 0, 1);
        if (ok && texts.size() == 1) {
            statement.operands.resize(1);
            ok = parse_value(texts[0], false, statement.operands[0], why);
        }
        break;
    }
    if (!why.empty()) {
        error(why);
    }
    return ok;
}

bool Assembler::value_of(const Statement& statement, const Operand& operand, int64_t& value)
{
    std::string reason;
    if (!evaluate(operand.expression, program_.symbols, statement.address, value, reason)) {
        error(statement.where, reason);
        return false;
    }
    return true;
}

bool Assembler::in_range(const Statement& statement, int64_t value, int64_t low, int64_t high, const char* what)
{
    if (value >= low && value <= high) {
        return true;
    }
    error(statement.where, "value out of range: " + std::to_string(value) + " is not " + what);
    return false;
}

bool Assembler::value_in(const Statement& statement, const Operand& operand, int64_t low, int64_t high,
                         const char* what, int64_t& value)
{
    return value_of(statement, operand, value) && in_range(statement, value, low, high, what);
}

constexpr int64_t WORD_LOW = -32768;
constexpr int64_t WORD_HIGH = 0xFFFF;

bool Assembler::encode_general(const Statement& statement, const Operand& operand, uint16_t& field,
                               std::vector<uint16_t>& extensions)
{
    field = operand_field(operand.mode, operand.reg);
    if (operand.mode != MODE_INDEXED) {
        return true;
    }
    int64_t address = 0;
    if (!value_in(statement, operand, WORD_LOW, WORD_HIGH, "a 16-bit word", address)) {
        return false;
    }
    extensions.push_back(static_cast<uint16_t>(address));
    return true;
}

bool Assembler::encode_instruction(const Statement& statement, std::vector<uint8_t>& bytes)
{
    const Opcode& opcode = *statement.opcode;
    const std::vector<Operand>& operands = statement.operands;
    uint16_t word = opcode.base;
    std::vector<uint16_t> extensions;
    uint16_t source = 0;
    int64_t value = 0;
    bool ok = true;

    switch (opcode.format) {
    case Format::TwoOperand: {
        uint16_t destination = 0;
        ok = encode_general(statement, operands[0], source, extensions) &&
             encode_general(statement, operands[1], destination, extensions);
        word |= destination_field(destination) | source;
        break;
    }
    case Format::RegisterSource:
        ok = encode_general(statement, operands[0], source, extensions);
        word |= destination_field(operand_field(MODE_REGISTER, operands[1].reg)) | source;
        break;
    case Format::Xop:
    case Format::CruMultiple:
        ok = encode_general(statement, operands[0], source, extensions) &&
             value_in(statement, operands[1], 0, 15,
                      opcode.format == Format::Xop ? "an XOP number 0 to 15" : "a bit count 0 to 15", value);
        word |= destination_field(operand_field(MODE_REGISTER, static_cast<int>(value))) | source;
        break;
    case Format::SingleOperand:
        ok = encode_general(statement, operands[0], source, extensions);
        word |= source;
        break;
    case Format::Shift:
        ok = value_in(statement, operands[1], 0, 15, "a shift count 0 to 15", value);
        word |= shift_count_bits(static_cast<int>(value)) | operand_field(MODE_REGISTER, operands[0].reg);
        break;
    case Format::Jump: {
        ok = value_in(statement, operands[0], 0, WORD_HIGH, "an address", value);
        if (!ok) {
            break;
        }
        // The displacement counts words from the word after the jump; the
        // sum wraps round the 64 KB address space.
        int64_t distance = (value - (statement.address + 2)) & 0xFFFF;
        distance = distance >= 0x8000 ? distance - 0x10000 : distance;
        if ((distance & 1) != 0) {
            error(statement.where, "jump out of range: target " + hex4(value) + " is odd");
            ok = false;
        } else if (distance < -256 || distance > 254) {
            error(statement.where, "jump out of range: target " + hex4(value) + " is " + std::to_string(distance / 2) +
                                      " words away (-128 to 127 allowed)");
            ok = false;
        }
        word |= static_cast<uint16_t>((distance / 2) & 0xFF);
        break;
    }
    case Format::CruBit:
        ok = value_in(statement, operands[0], -128, 255, "a bit displacement -128 to 255", value);
        word |= static_cast<uint16_t>(value & 0xFF);
        break;
    case Format::Immediate:
        word |= static_cast<uint16_t>(operands[0].reg);
        ok = value_in(statement, operands[1], WORD_LOW, WORD_HIGH, "a 16-bit word", value);
        extensions.push_back(static_cast<uint16_t>(value));
        break;
    case Format::ImmediateOnly:
        ok = value_in(statement, operands[0], WORD_LOW, WORD_HIGH, "a 16-bit word", value);
        extensions.push_back(static_cast<uint16_t>(value));
        break;
    case Format::RegisterOnly: word |= static_cast<uint16_t>(operands[0].reg); break;
    case Format::NoOperand: break;
    }

    bytes.push_back(static_cast<uint8_t>(word >> 8));
    bytes.push_back(static_cast<uint8_t>(word));
    for (uint16_t extension : extensions) {
        bytes.push_back(static_cast<uint8_t>(extension >> 8));
        bytes.push_back(static_cast<uint8_t>(extension));
    }
    return ok;
}

bool Assembler::encode_data(const Statement& statement, std::vector<uint8_t>& bytes)
{
    bool ok = true;
    for (const Operand& operand : statement.operands) {
        int64_t value = 0;
        switch (statement.directive) {
        case Directive::Data:
            ok = value_in(statement, operand, WORD_LOW, WORD_HIGH, "a 16-bit word", value) && ok;
            bytes.push_back(static_cast<uint8_t>(value >> 8));
            bytes.push_back(static_cast<uint8_t>(value));
            break;
        case Directive::Byte:
            ok = value_in(statement, operand, -128, 255, "a byte", value) && ok;
            bytes.push_back(static_cast<uint8_t>(value));
            break;
        case Directive::Text:
            bytes.insert(bytes.end(), operand.expression[0].text.begin(), operand.expression[0].text.end());
            break;
        default:  // END: its operand only has to make sense
            ok = value_of(statement, operand, value) && ok;
            break;
        }
    }
    return ok;
}

LineKind kind_of(const Statement& statement)
{
    switch (statement.directive) {
    case Directive::Data: return LineKind::Words;
    case Directive::Byte: return LineKind::Bytes;
    case Directive::Text: return LineKind::Text;
    default: return LineKind::Code;
    }
}

void Assembler::second_pass()
{
    for (const Statement& statement : statements_) {
        const Position& where = statement.where;
        Segment segment{static_cast<uint16_t>(statement.address), where.line, {}, where.file, kind_of(statement),
                        where.order};
        const bool ok = statement.opcode != nullptr ? encode_instruction(statement, segment.bytes)
                                                    : encode_data(statement, segment.bytes);
        if (!ok || segment.bytes.empty()) {
            continue;
        }
        if (statement.address + static_cast<int64_t>(segment.bytes.size()) > ROM_END) {
            error(where, "value out of range: " +
                                      hex4(std::max<int64_t>(statement.address, ROM_END)) +
                                      " lies outside ROM (>0000 to >BFFF)");
            continue;
        }
        program_.segments.push_back(std::move(segment));
    }
}

// Two statements must not place bytes at the same address.
void Assembler::check_placement()
{
    std::vector<const Segment*> order;
    for (const Segment& segment : program_.segments) {
        order.push_back(&segment);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const Segment* a, const Segment* b) { return a->start < b->start; });
    const Segment* furthest = nullptr;  // the segment reaching highest so far
    for (const Segment* segment : order) {
        if (furthest != nullptr && segment->start < furthest->start + furthest->bytes.size()) {
            const std::string place = furthest->file == segment->file
                                          ? "line " + std::to_string(furthest->line)
                                          : program_.files[furthest->file].path + ":" + std::to_string(furthest->line);
            error({segment->file, segment->line, segment->order},
                  "overlap: " + hex4(segment->start) + " already holds bytes from " + place);
        }
        if (furthest == nullptr || segment->start + segment->bytes.size() > furthest->start + furthest->bytes.size()) {
            furthest = segment;
        }
    }
}

}  // namespace

Program assemble(std::string_view source, const SourceFile& file, const SourceReader& reader)
{
    Program program;
    program.files.push_back(file);
    Assembler assembler(program, reader);
    assembler.first_pass(source);
    assembler.second_pass();
    assembler.check_placement();
    std::stable_sort(program.errors.begin(), program.errors.end(),
                     [](const Diagnostic& a, const Diagnostic& b) { return a.order < b.order; });
    return program;
}

Program assemble(std::string_view source, std::string_view file_name)
{
    const std::string name(file_name);
    return assemble(source, SourceFile{name, name}, SourceReader{});
}

std::string format_diagnostic(const Program& program, const Diagnostic& diagnostic)
{
    return program.files[static_cast<std::size_t>(diagnostic.file)].path + ":" + std::to_string(diagnostic.line) +
           ": error: " + diagnostic.message;
}
