#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Just enough of a 6502 to follow the viewers: the instructions they use with their cycles, the
// zero flag, interrupts, and a record of the writes to the I/O registers. Anything else
// stops it.
struct Cpu {
    std::vector<std::uint8_t> memory = std::vector<std::uint8_t>(0x10000);
    std::map<std::uint16_t, std::uint8_t> io_writes; // each register's last value
    std::vector<std::uint16_t> writes;               // every address written, in order
    std::uint16_t pc = 0;
    std::uint8_t a = 0, x = 0, y = 0, stack = 0xFF;
    bool zero = false, interrupts_off = false;
    long cycles = 0;
    std::string stopped;

    // Loads a program file (its load address first) and sets the PC to its SYS address.
    void load(const std::vector<std::uint8_t>& file) {
        const std::uint16_t address = std::uint16_t(file[0] | file[1] << 8);
        std::copy(file.begin() + 2, file.end(), memory.begin() + address);
        pc = std::uint16_t(std::stoi(std::string(file.begin() + 7, file.begin() + 11)));
    }

    // Runs until the program jumps to itself; false when it does something else first.
    bool run_until_it_holds(int steps = 100000) { return run(steps) == Held; }

    // Takes an interrupt through the vector at $FFFE and runs it to its RTI; false when it does
    // something else first.
    bool interrupt(int steps = 10000) {
        push(std::uint8_t(pc >> 8));
        push(std::uint8_t(pc));
        push(0); // the flags
        pc = word_at(0xFFFE);
        cycles += 7;
        return run(steps) == Returned;
    }

private:
    enum Outcome { Held, Returned, Stopped };

    std::uint8_t byte() { return memory[pc++]; }
    std::uint16_t word_at(std::uint16_t at) const {
        return std::uint16_t(memory[at] | memory[std::uint16_t(at + 1)] << 8);
    }
    std::uint16_t word() {
        const std::uint16_t value = word_at(pc);
        pc = std::uint16_t(pc + 2);
        return value;
    }
    void push(std::uint8_t value) { memory[0x100 + stack--] = value; }
    std::uint8_t pull() { return memory[0x100 + ++stack]; }
    void store(std::uint16_t address, std::uint8_t value) {
        memory[address] = value;
        writes.push_back(address);
        if (address >= 0xD000 && address < 0xD800) io_writes[address] = value;
        if (address >= 0xDC00 && address < 0xDE00) io_writes[address] = value; // the CIAs
    }
    std::uint8_t flags(std::uint8_t value) {
        zero = value == 0;
        return value;
    }
    // An indexed read takes a cycle more where it crosses a page.
    std::uint16_t indexed(std::uint8_t index) {
        const std::uint16_t base = word();
        const auto address = std::uint16_t(base + index);
        cycles += 4 + ((base ^ address) >> 8 != 0);
        return address;
    }
    void branch(bool taken) {
        const auto offset = std::int8_t(byte());
        cycles += 2;
        if (!taken) return;
        const auto target = std::uint16_t(pc + offset);
        cycles += 1 + ((pc ^ target) >> 8 != 0);
        pc = target;
    }

    Outcome run(int steps) {
        // The instructions that go on to the next one, each with its cycles (an indexed read
        // and a branch count theirs as they run).
        const std::map<std::uint8_t, std::function<void()>> instructions = {
            {0x78, [&] { interrupts_off = true, cycles += 2; }},
            {0x58, [&] { interrupts_off = false, cycles += 2; }},
            {0xA9, [&] { a = flags(byte()), cycles += 2; }},
            {0xA2, [&] { x = flags(byte()), cycles += 2; }},
            {0xA6, [&] { x = flags(memory[byte()]), cycles += 3; }},
            {0xAD, [&] { a = flags(memory[word()]), cycles += 4; }},
            {0xBD, [&] { a = flags(memory[indexed(x)]); }},
            {0xBC, [&] { y = flags(memory[indexed(x)]); }},
            {0x29, [&] { a = flags(a & byte()), cycles += 2; }},
            {0x09, [&] { a = flags(a | byte()), cycles += 2; }},
            {0x85, [&] { store(byte(), a), cycles += 3; }},
            {0x8D, [&] { store(word(), a), cycles += 4; }},
            {0x9D, [&] { store(std::uint16_t(word() + x), a), cycles += 5; }},
            {0x99, [&] { store(std::uint16_t(word() + y), a), cycles += 5; }},
            {0xE8, [&] { x = flags(std::uint8_t(x + 1)), cycles += 2; }},
            {0xE0, [&] { zero = x == byte(), cycles += 2; }},
            {0xD0, [&] { branch(!zero); }},
            {0xF0, [&] { branch(zero); }},
        };
        while (steps-- > 0) {
            const std::uint16_t at = pc;
            const std::uint8_t op = byte();
            if (const auto found = instructions.find(op); found != instructions.end()) {
                found->second();
            } else if (op == 0x4C) { // JMP: to itself, the program holds
                const std::uint16_t target = word();
                cycles += 3;
                if (target == at) return pc = at, Held;
                pc = target;
            } else if (op == 0x40) { // RTI
                pull();              // the flags
                pc = pull();
                pc = std::uint16_t(pc | pull() << 8);
                cycles += 6;
                return Returned;
            } else {
                stopped = "unknown instruction " + std::to_string(op) + " at " + std::to_string(at);
                return Stopped;
            }
        }
        stopped = "no end";
        return Stopped;
    }
};
