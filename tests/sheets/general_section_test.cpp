// The user's own coordinates: loaded when their rows come on screen, checked
// as they are typed, and committed into the store and the observer position
// when the rows leave the screen; invalid text is marked and never committed.

#include "support/preferences_fixture.h"

#include "sheets/coordinate_row.h"
#include "sheets/general_section.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

using testsupport::PreferencesSheet;

class Coordinates : public PreferencesSheet {
protected:
    sheets::GeneralSection& general() { return *sheet->general(); }
    sheets::CoordinateField* latitude() { return general().latitudeRow()->field(); }
    sheets::CoordinateField* longitude() { return general().longitudeRow()->field(); }
    void clickSpecificCoords() { QTest::mouseClick(general().specificCoordsRow()->toggle(), Qt::LeftButton); }
    static void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
};

TEST_F(Coordinates, TheSectionHasItsTextsAndNoRowsWhileTheSwitchIsOff) {
    open();
    EXPECT_EQ(general().footer()->text(),
              "Specific coordinates overrides automatic location detection. If you deny location services and do not "
              "specify coordinates here, the app will use London, UK.");
    EXPECT_EQ(general().specificCoordsRow()->label()->text(), "Specific coordinates");
    EXPECT_TRUE(general().specificCoordsRow()->toggle()->text().isEmpty());
    EXPECT_FALSE(general().specificCoordsRow()->toggle()->isChecked());
    EXPECT_EQ(general().latitudeRow(), nullptr);
    EXPECT_EQ(general().longitudeRow(), nullptr);
}

TEST_F(Coordinates, SwitchingOnShowsTheStoredValuesAndChangesNoPosition) {
    settings().setCoordsLat(51.509865);
    settings().setCoordsLon(-0.118092);
    open();
    clickSpecificCoords();
    EXPECT_TRUE(app::UserSettings().specificCoords());
    ASSERT_NE(general().latitudeRow(), nullptr);
    EXPECT_EQ(general().latitudeRow()->label()->text(), "Latitude");
    EXPECT_EQ(general().longitudeRow()->label()->text(), "Longitude");
    EXPECT_EQ(latitude()->text(), "51.509865");
    EXPECT_EQ(longitude()->text(), "-0.118092");
    EXPECT_TRUE(latitude()->alignment() & Qt::AlignRight);
    EXPECT_FALSE(latitude()->showsInvalid());
    EXPECT_EQ(global().Latitude(), 11.0);
    EXPECT_EQ(global().Longitude(), 22.0);

    sheet->accept();   // closing without typing puts the stored values into the position
    EXPECT_EQ(global().Latitude(), 51.509865);
    EXPECT_EQ(global().Longitude(), -0.118092);
}

TEST_F(Coordinates, AConfirmedValueIsCommittedWhenTheSheetCloses) {
    settings().setSpecificCoords(true);
    open();
    type(latitude(), "40.5");
    QTest::keyClick(latitude(), Qt::Key_Return);
    EXPECT_EQ(settings().coordsLat(), 0.0);   // nothing before the rows go
    EXPECT_EQ(global().Latitude(), 11.0);
    sheet->accept();
    EXPECT_EQ(settings().coordsLat(), 40.5);
    EXPECT_EQ(app::UserSettings().coordsLat(), 40.5);   // saved in the store
    EXPECT_EQ(global().Latitude(), 40.5);
    EXPECT_EQ(global().Longitude(), 0.0);
}

TEST_F(Coordinates, TextTypedButNotConfirmedIsNotLost) {
    settings().setSpecificCoords(true);
    open();
    type(latitude(), "-12.25");
    longitude()->setText("100.125");   // no Return, no change of focus
    sheet->close();
    EXPECT_EQ(app::UserSettings().coordsLat(), -12.25);
    EXPECT_EQ(app::UserSettings().coordsLon(), 100.125);
    EXPECT_EQ(global().Latitude(), -12.25);
    EXPECT_EQ(global().Longitude(), 100.125);
}

TEST_F(Coordinates, SwitchingOffCommitsWhatWasTypedAndRemovesTheRows) {
    settings().setSpecificCoords(true);
    open();
    type(latitude(), "48.8566");
    QTest::keyClick(latitude(), Qt::Key_Return);
    longitude()->setText("2.3522");
    clickSpecificCoords();
    EXPECT_EQ(general().latitudeRow(), nullptr);
    const app::UserSettings stored;
    EXPECT_FALSE(stored.specificCoords());
    EXPECT_EQ(stored.coordsLat(), 48.8566);
    EXPECT_EQ(stored.coordsLon(), 2.3522);
    EXPECT_EQ(global().Latitude(), 48.8566);
    EXPECT_EQ(global().Longitude(), 2.3522);

    // Closing afterwards writes nothing more.
    global().setLatitude(7.0);
    sheet->accept();
    EXPECT_EQ(global().Latitude(), 7.0);
    EXPECT_EQ(flag.writes.size(), 1u);
}

