#include <gtest/gtest.h>

#include <set>

#include <chrono>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "../core/RowName.h"
#include "atlas/AtlasCache.h"

namespace velloran {
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
    const Atlas atlas({P("Zürich", "Canton of Zurich", "CH", 47.37, 341730),
                       P("Houston", "Texas", "US", 29.76, 2296224),
                       P("St. Paul", "Minnesota", "US", 44.94, 300851)});
    return atlas.Index();
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
    EXPECT_EQ(found.front()->name, "St. Paul");
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

}  // namespace
}  // namespace velloran
