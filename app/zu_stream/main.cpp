// zu-stream: converts component streams between the binary and the text form and checks
// that a stream loads with the classes this program knows.

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/class_registry.h"
#include "platform/core/stream_format.h"
#include "platform/core/stream_reader.h"
#include "platform/core/stream_text.h"
#include "scene/zu_all/register_all.h"
#include "scene/zu_scene/tree/object.h"

namespace {

const char kUsage[] =
    "Usage: zu-stream COMMAND ...\n"
    "Converts and checks component streams (binary \"TPF0\" or text form; the form of\n"
    "an input is told by its first four bytes).\n"
    "\n"
    "  zu-stream totext IN OUT     write the text form of IN to OUT\n"
    "  zu-stream tobinary IN OUT   write the binary form of IN to OUT\n"
    "  zu-stream check IN          load the root object of IN with the registered classes;\n"
    "                              lists every property that was skipped; exit status 0\n"
    "                              when it loads, 1 when it does not\n"
    "  zu-stream --help            show this text\n"
    "  zu-stream --version         show the version\n"
    "\n"
    "Exit status: 0 success; 1 a file cannot be read or written, or the stream does not\n"
    "load or convert; 2 usage error.\n";

// Every class a stream may name must be registered here; programs linking more units
// register theirs the same way before reading.
void RegisterKnownClasses() { zu::RegisterAll(); }

bool ReadFile(const char* path, std::vector<uint8_t>& out) {
    errno = 0;
    if (std::filesystem::is_directory(path)) {
        errno = EISDIR;
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    try {
        out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::exception&) {
        return false;
    }
    return !in.bad();
}

bool WriteFile(const char* path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out.flush());
}

std::vector<uint8_t> ToBinary(const std::vector<uint8_t>& input) {
    if (zu::HasStreamSignature(input)) return input;
    return zu::ObjectTextToBinary(
        std::string_view(reinterpret_cast<const char*>(input.data()), input.size()));
}

int Convert(const char* inPath, const char* outPath, bool toText) {
    std::vector<uint8_t> input;
    if (!ReadFile(inPath, input)) {
        std::cerr << "zu-stream: cannot read " << inPath << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    try {
        const std::vector<uint8_t> binary = ToBinary(input);
        bool ok;
        if (toText) {
            const std::string text = zu::ObjectBinaryToText(binary);
            ok = WriteFile(outPath, text.data(), text.size());
        } else {
            // Checked through the text form, so a binary input that the text form cannot
            // carry is reported here as well.
            zu::ObjectBinaryToText(binary);
            ok = WriteFile(outPath, binary.data(), binary.size());
        }
        if (!ok) {
            std::cerr << "zu-stream: cannot write " << outPath << ": " << std::strerror(errno) << "\n";
            return 1;
        }
    } catch (const std::exception& e) {
        std::cerr << "zu-stream: " << inPath << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}

int Check(const char* inPath) {
    std::vector<uint8_t> input;
    if (!ReadFile(inPath, input)) {
        std::cerr << "zu-stream: cannot read " << inPath << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    RegisterKnownClasses();
    int skipped = 0;
    try {
        const std::vector<uint8_t> binary = ToBinary(input);
        const zu::TzuStreamHeader header = zu::TzuStreamReader::ReadHeader(binary);
        const zu::TzuClass* cls = zu::FindClass(header.className);
        if (!cls || !cls->create || !cls->InheritsFrom(zu::TzuComponent::StaticClass())) {
            throw zu::EzuError("Class " + header.className + " not found");
        }
        std::unique_ptr<zu::TzuComponent> root(static_cast<zu::TzuComponent*>(cls->create(nullptr)));
        zu::TzuReadOptions options;
        options.onSetName = [](std::string& name) { name.clear(); };
        options.onError = [&](const std::string& message) {
            std::cout << "skipped: " << message << "\n";
            ++skipped;
            return true;
        };
        zu::TzuStreamReader(binary, options).ReadRootInto(root.get());
        std::cout << inPath << ": loads as " << header.className;
        if (skipped) std::cout << ", " << skipped << " propert" << (skipped == 1 ? "y" : "ies") << " skipped";
        std::cout << "\n";
        return 0;
    } catch (const std::exception& e) {
        std::cout << inPath << ": does not load: " << e.what() << "\n";
        return 1;
    }
}

int Run(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return 0;
    }
    if (command == "--version") {
        std::cout << "zu-stream " << ZU_VERSION << "\n";
        return 0;
    }
    if ((command == "totext" || command == "tobinary") && argc == 4)
        return Convert(argv[2], argv[3], command == "totext");
    if (command == "check" && argc == 3) return Check(argv[2]);
    if (command.empty()) {
        std::cerr << "zu-stream: no command given\n";
    } else if (command == "totext" || command == "tobinary" || command == "check") {
        std::cerr << "zu-stream: wrong number of arguments for " << command << "\n";
    } else {
        std::cerr << "zu-stream: unknown command " << command << "\n";
    }
    std::cerr << kUsage;
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "zu-stream: out of memory\n";
    } catch (const std::exception& e) {
        std::cerr << "zu-stream: " << e.what() << "\n";
    } catch (...) {
        std::cerr << "zu-stream: unexpected failure\n";
    }
    return 1;
}
