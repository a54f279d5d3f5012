// The place look-up: the form's checks stop it with their message and focus; otherwise the map
// search opens in the browser with the place words safely encoded.

#include <gtest/gtest.h>

#include <QUrlQuery>

#include "output/gui/OutputCommands.h"
#include "output/gui/PlaceSearch.h"
#include "support/FakePlatform.h"
#include "ui/Links.h"

namespace velloran::test {
namespace {

FormInput PuneForm() {
    FormInput f;
    f.city = "Pune";
    f.state = "Maharashtra";
    f.country = "India";
    return f;
}

struct MissingPlace {
    const char* name;
    FormInput form;
    const char* message;
    FormControl focus;
};

void PrintTo(const MissingPlace& c, std::ostream* os) { *os << c.name; }

FormInput Without(std::string FormInput::*field) {
    FormInput f = PuneForm();
    f.*field = "";
    return f;
}

class MissingPlaceTest : public ::testing::TestWithParam<MissingPlace> {};

TEST_P(MissingPlaceTest, ShowsTheMessageReturnsTheFocusAndOpensNothing) {
    FakePlatform platform;
    const MissingPlace& c = GetParam();

    EXPECT_EQ(FindLatitudeLongitude(platform, nullptr, c.form), c.focus);

    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, c.message);
    EXPECT_EQ(platform.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(platform.messages[0].title, "Velloran");
    EXPECT_TRUE(platform.openedUrls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Checks, MissingPlaceTest,
    ::testing::Values(MissingPlace{"no_city", Without(&FormInput::city), "Please Enter City",
                                   FormControl::txtCity},
                      MissingPlace{"no_state_with_city", Without(&FormInput::state),
                                   "Please Enter State", FormControl::txtState},
                      MissingPlace{"no_country", Without(&FormInput::country),
                                   "Please Enter Country", FormControl::txtCountry},
                      MissingPlace{"nothing_at_all", FormInput{}, "Please Enter City",
                                   FormControl::txtCity}),
    [](const ::testing::TestParamInfo<MissingPlace>& info) {
        return std::string(info.param.name);
    });

TEST(PlaceSearchTest, OpensTheMapSearchForThePlace) {
    FakePlatform platform;

    EXPECT_EQ(FindLatitudeLongitude(platform, nullptr, PuneForm()), FormControl::None);

    ASSERT_EQ(platform.openedUrls.size(), 1u);
    EXPECT_EQ(platform.openedUrls[0].toString(QUrl::FullyEncoded),
              "https://www.google.com/maps/search/"
              "?api=1&query=Pune%20Maharashtra%20India%20Latitude%20Longitude");
    EXPECT_TRUE(platform.messages.empty());
}

// Pasted text is not filtered: delimiters and non-ASCII letters stay inside the one query value.
TEST(PlaceSearchTest, PastedPunctuationStaysInsideTheQuery) {
    FakePlatform platform;
    PlaceSearchComponent component(platform);

    component.search(QStringLiteral("St. John's & Co+ #1 ?x=y  Zürich Latitude Longitude"),
                     kForumHomePage);

    ASSERT_EQ(platform.openedUrls.size(), 1u);
    const QUrl& url = platform.openedUrls[0];
    EXPECT_TRUE(url.isValid());
    EXPECT_EQ(url.host(), "www.google.com");
    EXPECT_EQ(url.path(), "/maps/search/");
    EXPECT_TRUE(url.fragment().isNull());
    const QUrlQuery query(url);
    EXPECT_EQ(query.queryItems(QUrl::FullyDecoded).size(), 2);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("query"), QUrl::FullyDecoded),
              QStringLiteral("St. John's & Co+ #1 ?x=y  Zürich Latitude Longitude"));
}

}  // namespace
}  // namespace velloran::test
