#include "output/gui/PlaceSearch.h"

#include "input/Validation.h"
#include "output/gui/OutputCommands.h"
#include "ui/Links.h"
#include "ui/Platform.h"

namespace velloran {

// A map search for the whole search text, which the map service reads as a place and shows with
// its coordinates. The text goes in as one percent-encoded query value, unchanged.
QUrl PlaceSearchUrl(const QString& searchText) {
    QUrl url(QStringLiteral("https://www.google.com/maps/search/"));
    url.setQuery(
        QStringLiteral("api=1&query=") + QString::fromLatin1(QUrl::toPercentEncoding(searchText)),
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
        ShowRefusal(platform, form, *request.failure);
        return request.failure->focus;
    }
    PlaceSearchComponent component(platform);
    // The site address is the maker's forum home page.
    component.search(QString::fromStdString(request.searchText), kForumHomePage);
    return FormControl::None;
}

void ShowRefusal(Platform& platform, QWidget* parent, const ValidationFailure& failure) {
    const MessageIcon icon =
        failure.severity == Severity::Information ? MessageIcon::Information : MessageIcon::Error;
    platform.showMessage(parent, QString::fromStdString(failure.message), icon, kAppTitle);
}

}  // namespace velloran
