#include "atlas/AtlasCache.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <random>
#include <unordered_map>

namespace velloran {

namespace {

// The file: a header (magic, format, stamp, the counts below, the tables' checksum, the header's
// check value), then the tables of fixed-size place records, name keys and qualified keys, then
// the text they all point into. The header and the tables are checked whole when the file is
// opened; each record and key ends with a check value over its fields, its position and its
// text, checked when it is read.
constexpr std::string_view kMagic = "velloran atlas index\n";
constexpr std::uint32_t kFormat = 4;  // raise when the layout or the keys' form changes
constexpr std::size_t kMaxCacheBytes = 64u << 20;

// latitude, longitude, population, five texts (offset, length), check
constexpr std::size_t kRecordBytes = 8 + 8 + 4 + 5 * 8 + 4;
// offset, length, place, check
constexpr std::size_t kKeyBytes = 4 * 4;

// 32-bit FNV-1a: any one changed byte changes the value.
class Check {
public:
    Check& Bytes(std::string_view bytes) {
        for (const char c : bytes) m_hash = (m_hash ^ static_cast<unsigned char>(c)) * 16777619u;
        return *this;
    }
    Check& U32(std::uint32_t v) { return Bytes({reinterpret_cast<const char*>(&v), sizeof v}); }
    std::uint32_t Value() const { return m_hash; }

private:
    std::uint32_t m_hash = 2166136261u;
};

// Over the tables, checked at every start: four 64-bit lanes, so that a few MB take a fraction
// of a millisecond. Any one changed byte changes the value.
std::uint64_t TablesChecksum(std::string_view bytes) {
    constexpr std::uint64_t kPrime = 0x100000001b3ULL;
    std::uint64_t lanes[4] = {0xcbf29ce484222325ULL, 0x84222325cbf29ce4ULL, 0x9e3779b97f4a7c15ULL,
                              0xc2b2ae3d27d4eb4fULL};
    std::size_t i = 0;
    for (; i + 32 <= bytes.size(); i += 32) {
        for (std::size_t k = 0; k < 4; ++k) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes.data() + i + 8 * k, 8);
            lanes[k] = (lanes[k] ^ word) * kPrime;
            lanes[k] ^= lanes[k] >> 29;
        }
    }
    std::uint64_t hash = lanes[0];
    for (; i < bytes.size(); ++i) hash = (hash ^ static_cast<unsigned char>(bytes[i])) * kPrime;
    for (std::size_t k = 1; k < 4; ++k) {
        hash = (hash ^ lanes[k]) * kPrime;
        hash ^= hash >> 29;
    }
    return hash;
}

void Put(std::string& out, const void* p, std::size_t n) {
    out.append(static_cast<const char*>(p), n);
}
void PutU32(std::string& out, std::uint32_t v) { Put(out, &v, sizeof v); }
void PutF64(std::string& out, double v) { Put(out, &v, sizeof v); }

