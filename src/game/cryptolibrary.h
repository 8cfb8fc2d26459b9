// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The few libcrypto functions the sealed dice use: SHA-256, HMAC-SHA-256 and the system's random
// bytes. The library is opened when first asked for (the program does not map it at start, and
// a table that never plays a sealed game never loads it). Without it every call answers false:
// nothing is hashed and no random bytes are given, so callers fall back or refuse.

#include <array>
#include <cstdint>
#include <span>

namespace core::seal {

inline constexpr const char* kCryptoLibrary = "libcrypto.so.3";

class CryptoLibrary {
public:
    using Digest = std::array<std::uint8_t, 32>;

    // Opens the library of that file name now (the dynamic loader's search path applies).
    explicit CryptoLibrary(const char* fileName);
    ~CryptoLibrary();
    CryptoLibrary(const CryptoLibrary&) = delete;
    CryptoLibrary& operator=(const CryptoLibrary&) = delete;

    // True when the library was found with every function needed.
    bool available() const { return m_handle != nullptr; }

    bool sha256(std::span<const std::uint8_t> data, Digest& out) const;
    bool hmacSha256(std::span<const std::uint8_t> key, std::span<const std::uint8_t> data,
                    Digest& out) const;
    bool randomBytes(std::span<std::uint8_t> out) const;

    // The program's copy of libcrypto, opened on the first call.
    static const CryptoLibrary& shared();

    // While one lives, shared() answers with `replacement` (tests: a library that is missing).
    class Override {
    public:
        explicit Override(const CryptoLibrary& replacement);
        ~Override();
        Override(const Override&) = delete;
        Override& operator=(const Override&) = delete;

    private:
        const CryptoLibrary* m_previous;
    };

private:
    struct Functions;
    void* m_handle = nullptr;
    const Functions* m_fn = nullptr;
};

} // namespace core::seal