// The field says why it is red, under it, while the text is no coordinate; the
// last valid value stands and is what a closing stores.
TEST_F(Coordinates, AnInvalidValueSaysWhyUnderTheField) {
    settings().setSpecificCoords(true);
    settings().setCoordsLat(10.0);
    settings().setCoordsLon(20.0);
    open();
    sheets::CoordinateRow& lat = *general().latitudeRow();
    sheets::CoordinateRow& lon = *general().longitudeRow();
    EXPECT_FALSE(lat.message()->isVisible());
    EXPECT_FALSE(lon.message()->isVisible());

    type(latitude(), "95");
    QTest::keyClick(latitude(), Qt::Key_Return);
    EXPECT_TRUE(lat.message()->isVisible());
    EXPECT_EQ(lat.message()->text(), "Latitude is between -90 and 90");
    EXPECT_EQ(latitude()->accessibleDescription(), lat.message()->text());
    EXPECT_GT(lat.message()->geometry().top(), latitude()->mapTo(&lat, QPoint(0, latitude()->height())).y() - 1)
        << "under the field";

    type(longitude(), "east");
    EXPECT_TRUE(lon.message()->isVisible());
    EXPECT_EQ(lon.message()->text(), "Longitude is not a number written like -0.118092");

    type(latitude(), "-33.5");
    QTest::keyClick(latitude(), Qt::Key_Return);
    EXPECT_FALSE(lat.message()->isVisible());
    EXPECT_TRUE(latitude()->accessibleDescription().isEmpty());
    type(latitude(), "-90.5");
    EXPECT_TRUE(lat.message()->isVisible());

    sheet->accept();
    EXPECT_EQ(settings().coordsLat(), -33.5) << "the last valid value";
    EXPECT_EQ(settings().coordsLon(), 20.0);
}

// Text the user's locale does not read as a number (nor as one with a full
// stop) is said to be no number, with a number written as the locale writes
// it; only a number is said to be out of range.
TEST_F(Coordinates, TheMessageSaysWhetherTheTextIsNoNumberOrOutOfRange) {
    const QLocale british(QLocale::English, QLocale::UnitedKingdom);
    const QLocale german(QLocale::German, QLocale::Germany);
    const struct {
        QLocale locale;
        bool isLatitude;
        const char* text;
        const char* message;   // empty: the text is a coordinate
    } cases[] = {
        {british, false, "-0,0005", "Longitude is not a number written like -0.118092"},
        {british, true, "51,5", "Latitude is not a number written like 51.509865"},
        {british, false, "-180.5", "Longitude is between -180 and 180"},
        {german, false, "-0,0005", ""},
        {german, false, "1.000,5", "Longitude is not a number written like -0,118092"},
        {german, true, "51,5,1", "Latitude is not a number written like 51,509865"},
        {german, true, "-90,5", "Latitude is between -90 and 90"},
    };
    const QLocale before;
    settings().setSpecificCoords(true);
    for (const auto& c : cases) {
        QLocale::setDefault(c.locale);
        open();
        sheets::CoordinateRow& row = c.isLatitude ? *general().latitudeRow() : *general().longitudeRow();
        type(row.field(), QString::fromLatin1(c.text));
        EXPECT_EQ((row.message()->isVisible() ? row.message()->text() : QString()).toStdString(), c.message)
            << c.locale.name().toStdString() << " " << c.text;
    }
    QLocale::setDefault(before);
}

TEST_F(Coordinates, LettersAreMarkedInvalidAndTheOldValueIsStoredAgain) {
    settings().setSpecificCoords(true);
    settings().setCoordsLat(10.0);
    open();
    type(latitude(), "north");
    EXPECT_TRUE(latitude()->showsInvalid());
    QTest::keyClick(latitude(), Qt::Key_Return);
    EXPECT_EQ(latitude()->text(), "north");   // left for the user to mend
    EXPECT_EQ(general().latitudeRow()->value(), 10.0);
    app::UserSettings().setCoordsLat(3.0);   // another instance's value, which the commit writes over
    sheet->accept();
    EXPECT_EQ(app::UserSettings().coordsLat(), 10.0);
    EXPECT_EQ(settings().coordsLat(), 10.0);
    EXPECT_EQ(global().Latitude(), 10.0);
}

TEST_F(Coordinates, AValueOutsideTheRangeIsMarkedAndNotCommitted) {
    settings().setSpecificCoords(true);
    settings().setCoordsLat(45.0);
    settings().setCoordsLon(9.0);
    open();
    type(latitude(), "95");
    EXPECT_TRUE(latitude()->showsInvalid());
    type(longitude(), "95");   // a longitude of 95 is fine
    EXPECT_FALSE(longitude()->showsInvalid());
    type(latitude(), "-90");
    EXPECT_FALSE(latitude()->showsInvalid());
    type(latitude(), "-90.5");
    EXPECT_TRUE(latitude()->showsInvalid());
    sheet->accept();
    EXPECT_EQ(app::UserSettings().coordsLat(), 45.0);   // the hemisphere stays where it was
    EXPECT_EQ(global().Latitude(), 45.0);
    EXPECT_EQ(app::UserSettings().coordsLon(), 95.0);
    EXPECT_EQ(global().Longitude(), 95.0);
}