template <typename T>
T Get(const char* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

struct Counts {
    std::uint32_t places = 0, names = 0, qualified = 0, text = 0;
};

// The index in bytes that hold a checked header: each read checks what it reads.
class CacheSource final : public AtlasSource {
public:
    CacheSource(std::string_view bytes, std::size_t bodyAt, const Counts& counts)
        : m_places(bytes.data() + bodyAt),
          m_names(m_places + std::size_t{counts.places} * kRecordBytes),
          m_qualified(m_names + std::size_t{counts.names} * kKeyBytes),
          m_text(m_qualified + std::size_t{counts.qualified} * kKeyBytes, counts.text),
          m_counts(counts) {}
    ~CacheSource() override {
        if (m_mapping) ::munmap(m_mapping, m_mappingBytes);
    }
    CacheSource(const CacheSource&) = delete;
    CacheSource& operator=(const CacheSource&) = delete;

    // Unmapped with the source.
    void KeepMapping(void* mapping, std::size_t bytes) {
        m_mapping = mapping;
        m_mappingBytes = bytes;
    }

    std::size_t KeyCount(Keys keys) const override {
        return keys == Keys::Names ? m_counts.names : m_counts.qualified;
    }

    bool Key(Keys keys, std::size_t i, std::string_view& text,
             std::uint32_t& place) const override {
        if (i >= KeyCount(keys)) return false;
        const char* key = (keys == Keys::Names ? m_names : m_qualified) + i * kKeyBytes;
        const auto offset = Get<std::uint32_t>(key);
        const auto length = Get<std::uint32_t>(key + 4);
        place = Get<std::uint32_t>(key + 8);
        if (place >= m_counts.places || !Text(offset, length, text)) return false;
        Check check;
        check.U32(keys == Keys::Names ? 0 : 1).U32(static_cast<std::uint32_t>(i));
        check.Bytes({key, 12}).Bytes(text);
        return check.Value() == Get<std::uint32_t>(key + 12);
    }

    std::size_t PlaceCount() const override { return m_counts.places; }

    bool Rank(std::uint32_t place, std::uint32_t& population,
              std::string_view& name) const override {
        Record r;
        if (!Read(place, r)) return false;
        population = r.population;
        name = r.texts[0];
        return true;
    }

    std::optional<Place> PlaceAt(std::uint32_t place) const override {
        Record r;
        if (!Read(place, r)) return std::nullopt;
        Place p;
        p.name = r.texts[0];
        p.state = r.texts[1];
        p.country = r.texts[2];
        p.countryCode = r.texts[3];
        p.timezone = r.texts[4];
        p.latitude = r.latitude;
        p.longitude = r.longitude;
        p.population = r.population;
        return p;
    }

private:
    struct Record {
        double latitude = 0.0;
        double longitude = 0.0;
        std::uint32_t population = 0;
        std::string_view texts[5];  // name, state, country, country code, zone
    };

    bool Text(std::uint32_t offset, std::uint32_t length, std::string_view& text) const {
        if (offset > m_text.size() || length > m_text.size() - offset) return false;
        text = m_text.substr(offset, length);
        return true;
    }

    bool Read(std::uint32_t place, Record& r) const {
        if (place >= m_counts.places) return false;
        const char* record = m_places + std::size_t{place} * kRecordBytes;
        r.latitude = Get<double>(record);
        r.longitude = Get<double>(record + 8);
        r.population = Get<std::uint32_t>(record + 16);
        Check check;
        check.U32(place).Bytes({record, kRecordBytes - 4});
        for (std::size_t t = 0; t < 5; ++t) {
            const char* ref = record + 20 + t * 8;
            if (!Text(Get<std::uint32_t>(ref), Get<std::uint32_t>(ref + 4), r.texts[t]))
                return false;
            check.Bytes(r.texts[t]);
        }
        return check.Value() == Get<std::uint32_t>(record + kRecordBytes - 4) &&
               std::abs(r.latitude) <= 90.0 && std::abs(r.longitude) <= 180.0;
    }

    const char* m_places;
    const char* m_names;
    const char* m_qualified;
    std::string_view m_text;
    Counts m_counts;
    void* m_mapping = nullptr;
    std::size_t m_mappingBytes = 0;
};

std::unique_ptr<CacheSource> View(std::string_view bytes, std::string_view stamp) {
    std::size_t at = 0;
    const auto take = [&bytes, &at](std::size_t n, std::string_view& out) {
        if (n > bytes.size() - at) return false;
        out = bytes.substr(at, n);
        at += n;
        return true;
    };
    std::string_view magic, format, stampSize, written, counts, tablesChecksum, check;
    if (!take(kMagic.size(), magic) || magic != kMagic || !take(4, format) ||
        Get<std::uint32_t>(format.data()) != kFormat || !take(4, stampSize) ||
        !take(Get<std::uint32_t>(stampSize.data()), written) || written != stamp ||
        !take(sizeof(Counts), counts) || !take(8, tablesChecksum) || !take(4, check) ||
        Check().Bytes(bytes.substr(0, at - 4)).Value() != Get<std::uint32_t>(check.data()))
        return nullptr;
    const auto c = Get<Counts>(counts.data());
    // In 64 bits: no count can overflow the sums.
    const std::uint64_t tables =
        std::uint64_t{c.places} * kRecordBytes + (std::uint64_t{c.names} + c.qualified) * kKeyBytes;
    if (tables + c.text != bytes.size() - at ||
        TablesChecksum(bytes.substr(at, tables)) != Get<std::uint64_t>(tablesChecksum.data()))
        return nullptr;
    return std::make_unique<CacheSource>(bytes, at, c);
}

}  // namespace

