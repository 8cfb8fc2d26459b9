// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two ends a codec works between: something to read bytes from and something to write
// them to. The compression component supplies files or memory behind these, so the codecs and
// the container logic are the same for both.

#include <cstddef>
#include <cstdint>

namespace core {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads up to n bytes into dst and stores how many arrived in got; fewer than n only at
    // the end of the data. Returns false when the read itself failed.
    virtual bool read(std::uint8_t* dst, std::size_t n, std::size_t& got) = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Writes all n bytes; returns false when fewer could be written.
    virtual bool write(const std::uint8_t* src, std::size_t n) = 0;
};

} // namespace core
