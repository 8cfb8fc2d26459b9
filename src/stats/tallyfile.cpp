// SPDX-License-Identifier: GPL-3.0-or-later
#include "stats/tallyfile.h"

#include "stats/tallytext.h"
#include "stats/tlzrw1.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <system_error>
#if __has_include(<unistd.h>)
#include <unistd.h>
#endif

namespace core {

namespace {

// Why a tally could not be loaded; the file's name follows.
constexpr const char* kNotReadable = "The tally file is not readable : ";
constexpr const char* kTooLarge = "The tally file is too large : ";

// Writes the bytes to a new file and forces them to the disk before the rename makes them the
// tally, so a crash cannot leave a half-written tally behind.
bool writeWhole(const std::filesystem::path& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
#if __has_include(<unistd.h>)
    ok = ::fsync(::fileno(f)) == 0 && ok;
#endif
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

// The tally is stored with the fast method; the file's name goes into the codec's error texts.
void nameTallyCodec(Tlzrw1& codec, const std::filesystem::path& path) {
    codec.CompressMode = TCompressMode::Fast;
    codec.InputFile = path.string();
    codec.OutputFile = path.string();
}

} // namespace

TallyFile::TallyFile(std::filesystem::path directory)
    : m_path(std::move(directory) / (std::string(kProgramName) + kFileSuffix)) {}

TallyFile::LoadResult TallyFile::load(TallyTable& table) {
    m_keepOld = false;
    std::error_code ec;
    if (!std::filesystem::exists(m_path, ec)) return {LoadStatus::Missing, {}};

    auto fail = [&](std::string text) {
        std::filesystem::path kept = m_path;
        kept += kDamagedSuffix;
        std::error_code copyError;
        const bool copied = std::filesystem::copy_file(
            m_path, kept, std::filesystem::copy_options::overwrite_existing, copyError);
        m_keepOld = !copied || copyError;
        return LoadResult{LoadStatus::Failed, std::move(text)};
    };

    const auto size = std::filesystem::file_size(m_path, ec);
    if (ec) return fail(kNotReadable + m_path.string());
    if (size > kMaxFileSize) return fail(kTooLarge + m_path.string());
    std::ifstream in(m_path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return fail(kNotReadable + m_path.string());
    if (auto error = readBytes(bytes, table)) return fail(std::move(*error));
    return {LoadStatus::Loaded, {}};
}

std::optional<std::string> TallyFile::readBytes(const std::string& bytes, TallyTable& table) const {
    // The header states the text's size; a few bytes can claim gigabytes, so a claim far
    // beyond any tally is refused before anything is expanded.
    if (bytes.size() >= Tlzrw1::kHeaderSize) {
        auto le32 = [&](int at) {
            std::uint32_t v = 0;
            for (int i = at + 3; i >= at; --i)
                v = (v << 8) | static_cast<unsigned char>(bytes[i]);
            return v;
        };
        const std::uint32_t signature = le32(0);
        const bool known =
            signature == Tlzrw1::kSignatureLzrw1KH || signature == Tlzrw1::kSignatureLzh;
        if (known && le32(4) > kMaxTextSize) return kTooLarge + m_path.string();
    }

    std::string text;
    try {
        Tlzrw1 doit;
        nameTallyCodec(doit, m_path);
        text = doit.decompressBuffer(bytes);
    } catch (const std::exception& e) {
        return std::string(e.what());
    }

    TallyTable read;
    if (auto error = loadgrid(text, read)) return error;
    table = std::move(read);
    return std::nullopt;
}

std::optional<std::string> TallyFile::save(const TallyTable& table) const {
    if (m_keepOld)
        return "The unreadable tally file could not be kept aside, so it is left as it is : " +
               m_path.string();
    std::string bytes;
    try {
        Tlzrw1 doit;
        nameTallyCodec(doit, m_path);
        bytes = doit.compressBuffer(savegrid(table));
    } catch (const std::exception& e) {
        return std::string(e.what());
    }

    std::filesystem::path fresh = m_path;
    fresh += ".new";
    std::error_code ec;
    if (!writeWhole(fresh, bytes)) {
        std::filesystem::remove(fresh, ec);
        return "Could not write " + fresh.string();
    }
    std::filesystem::rename(fresh, m_path, ec);
    if (ec) {
        std::filesystem::remove(fresh, ec);
        return "Could not replace " + m_path.string();
    }
    return std::nullopt;
}

} // namespace core
