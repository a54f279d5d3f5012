#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "../core/RowName.h"
#include "atlas/AtlasCache.h"
#include "atlas/Fold.h"
#include "atlas/Geonames.h"

namespace velloran {

// A place in a failure message: its line and population, not its bytes.
void PrintTo(const Place& p, std::ostream* os) {
    *os << PlaceLabel(p) << " (" << p.population << ", " << p.timezone << ")";
}

namespace {

using test::PrintTo;

constexpr std::string_view kStamp = "velloran 1.15; libgeonames.so.0 10 bytes, modified 1.0";

Place P(std::string name, std::string state, const char* code, double lat, unsigned population) {
    Place p;
    p.name = std::move(name);
    p.state = std::move(state);
    p.country = "Somewhere";
    p.countryCode = code;
    p.timezone = "Europe/Zurich";
    p.latitude = lat;
    p.longitude = -lat / 2;
    p.population = population;
    return p;
}

AtlasIndex SmallIndex() {
    return BuildAtlasIndex({P("Zürich", "Canton of Zurich", "CH", 47.37, 341730),
                            P("Houston", "Texas", "US", 29.76, 2296224),
                            P("St. Paul", "Minnesota", "US", 44.94, 300851)});
}

TEST(AtlasCache, ReadsBackWhatItWrote) {
    const AtlasIndex index = SmallIndex();
    const auto back = DecodeAtlasIndex(EncodeAtlasIndex(index, kStamp), kStamp);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->places.size(), index.places.size());
    for (std::size_t i = 0; i < index.places.size(); ++i) {
        EXPECT_EQ(back->places[i].name, index.places[i].name);
        EXPECT_EQ(back->places[i].state, index.places[i].state);
        EXPECT_EQ(back->places[i].countryCode, index.places[i].countryCode);
        EXPECT_EQ(back->places[i].timezone, index.places[i].timezone);
        EXPECT_EQ(back->places[i].latitude, index.places[i].latitude);
        EXPECT_EQ(back->places[i].longitude, index.places[i].longitude);
        EXPECT_EQ(back->places[i].population, index.places[i].population);
    }
    EXPECT_EQ(back->keyText, index.keyText);
    EXPECT_EQ(back->names, index.names);
    EXPECT_EQ(back->qualified, index.qualified);
    const Atlas read(std::move(*back));
    const auto found = read.FindPlaces("st paul, mn", 10);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front().name, "St. Paul");
}

// Bytes that are not a whole index written with the stamp.
struct DamagedRow {
    const char* rowName;
    std::string (*damage)(std::string good);
};
class DamagedAtlasCache : public ::testing::TestWithParam<DamagedRow> {};

TEST_P(DamagedAtlasCache, IsNotRead) {
    const std::string good = EncodeAtlasIndex(SmallIndex(), kStamp);
    ASSERT_TRUE(DecodeAtlasIndex(good, kStamp));
    EXPECT_FALSE(DecodeAtlasIndex(GetParam().damage(good), kStamp));
}

std::string Flip(std::string bytes, std::size_t at) {
    bytes.at(at) = static_cast<char>(bytes.at(at) ^ 0x01);
    return bytes;
}

// The offset of `text` in the bytes (the first place's name, a key).
std::size_t At(const std::string& bytes, const char* text) { return bytes.find(text); }

INSTANTIATE_TEST_SUITE_P(
    Rows, DamagedAtlasCache,
    ::testing::Values(
        DamagedRow{"empty", [](std::string) { return std::string(); }},
        DamagedRow{"header_only", [](std::string g) { return g.substr(0, 40); }},
        DamagedRow{"last_byte_cut", [](std::string g) { return g.substr(0, g.size() - 1); }},
        DamagedRow{"byte_added", [](std::string g) { return g + '\0'; }},
        DamagedRow{"magic_changed", [](std::string g) { return Flip(g, 0); }},
        DamagedRow{"format_changed", [](std::string g) { return Flip(g, 21); }},
        DamagedRow{"bit_in_a_name", [](std::string g) { return Flip(g, At(g, "Houston")); }},
        DamagedRow{"bit_in_a_key", [](std::string g) { return Flip(g, At(g, "houston, tx")); }},
        DamagedRow{"bit_in_the_last_byte", [](std::string g) { return Flip(g, g.size() - 1); }},
        DamagedRow{"another_programs_stamp",
                   [](std::string g) {
                       const std::size_t at = g.find("1.15");
                       return g.replace(at, 4, "1.16");
                   }},
        DamagedRow{"text_file", [](std::string) { return std::string("[Desktop Entry]\n"); }}),
    [](const auto& info) { return std::string(info.param.rowName); });

