// stationgen <output.cpp>: writes the retrograde station tables of Mercury to Saturn for
// 1900..2050 as C++ source. The output depends only on the ephemeris files, so a second run
// writes the identical file.

#include <swephexp.h>

#include <exception>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "StationSearch.h"
#include "TableWriter.h"

namespace velloran::stationgen {
namespace {

constexpr const char* kEphePath = "/usr/share/libswe/ephe";
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2050;

struct PlanetId {
    const char* name;
    int id;
};
constexpr PlanetId kPlanets[] = {{"Mercury", SE_MERCURY},
                                 {"Venus", SE_VENUS},
                                 {"Mars", SE_MARS},
                                 {"Jupiter", SE_JUPITER},
                                 {"Saturn", SE_SATURN}};

std::vector<PlanetTable> ComputeTables() {
    const UtSeconds from = StartOfYear(kFirstYear);
    const UtSeconds to = StartOfYear(kLastYear + 1);
    std::vector<PlanetTable> tables;
    for (const PlanetId& planet : kPlanets) {
        tables.push_back({planet.name, FindStationPairs(planet.id, from, to)});
    }
    return tables;
}

void WriteFile(const char* path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        throw std::runtime_error(std::string("cannot write ") + path);
    }
}

int Run(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: stationgen <output.cpp>\n";
        return 2;
    }
    OpenEphemeris(kEphePath);
    const std::vector<PlanetTable> tables = ComputeTables();
    swe_close();
    WriteFile(argv[1], StationTablesSource(tables));
    std::cout << "stationgen: wrote " << argv[1] << ":";
    for (const PlanetTable& table : tables) {
        std::cout << ' ' << table.name << ' ' << table.pairs.size();
    }
    std::cout << " pairs\n";
    return 0;
}

}  // namespace
}  // namespace velloran::stationgen

int main(int argc, char** argv) {
    try {
        return velloran::stationgen::Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "stationgen: " << e.what() << '\n';
        return 1;
    }
}
