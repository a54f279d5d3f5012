#pragma once
// The place look-up behind the form's "find latitude and longitude" button: a map search in the
// user's browser.

#include <QString>
#include <QUrl>

namespace velloran {

class Platform;

// The map search address for a search text: the place words of the text, percent-encoded as the
// query of the OpenStreetMap search page.
QUrl PlaceSearchUrl(const QString& searchText);

// Created for one click: opens the map search for the text in the default browser.
class PlaceSearchComponent {
public:
    explicit PlaceSearchComponent(Platform& platform) : m_platform(platform) {}
    // siteAddress names the site asking for the search; the map search needs nothing from it.
    void search(const QString& text, const QString& siteAddress);

private:
    Platform& m_platform;
};

}  // namespace velloran
