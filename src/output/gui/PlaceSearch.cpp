#include "output/gui/PlaceSearch.h"

#include "app/Links.h"
#include "app/Platform.h"
#include "input/Validation.h"
#include "output/gui/OutputCommands.h"

namespace velloran {

namespace {

// The form's search text ends with these words for web search engines; a map search finds the
// place by its name alone and shows its coordinates.
const QString kCoordinateWords = QStringLiteral(" Latitude Longitude");

}  // namespace

QUrl PlaceSearchUrl(const QString& searchText) {
    QString place = searchText;
    if (place.endsWith(kCoordinateWords)) place.chop(kCoordinateWords.size());
    place = place.simplified();
    QUrl url(QStringLiteral("https://www.openstreetmap.org/search"));
    url.setQuery(QStringLiteral("query=") + QString::fromLatin1(QUrl::toPercentEncoding(place)),
                 QUrl::StrictMode);
    return url;
}

void PlaceSearchComponent::search(const QString& text, const QString& siteAddress) {
    static_cast<void>(siteAddress);
    m_platform.openUrl(PlaceSearchUrl(text));
}

FormControl FindLatitudeLongitude(Platform& platform, QWidget* form, const FormInput& input) {
    const PlaceSearchRequest request = BuildPlaceSearch(input);
    if (request.failure) {
        platform.showMessage(form, QString::fromStdString(request.failure->message),
                             request.failure->icon, kAppTitle);
        return request.failure->focus;
    }
    PlaceSearchComponent component(platform);
    // The site address is the maker's forum home page.
    component.search(QString::fromStdString(request.searchText), kForumHomePage);
    return FormControl::None;
}

}  // namespace velloran