// Bytes that pass the checksum but do not hold a usable index: written by a faulty program.
TEST(AtlasCache, RefusesKeysOutOfOrderOrLeadingNowhere) {
    AtlasIndex unsorted = SmallIndex();
    std::swap(unsorted.names.front(), unsorted.names.back());
    EXPECT_FALSE(DecodeAtlasIndex(EncodeAtlasIndex(unsorted, kStamp), kStamp));

    AtlasIndex nowhere = SmallIndex();
    nowhere.qualified.back().place = 3;
    EXPECT_FALSE(DecodeAtlasIndex(EncodeAtlasIndex(nowhere, kStamp), kStamp));

    AtlasIndex pastTheText = SmallIndex();
    pastTheText.names.back().offset = static_cast<std::uint32_t>(pastTheText.keyText.size());
    EXPECT_FALSE(DecodeAtlasIndex(EncodeAtlasIndex(pastTheText, kStamp), kStamp));

    AtlasIndex tooLong = SmallIndex();
    tooLong.qualified.front().length = 0xffffffffu;
    EXPECT_FALSE(DecodeAtlasIndex(EncodeAtlasIndex(tooLong, kStamp), kStamp));

    AtlasIndex offEarth = SmallIndex();
    offEarth.places[1].latitude = 91.0;
    EXPECT_FALSE(DecodeAtlasIndex(EncodeAtlasIndex(offEarth, kStamp), kStamp));
}

TEST(AtlasCache, WritesTheWholeFileAndLeavesNothingBeside) {
    const std::filesystem::path folder =
        std::filesystem::path(std::getenv("XDG_CACHE_HOME")) / "atlas-cache-test" / "velloran";
    const std::string path = (folder / "atlas-index").string();
    ASSERT_TRUE(WriteAtlasCache(path, "first"));
    ASSERT_TRUE(WriteAtlasCache(path, "second, longer"));
    EXPECT_EQ(ReadAtlasCache(path), "second, longer");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_FALSE(ReadAtlasCache((folder / "missing").string()));
    EXPECT_FALSE(ReadAtlasCache(folder.string()));  // a folder is no cache
}

// What writes killed before left beside the cache (a named temporary of theirs) goes at the next
// write once it is an hour old; a newer one may be another write's and stays, and so does
// anything else in the folder.
TEST(AtlasCache, AWriteRemovesTheStaleTemporariesOfKilledWrites) {
    const std::filesystem::path folder =
        std::filesystem::path(std::getenv("XDG_CACHE_HOME")) / "atlas-stale-test" / "velloran";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "atlas-index").string();
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    for (const char* name :
         {"atlas-index.Ab3xYz", "atlas-index.recent", "atlas-index.keep.me", "notes.Ab3xYz"}) {
        std::ofstream(folder / name) << "left";
        if (std::string(name) != "atlas-index.recent")
            std::filesystem::last_write_time(folder / name, old);
    }
    ASSERT_TRUE(WriteAtlasCache(path, "index"));
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"atlas-index", "atlas-index.recent",
                                            "atlas-index.keep.me", "notes.Ab3xYz"}));
    EXPECT_EQ(ReadAtlasCache(path), "index");
}

// A FIFO in the cache's place (or a link to one) is refused at once, not waited on.
TEST(AtlasCache, AFifoIsNoCacheAndDoesNotHang) {
    const std::filesystem::path folder =
        std::filesystem::path(std::getenv("XDG_CACHE_HOME")) / "atlas-fifo-test";
    std::filesystem::create_directories(folder);
    const std::string fifo = (folder / "atlas-index").string();
    const std::string link = (folder / "link").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(fifo, link);
    EXPECT_FALSE(ReadAtlasCache(fifo));
    EXPECT_FALSE(ReadAtlasCache(link));
    std::filesystem::remove_all(folder);
}

