#include "atlas/AtlasCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>

namespace velloran {

namespace {

constexpr std::string_view kMagic = "velloran atlas index\n";
constexpr std::uint32_t kFormat = 3;  // raise when the layout or the keys' form changes
constexpr std::size_t kMaxCacheBytes = 64u << 20;

// 64-bit FNV-1a over 8-byte words, then the tail: fast enough to check a few MB at every start.
std::uint64_t Checksum(std::string_view bytes) {
    constexpr std::uint64_t kPrime = 0x100000001b3ULL;
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, 8);
        hash = (hash ^ word) * kPrime;
        hash ^= hash >> 29;
    }
    for (; i < bytes.size(); ++i) hash = (hash ^ static_cast<unsigned char>(bytes[i])) * kPrime;
    return hash;
}

class Writer {
public:
    void U32(std::uint32_t v) { Raw(&v, sizeof v); }
    void U64(std::uint64_t v) { Raw(&v, sizeof v); }
    void F64(double v) { Raw(&v, sizeof v); }
    void Text(std::string_view s) {
        U32(static_cast<std::uint32_t>(s.size()));
        m_bytes.append(s);
    }
    void Raw(const void* p, std::size_t n) { m_bytes.append(static_cast<const char*>(p), n); }
    std::string& Bytes() { return m_bytes; }

private:
    std::string m_bytes;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}
    bool U32(std::uint32_t& v) { return Raw(&v, sizeof v); }
    bool U64(std::uint64_t& v) { return Raw(&v, sizeof v); }
    bool F64(double& v) { return Raw(&v, sizeof v); }
    bool Text(std::string& s) {
        std::uint32_t size = 0;
        if (!U32(size) || size > m_bytes.size() - m_at) return false;
        s.assign(m_bytes.data() + m_at, size);
        m_at += size;
        return true;
    }
    bool Skip(std::string_view expected) {
        if (m_bytes.substr(m_at, expected.size()) != expected) return false;
        m_at += expected.size();
        return true;
    }
    std::size_t Left() const { return m_bytes.size() - m_at; }
    bool Raw(void* p, std::size_t n) {
        if (n == 0) return true;
        if (n > m_bytes.size() - m_at) return false;
        std::memcpy(p, m_bytes.data() + m_at, n);
        m_at += n;
        return true;
    }

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
};

void WriteKeys(Writer& w, const std::vector<AtlasKey>& keys) {
    w.U32(static_cast<std::uint32_t>(keys.size()));
    if (!keys.empty()) w.Raw(keys.data(), keys.size() * sizeof(AtlasKey));
}

// A count no larger than what the bytes left could hold at `leastBytes` an entry.
bool Count(Reader& r, std::uint32_t& count, std::size_t leastBytes) {
    return r.U32(count) && count <= r.Left() / leastBytes;
}

bool ReadKeys(Reader& r, std::vector<AtlasKey>& keys) {
    std::uint32_t count = 0;
    if (!Count(r, count, sizeof(AtlasKey))) return false;
    keys.resize(count);
    return r.Raw(keys.data(), count * sizeof(AtlasKey));
}

bool ReadPlaces(Reader& r, std::vector<Place>& places) {
    std::uint32_t count = 0;
    if (!Count(r, count, 5 * 4 + 2 * 8 + 4)) return false;
    places.resize(count);
    for (Place& p : places) {
        if (!r.Text(p.name) || !r.Text(p.state) || !r.Text(p.country) || !r.Text(p.countryCode) ||
            !r.Text(p.timezone) || !r.F64(p.latitude) || !r.F64(p.longitude) ||
            !r.U32(p.population))
            return false;
        if (!(std::abs(p.latitude) <= 90.0) || !(std::abs(p.longitude) <= 180.0)) return false;
    }
    return true;
}

}  // namespace

