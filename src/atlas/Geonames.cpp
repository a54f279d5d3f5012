#include "atlas/Geonames.h"

#include <geonames.h>

namespace velloran {

namespace {

std::string Text(const gchar* text) { return text ? std::string(text) : std::string(); }

}  // namespace

std::vector<Place> LoadGeonamesPlaces() {
    const gint count = geonames_get_n_cities();
    std::vector<Place> places;
    places.reserve(count > 0 ? static_cast<std::size_t>(count) : 0);
    for (gint i = 0; i < count; ++i) {
        GeonamesCity* city = geonames_get_city(i);
        if (!city) continue;
        Place p;
        p.name = Text(geonames_city_get_name(city));
        p.state = Text(geonames_city_get_state(city));
        p.country = Text(geonames_city_get_country(city));
        p.countryCode = Text(geonames_city_get_country_code(city));
        p.timezone = Text(geonames_city_get_timezone(city));
        p.latitude = geonames_city_get_latitude(city);
        p.longitude = geonames_city_get_longitude(city);
        p.population = geonames_city_get_population(city);
        geonames_city_free(city);
        places.push_back(std::move(p));
    }
    return places;
}

}  // namespace velloran