// A file in this test program's cache folder holding exactly `bytes`.
std::string CacheFile(const char* name, std::string_view bytes) {
    const std::filesystem::path folder =
        std::filesystem::path(std::getenv("XDG_CACHE_HOME")) / "atlas-mapped-test";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / name).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// The search as it was before the index was read where it lies: over the built index in
// memory, ranked by the places themselves.
std::vector<Place> InMemorySearch(const AtlasIndex& index, const SearchFolder& folder,
                                  std::string_view query, std::size_t limit) {
    const auto folded = folder.Fold(query);
    if (!folded || limit == 0) return {};
    const std::string prefix = SearchKey(*folded);
    if (prefix.empty() || prefix.front() == ',') return {};
    std::vector<unsigned> hits;
    const auto collect = [&](const std::vector<AtlasKey>& keys) {
        auto it = std::lower_bound(
            keys.begin(), keys.end(), prefix,
            [&index](const AtlasKey& k, const std::string& p) { return index.Text(k) < p; });
        for (; it != keys.end() && index.Text(*it).substr(0, prefix.size()) == prefix; ++it)
            hits.push_back(it->place);
    };
    collect(index.names);
    if (prefix.find(',') != std::string::npos) collect(index.qualified);
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    std::stable_sort(hits.begin(), hits.end(), [&index](unsigned a, unsigned b) {
        const Place& pa = index.places[a];
        const Place& pb = index.places[b];
        if (pa.population != pb.population) return pa.population > pb.population;
        return pa.name < pb.name;
    });
    std::vector<Place> found;
    for (std::size_t i = 0; i < std::min(limit, hits.size()); ++i)
        found.push_back(index.places[hits[i]]);
    return found;
}

AtlasIndex NoRebuild() {
    ADD_FAILURE() << "an undamaged cache was built again";
    return {};
}

// The whole geonames atlas written to the cache and searched where it lies gives for every
// query the same places, in the same order, as the search in memory.
TEST(MappedAtlasCache, FindsWhatTheIndexInMemoryFinds) {
    const AtlasIndex index = BuildAtlasIndex(LoadGeonamesPlaces());
    ASSERT_GT(index.places.size(), 20000u);
    const std::string path = CacheFile("geonames", EncodeAtlasIndex(index, kStamp));
    auto mapped = MapAtlasCache(path, kStamp);
    ASSERT_TRUE(mapped);
    const Atlas atlas(std::move(mapped), NoRebuild);

    std::vector<std::string> queries = {"a",
                                        "s",
                                        "z",
                                        "zur",
                                        "Zürich",
                                        "st",
                                        "st petersburg, fl",
                                        "saint pet",
                                        "springfield, il",
                                        "springfield ,IL",
                                        "london, uk",
                                        "london, c",
                                        "washington, dc",
                                        "washington dc",
                                        "sao paulo, são",
                                        "new york",
                                        "Москва",
                                        "   ",
                                        ", gb",
                                        "xyzzy",
                                        "ZURICH",
                                        "paris, fr"};
    for (std::size_t i = 0; i < index.places.size(); i += 61) {
        const Place& p = index.places[i];
        for (const std::size_t n : {std::size_t{2}, std::size_t{4}, p.name.size()})
            queries.push_back(p.name.substr(0, n));
        queries.push_back(p.name + ", " + p.state.substr(0, 3));
        queries.push_back(p.name + ", " + p.countryCode);
    }
    const SearchFolder folder;
    for (const std::string& query : queries) {
        for (const std::size_t limit : {std::size_t{1}, std::size_t{10}, std::size_t{50}})
            ASSERT_EQ(atlas.FindPlaces(query, limit), InMemorySearch(index, folder, query, limit))
                << query << " (" << limit << ")";
    }
}

const std::vector<std::string> kSmallQueries = {
    "zur", "houston, tx", "st paul, mn", "saint", "s", "h", "z"};

