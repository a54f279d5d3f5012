#pragma once
// Readings of typed births, and the comparison of two chart window models, for the tests that
// start from a form.

#include <gtest/gtest.h>

#include <utility>

#include "chart/ChartModel.h"
#include "input/FormCopy.h"
#include "reading/Reading.h"

namespace velloran::test {

// The reading Calculate gives for the form's birth; a failed test and an empty reading when it
// refuses.
inline Reading ReadingOf(const FormInput& form, const PositionsSource& source = {}) {
    Calculation done = Calculate(BirthFromForm(form), source);
    if (!done.reading) {
        ADD_FAILURE() << "no reading: " << done.error;
        return Reading{};
    }
    return std::move(*done.reading);
}

// Every part of two chart window models, one by one (the model has no comparison of its own).
inline void ExpectSameWindow(const ChartWindowModel& a, const ChartWindowModel& b) {
    EXPECT_EQ(a.lblType, b.lblType);
    EXPECT_EQ(a.lblName, b.lblName);
    EXPECT_EQ(a.lblCity, b.lblCity);
    EXPECT_EQ(a.lblState, b.lblState);
    EXPECT_EQ(a.lblCountry, b.lblCountry);
    EXPECT_EQ(a.lblDOB, b.lblDOB);
    EXPECT_EQ(a.lblTOB, b.lblTOB);
    EXPECT_EQ(a.lblZone, b.lblZone);
    EXPECT_EQ(a.lblLatitude, b.lblLatitude);
    EXPECT_EQ(a.lblLongitude, b.lblLongitude);
    EXPECT_EQ(a.legendsVisible, b.legendsVisible);
    EXPECT_EQ(a.innerLegend, b.innerLegend);
    EXPECT_EQ(a.natalColumnCaption, b.natalColumnCaption);
    EXPECT_EQ(a.positionsLine, b.positionsLine);
    EXPECT_EQ(a.positionsNote, b.positionsNote);
    EXPECT_EQ(a.bodyRows, b.bodyRows);
    EXPECT_EQ(a.natalColumn, b.natalColumn);
    EXPECT_EQ(a.draconicColumn, b.draconicColumn);
    EXPECT_EQ(a.framesBeside, b.framesBeside);
    EXPECT_EQ(a.frameInFront, b.frameInFront);
    EXPECT_EQ(a.pictureInFront, b.pictureInFront);
    EXPECT_EQ(a.singleWheel, b.singleWheel);
    EXPECT_EQ(a.singleWheelColor, b.singleWheelColor);
    EXPECT_EQ(a.outerRing, b.outerRing);
    EXPECT_EQ(a.innerRing, b.innerRing);
}

}  // namespace velloran::test