TEST_F(Coordinates, AnEarlierValidValueSurvivesLaterInvalidText) {
    settings().setSpecificCoords(true);
    open();
    type(longitude(), "-71.06");
    QTest::keyClick(longitude(), Qt::Key_Return);
    type(longitude(), "200");
    sheet->accept();
    EXPECT_EQ(settings().coordsLon(), -71.06);
    EXPECT_EQ(global().Longitude(), -71.06);
}

TEST_F(Coordinates, AnInvalidStoredValueIsShownMarkedAndNeverWrittenBack) {
    settings().setSpecificCoords(true);
    settings().setCoordsLat(95.0);
    settings().setCoordsLon(std::numeric_limits<double>::quiet_NaN());
    open();
    EXPECT_EQ(latitude()->text(), "95");
    EXPECT_TRUE(latitude()->showsInvalid());
    EXPECT_TRUE(longitude()->showsInvalid());
    int writes = 0;
    QObject::connect(&global(), &app::GlobalModel::changed, sheet.get(), [&] { ++writes; });
    sheet->accept();
    EXPECT_EQ(writes, 0);
    EXPECT_EQ(global().Latitude(), 11.0);
    EXPECT_EQ(global().Longitude(), 22.0);
    EXPECT_EQ(settings().coordsLat(), 95.0);
}

TEST_F(Coordinates, AnInvalidStoredValueIsReplacedByAValidOneTyped) {
    settings().setSpecificCoords(true);
    settings().setCoordsLat(-200.0);
    open();
    type(latitude(), "12");
    EXPECT_FALSE(latitude()->showsInvalid());
    sheet->accept();
    EXPECT_EQ(settings().coordsLat(), 12.0);
    EXPECT_EQ(global().Latitude(), 12.0);
}

TEST_F(Coordinates, OpeningAndClosingRewritesBothCoordinatesOnce) {
    settings().setSpecificCoords(true);
    settings().setCoordsLat(1.25);
    settings().setCoordsLon(2.5);
    open();
    {
        app::UserSettings other;   // values of another instance, which the commits write over
        other.setCoordsLat(3.0);
        other.setCoordsLon(4.0);
    }
    int lat = 0, lon = 0;
    QObject::connect(&settings(), &app::UserSettings::coordsLatChanged, sheet.get(), [&] { ++lat; });
    QObject::connect(&settings(), &app::UserSettings::coordsLonChanged, sheet.get(), [&] { ++lon; });
    sheet->accept();
    EXPECT_EQ(app::UserSettings().coordsLat(), 1.25);
    EXPECT_EQ(app::UserSettings().coordsLon(), 2.5);
    EXPECT_EQ(lat, 0) << "an equal write announces nothing";
    EXPECT_EQ(lon, 0);
    EXPECT_EQ(global().Latitude(), 1.25);
    EXPECT_EQ(global().Longitude(), 2.5);
}

TEST_F(Coordinates, AStoredValueWithMoreDigitsThanShownIsWrittenBackUnchanged) {
    const double latitudeStored = 51.50986512345678;
    const double longitudeStored = -0.11809212345678;
    settings().setSpecificCoords(true);
    settings().setCoordsLat(latitudeStored);
    settings().setCoordsLon(longitudeStored);
    open();
    EXPECT_EQ(latitude()->text(), "51.5098651235");
    QTest::keyClick(latitude(), Qt::Key_Return);   // confirmed without a change
    sheet->accept();
    EXPECT_EQ(app::UserSettings().coordsLat(), latitudeStored);
    EXPECT_EQ(app::UserSettings().coordsLon(), longitudeStored);
    EXPECT_EQ(global().Latitude(), latitudeStored);
    EXPECT_EQ(global().Longitude(), longitudeStored);
}

TEST_F(Coordinates, StartingToEditSelectsTheWholeText) {
    settings().setSpecificCoords(true);
    settings().setCoordsLat(51.509865);
    settings().setCoordsLon(-0.118092);
    open();
    QTest::mouseClick(latitude(), Qt::LeftButton, {}, QPoint(4, latitude()->height() / 2));
    testsupport::settle();
    EXPECT_EQ(latitude()->selectedText(), "51.509865");
    QTest::mouseClick(longitude(), Qt::LeftButton, {}, QPoint(4, longitude()->height() / 2));
    testsupport::settle();
    EXPECT_EQ(longitude()->selectedText(), "-0.118092");
    EXPECT_FALSE(latitude()->hasSelectedText());
}

TEST_F(Coordinates, AFullStopIsAcceptedBesideTheLocalesOwnSeparator) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    settings().setSpecificCoords(true);
    settings().setCoordsLat(51.25);
    open();
    EXPECT_EQ(latitude()->text(), "51,25");
    type(latitude(), "40.5");
    EXPECT_FALSE(latitude()->showsInvalid());
    QTest::keyClick(latitude(), Qt::Key_Return);
    EXPECT_EQ(latitude()->text(), "40,5");
    type(longitude(), "-3,75");
    sheet->accept();
    QLocale::setDefault(before);
    EXPECT_EQ(settings().coordsLat(), 40.5);
    EXPECT_EQ(settings().coordsLon(), -3.75);
}

} // namespace