// Every cut and every changed byte of a small cache file: a cut, or a change in the header or
// the tables of places and keys, has the file refused when opened; a change in the text has
// reading it whole fail, and searches find what the undamaged file finds, building the index
// again when a read meets the damage. Read from a buffer of exactly the file's size, so that
// the address sanitizer sees any read past its end.
TEST(MappedAtlasCache, EveryCutOrChangedByteIsFoundAndBuiltAgain) {
    const AtlasIndex index = SmallIndex();
    const std::string good = EncodeAtlasIndex(index, kStamp);
    const std::size_t textAt = good.find(index.keyText);  // the text follows the tables
    ASSERT_NE(textAt, std::string::npos);
    const Atlas undamaged(index);
    const auto check = [&](const std::string& bytes, const std::string& what, bool refused) {
        SCOPED_TRACE(what);
        auto exact = std::make_unique<char[]>(bytes.size() + 1);
        std::copy(bytes.begin(), bytes.end(), exact.get());
        const std::string_view view(exact.get(), bytes.size());
        auto source = ViewAtlasIndex(view, kStamp);
        if (refused) {
            EXPECT_FALSE(source);
        }
        if (!source) return;
        EXPECT_FALSE(ReadWholeIndex(*source));
        int rebuilt = 0;
        const Atlas atlas(std::move(source), [&] {
            ++rebuilt;
            return index;
        });
        for (const std::string& query : kSmallQueries)
            EXPECT_EQ(atlas.FindPlaces(query, 10), undamaged.FindPlaces(query, 10)) << query;
        EXPECT_LE(rebuilt, 1);
    };
    for (std::size_t size = 0; size < good.size(); ++size)
        check(good.substr(0, size), "cut to " + std::to_string(size), true);
    for (std::size_t at = 0; at < good.size(); ++at) {
        for (const int bit : {0x01, 0x80}) {
            std::string bytes = good;
            bytes[at] = static_cast<char>(bytes[at] ^ bit);
            check(bytes, "byte " + std::to_string(at) + " changed", at < textAt);
        }
    }
    check(good + '\0', "byte added", true);
}

// One damaged place in a mapped file: searches that do not reach it use the file, the first
// that does builds the index again, once, and finds the place there.
TEST(MappedAtlasCache, ADamagedPlaceIsBuiltAgainOnce) {
    const AtlasIndex index = SmallIndex();
    std::string bytes = EncodeAtlasIndex(index, kStamp);
    bytes = Flip(bytes, At(bytes, "Houston") + 2);
    int rebuilt = 0;
    auto mapped = MapAtlasCache(CacheFile("damaged-place", bytes), kStamp);
    ASSERT_TRUE(mapped);
    const Atlas atlas(std::move(mapped), [&] {
        ++rebuilt;
        return index;
    });
    ASSERT_EQ(atlas.FindPlaces("zur", 10).size(), 1u);
    EXPECT_EQ(rebuilt, 0);
    const auto houston = atlas.FindPlaces("houston", 10);
    ASSERT_EQ(houston.size(), 1u);
    EXPECT_EQ(houston.front(), index.places[1]);
    EXPECT_EQ(rebuilt, 1);
    EXPECT_EQ(atlas.FindPlaces("hou", 10), houston);
    EXPECT_EQ(rebuilt, 1);
}

// Only the user's own regular file is mapped: not a link to one (someone else could point it
// anywhere), not another user's file.
TEST(MappedAtlasCache, MapsOnlyTheUsersOwnFile) {
    const std::string path = CacheFile("own", EncodeAtlasIndex(SmallIndex(), kStamp));
    EXPECT_TRUE(MapAtlasCache(path, kStamp));
    EXPECT_FALSE(MapAtlasCache(path, "velloran 1.16; another stamp"));
    const std::string link = path + "-link";
    std::filesystem::remove(link);
    std::filesystem::create_symlink(path, link);
    EXPECT_FALSE(MapAtlasCache(link, kStamp));
    EXPECT_FALSE(ReadAtlasCache(link));
    EXPECT_FALSE(MapAtlasCache(CacheFile("empty", ""), kStamp));
    if (::geteuid() != 0) GTEST_SKIP() << "giving the file to another user needs root";
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(MapAtlasCache(path, kStamp));
    EXPECT_FALSE(ReadAtlasCache(path));
}

}  // namespace
}  // namespace velloran