std::string EncodeAtlasIndex(const AtlasIndex& index, std::string_view stamp) {
    // The text: the keys' text, then each of the places' texts once.
    std::string text = index.keyText;
    std::unordered_map<std::string_view, std::uint32_t> placed;
    const auto textRef = [&text, &placed](const std::string& s, std::string& out) {
        auto it = placed.find(s);
        if (it == placed.end()) {
            it = placed.emplace(s, static_cast<std::uint32_t>(text.size())).first;
            text += s;
        }
        PutU32(out, it->second);
        PutU32(out, static_cast<std::uint32_t>(s.size()));
    };
    std::string places;
    for (std::uint32_t i = 0; i < index.places.size(); ++i) {
        const Place& p = index.places[i];
        std::string record;
        PutF64(record, p.latitude);
        PutF64(record, p.longitude);
        PutU32(record, p.population);
        for (const std::string* s : {&p.name, &p.state, &p.country, &p.countryCode, &p.timezone})
            textRef(*s, record);
        Check check;
        check.U32(i).Bytes(record);
        for (const std::string* s : {&p.name, &p.state, &p.country, &p.countryCode, &p.timezone})
            check.Bytes(*s);
        PutU32(record, check.Value());
        places += record;
    }
    const auto keys = [&index](const std::vector<AtlasKey>& table, std::uint32_t tableId) {
        std::string out;
        for (std::uint32_t i = 0; i < table.size(); ++i) {
            std::string key;
            PutU32(key, table[i].offset);
            PutU32(key, table[i].length);
            PutU32(key, table[i].place);
            const std::string_view keyText =
                table[i].offset <= index.keyText.size() ? index.Text(table[i]) : "";
            PutU32(key, Check().U32(tableId).U32(i).Bytes(key).Bytes(keyText).Value());
            out += key;
        }
        return out;
    };

    std::string file(kMagic);
    PutU32(file, kFormat);
    PutU32(file, static_cast<std::uint32_t>(stamp.size()));
    file += stamp;
    const Counts counts{static_cast<std::uint32_t>(index.places.size()),
                        static_cast<std::uint32_t>(index.names.size()),
                        static_cast<std::uint32_t>(index.qualified.size()),
                        static_cast<std::uint32_t>(text.size())};
    Put(file, &counts, sizeof counts);
    const std::string tables = places + keys(index.names, 0) + keys(index.qualified, 1);
    const std::uint64_t tablesChecksum = TablesChecksum(tables);
    Put(file, &tablesChecksum, sizeof tablesChecksum);
    PutU32(file, Check().Bytes(file).Value());
    file += tables;
    file += text;
    return file;
}

std::unique_ptr<AtlasSource> ViewAtlasIndex(std::string_view bytes, std::string_view stamp) {
    return View(bytes, stamp);
}

std::optional<AtlasIndex> ReadWholeIndex(const AtlasSource& source) {
    AtlasIndex index;
    for (std::uint32_t i = 0; i < source.PlaceCount(); ++i) {
        auto p = source.PlaceAt(i);
        if (!p) return std::nullopt;
        index.places.push_back(std::move(*p));
    }
    for (const auto keys : {AtlasSource::Keys::Names, AtlasSource::Keys::Qualified}) {
        auto& table = keys == AtlasSource::Keys::Names ? index.names : index.qualified;
        for (std::size_t i = 0; i < source.KeyCount(keys); ++i) {
            std::string_view text;
            std::uint32_t place = 0;
            if (!source.Key(keys, i, text, place)) return std::nullopt;
            table.push_back({static_cast<std::uint32_t>(index.keyText.size()),
                             static_cast<std::uint32_t>(text.size()), place});
            index.keyText += text;
        }
    }
    if (!ValidIndex(index)) return std::nullopt;
    return index;
}

std::optional<AtlasIndex> DecodeAtlasIndex(std::string_view bytes, std::string_view stamp) {
    const auto source = View(bytes, stamp);
    if (!source) return std::nullopt;
    return ReadWholeIndex(*source);
}

namespace {

// The cache file opened for reading: a regular file of this user, not through a link, and no
// larger than a cache can be; -1 otherwise.
int OpenCacheFile(const std::string& path, std::size_t& size) {
    // Without blocking: a FIFO put in the cache's place would otherwise wait for a writer
    // forever. Anything but a regular file is then refused below.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0) return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid() ||
        static_cast<std::size_t>(st.st_size) > kMaxCacheBytes) {
        ::close(fd);
        return -1;
    }
    size = static_cast<std::size_t>(st.st_size);
    return fd;
}

}  // namespace

std::unique_ptr<AtlasSource> MapAtlasCache(const std::string& path, std::string_view stamp) {
    std::size_t size = 0;
    const int fd = OpenCacheFile(path, size);
    if (fd < 0) return nullptr;
    void* mapping = size ? ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0) : MAP_FAILED;
    ::close(fd);
    if (mapping == MAP_FAILED) return nullptr;
    // A search reads a few scattered pages. The kernel maps the whole page-cache folio (up to
    // 2 MB) around a touched page as far as the mapping reaches: stretches of alternating advice
    // are separate mappings to it, so a touch maps no more than its stretch.
    constexpr std::size_t kStretch = 64u << 10;
    for (std::size_t at = 0; at < size; at += kStretch) {
        ::madvise(static_cast<char*>(mapping) + at, std::min(kStretch, size - at),
                  (at / kStretch) % 2 ? MADV_RANDOM : MADV_NORMAL);
    }
    auto source = View(std::string_view(static_cast<const char*>(mapping), size), stamp);
    if (!source) {
        ::munmap(mapping, size);
        return nullptr;
    }
    source->KeepMapping(mapping, size);
    return source;
}

std::optional<std::string> ReadAtlasCache(const std::string& path) {
    std::size_t size = 0;
    const int fd = OpenCacheFile(path, size);
    if (fd < 0) return std::nullopt;
    std::optional<std::string> bytes;
    std::string data(size, '\0');
    std::size_t got = 0;
    while (got < data.size()) {
        const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    if (got == data.size()) bytes = std::move(data);
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