std::string EncodeAtlasIndex(const AtlasIndex& index, std::string_view stamp) {
    Writer body;
    body.U32(static_cast<std::uint32_t>(index.places.size()));
    for (const Place& p : index.places) {
        body.Text(p.name);
        body.Text(p.state);
        body.Text(p.country);
        body.Text(p.countryCode);
        body.Text(p.timezone);
        body.F64(p.latitude);
        body.F64(p.longitude);
        body.U32(p.population);
    }
    body.Text(index.keyText);
    WriteKeys(body, index.names);
    WriteKeys(body, index.qualified);

    Writer file;
    file.Bytes() = kMagic;
    file.U32(kFormat);
    file.Text(stamp);
    file.U64(body.Bytes().size());
    file.U64(Checksum(body.Bytes()));
    file.Bytes() += body.Bytes();
    return std::move(file.Bytes());
}

std::optional<AtlasIndex> DecodeAtlasIndex(std::string_view bytes, std::string_view stamp) {
    Reader header(bytes);
    std::uint32_t format = 0;
    std::string written;
    std::uint64_t size = 0, checksum = 0;
    if (!header.Skip(kMagic) || !header.U32(format) || format != kFormat || !header.Text(written) ||
        written != stamp || !header.U64(size) || !header.U64(checksum) || size != header.Left())
        return std::nullopt;
    const std::string_view body = bytes.substr(bytes.size() - size);
    if (Checksum(body) != checksum) return std::nullopt;

    Reader r(body);
    AtlasIndex index;
    if (!ReadPlaces(r, index.places) || !r.Text(index.keyText) || !ReadKeys(r, index.names) ||
        !ReadKeys(r, index.qualified) || r.Left() != 0 || !ValidIndex(index))
        return std::nullopt;
    return index;
}

std::optional<std::string> ReadAtlasCache(const std::string& path) {
    // Without blocking: a FIFO put in the cache's place would otherwise wait for a writer
    // forever. Anything but a regular file is then refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    std::optional<std::string> bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<std::size_t>(st.st_size) <= kMaxCacheBytes) {
        std::string data(static_cast<std::size_t>(st.st_size), '\0');
        std::size_t got = 0;
        while (got < data.size()) {
            const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
            if (n <= 0) break;
            got += static_cast<std::size_t>(n);
        }
        if (got == data.size()) bytes = std::move(data);
    }
    ::close(fd);
    return bytes;
}

namespace {

// A temporary that no write can still be using: an hour old. A write takes a second.
constexpr auto kStaleTemporaryAge = std::chrono::hours(1);

// Gives the unnamed file fd a temporary name beside path ("<path>.XXXXXX" with random letters);
// false when it cannot.
bool LinkUnnamed(int fd, const std::string& path, std::string& temporary) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    std::random_device random;
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = path + ".";
        for (int i = 0; i < 6; ++i) temporary += kLetters[random() % (sizeof kLetters - 1)];
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST) return false;
    }
    return false;
}

// Removes what writes killed before this one left in the cache's folder: "<name>.XXXXXX" files
// of this user an hour old or more (a newer one may belong to a write still going on).
void RemoveStaleTemporaries(const std::filesystem::path& folder, const std::string& name) {
    std::error_code error;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string entryName = entry.path().filename().string();
        if (entryName.size() != name.size() + 7 ||
            entryName.compare(0, name.size() + 1, name + ".") != 0)
            continue;
        struct stat info {};
        if (::lstat(entry.path().c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
            info.st_uid != ::geteuid())
            continue;
        const auto written = entry.last_write_time(error);
        if (error || now - written < kStaleTemporaryAge) continue;
        std::filesystem::remove(entry.path(), error);
    }
}

}  // namespace

bool WriteAtlasCache(const std::string& path, std::string_view bytes) {
    std::error_code error;
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.parent_path();
    std::filesystem::create_directories(folder, error);
    RemoveStaleTemporaries(folder, target.filename().string());

    // Written unnamed where the file system allows, so a program killed while writing leaves
    // nothing; named only for the moment between the link and the rename.
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    const bool unnamed = fd >= 0;
    std::string temporary = path + ".XXXXXX";
    if (!unnamed) fd = ::mkstemp(temporary.data());
    if (fd < 0) return false;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    bool whole = written == bytes.size() && ::fsync(fd) == 0;
    bool named = !unnamed;
    if (whole && unnamed) named = whole = LinkUnnamed(fd, path, temporary);
    if (::close(fd) != 0) whole = false;
    if (!whole || ::rename(temporary.c_str(), path.c_str()) != 0) {
        if (named) ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace velloran
