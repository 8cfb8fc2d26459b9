// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/cryptolibrary.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>
#include <openssl/rand.h>

#include <dlfcn.h>

#include <atomic>
#include <memory>

namespace core::seal {

// The declarations come from the library's own headers, so a signature can never drift.
struct CryptoLibrary::Functions {
    decltype(&::EVP_sha256) sha256 = nullptr;
    decltype(&::EVP_Digest) digest = nullptr;
    decltype(&::HMAC) hmac = nullptr;
    decltype(&::RAND_bytes) randomBytes = nullptr;
};

namespace {

std::atomic<const CryptoLibrary*> g_override{nullptr};

template <typename F> bool resolve(void* handle, const char* name, F& out) {
    out = reinterpret_cast<F>(dlsym(handle, name));
    return out != nullptr;
}

} // namespace

CryptoLibrary::CryptoLibrary(const char* fileName) {
    void* handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    if (!handle) return;
    auto fn = std::make_unique<Functions>();
    if (resolve(handle, "EVP_sha256", fn->sha256) && resolve(handle, "EVP_Digest", fn->digest) &&
        resolve(handle, "HMAC", fn->hmac) && resolve(handle, "RAND_bytes", fn->randomBytes)) {
        m_handle = handle;
        m_fn = fn.release();
        return;
    }
    dlclose(handle);
}

CryptoLibrary::~CryptoLibrary() {
    delete m_fn;
    if (m_handle) dlclose(m_handle);
}

bool CryptoLibrary::sha256(std::span<const std::uint8_t> data, Digest& out) const {
    if (!m_fn) return false;
    unsigned int length = 0;
    return m_fn->digest(data.data(), data.size(), out.data(), &length, m_fn->sha256(), nullptr) ==
               1 &&
           length == out.size();
}

bool CryptoLibrary::hmacSha256(std::span<const std::uint8_t> key,
                               std::span<const std::uint8_t> data, Digest& out) const {
    if (!m_fn) return false;
    unsigned int length = 0;
    return m_fn->hmac(m_fn->sha256(), key.data(), static_cast<int>(key.size()), data.data(),
                      data.size(), out.data(), &length) != nullptr &&
           length == out.size();
}

bool CryptoLibrary::randomBytes(std::span<std::uint8_t> out) const {
    return m_fn && m_fn->randomBytes(out.data(), static_cast<int>(out.size())) == 1;
}

const CryptoLibrary& CryptoLibrary::shared() {
    if (const CryptoLibrary* replaced = g_override.load()) return *replaced;
    // Opened once, on the first call from any thread, and kept for the life of the program.
    static const CryptoLibrary* const library = new CryptoLibrary(kCryptoLibrary);
    return *library;
}

CryptoLibrary::Override::Override(const CryptoLibrary& replacement)
    : m_previous(g_override.exchange(&replacement)) {}

CryptoLibrary::Override::~Override() {
    g_override.store(m_previous);
}

} // namespace core::seal
