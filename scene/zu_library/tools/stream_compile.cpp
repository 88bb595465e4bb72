// Build step: converts a component stream from its text form into the binary form the
// library embeds. Usage: zu-stream-compile <input.txt> <output.bin>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/core/stream_text.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <input.txt> <output.bin>\n", argv[0]);
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
            return 1;
        }
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::vector<uint8_t> binary = zu::ObjectTextToBinary(text);
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(binary.data()), static_cast<std::streamsize>(binary.size()));
        if (!out) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], e.what());
        return 1;
    }
    return 0;
}
