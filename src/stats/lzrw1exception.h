// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Exceptions of the compression component. Every failure of a compress, decompress or advise
// call ends in one of these; what() is the text shown to the user. The two codec classes
// derive from ELzrw1Exception so a caller needs only one catch.

#include <stdexcept>
#include <string>

namespace core {

class ELzrw1Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Raised by the LZRW1/KH block codec.
class ELzrw1KHCompressor : public ELzrw1Exception {
public:
    using ELzrw1Exception::ELzrw1Exception;
};

// Raised by the LZH codec.
class ElzhException : public ELzrw1Exception {
public:
    using ELzrw1Exception::ELzrw1Exception;
};

} // namespace core
