// lzrw1: compresses, decompresses or advises on one file with the compression component.
//
//   lzrw1 c IN OUT [--mode fast|good|auto]
//   lzrw1 d IN OUT
//   lzrw1 a IN
//
// A failure prints the component's text and exits with 1; bad usage exits with 2.

#include "stats/tlzrw1.h"

#include <cstring>
#include <iostream>
#include <string>

namespace {

int usage() {
    std::cerr << "usage: lzrw1 c|d IN OUT [--mode fast|good|auto]\n"
                 "       lzrw1 a IN\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::string command = argv[1];
    core::Tlzrw1 z;
    z.InputFile = argv[2];
    if (command == "a") {
        if (argc != 3) return usage();
    } else if (command == "c" || command == "d") {
        if (argc != 4 && argc != 6) return usage();
        z.OutputFile = argv[3];
        if (argc == 6) {
            const std::string mode = argv[5];
            if (std::strcmp(argv[4], "--mode") != 0 || command != "c") return usage();
            if (mode == "fast") {
                z.CompressMode = core::Tlzrw1::Fast;
            } else if (mode == "good") {
                z.CompressMode = core::Tlzrw1::Good;
            } else if (mode == "auto") {
                z.CompressMode = core::Tlzrw1::Auto;
            } else {
                return usage();
            }
        }
    } else {
        return usage();
    }

    try {
        if (command == "a") {
            const auto mode = z.Advise();
            std::cout << (mode == core::Tlzrw1::Fast ? "fast" : "good") << "\n"
                      << z.Caption() << "\n";
        } else {
            if (command == "c") {
                z.Compress();
            } else {
                z.Decompress();
            }
            std::cout << z.Caption() << "\n";
        }
    } catch (const core::ELzrw1Exception& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
