#pragma once

#include "store/StoreForward.h"

#include <QImage>
#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

// What a document holds and shows, taken at one moment, to tell whether an undo or a redo brought it back
// exactly: every attribute value (transient pictures included) of each screenshot in list order and of
// the drawables its mappings name, in drawing order; each asset with its bytes; how many objects of each
// entity the context holds (so that an object nothing reaches any more is noticed); and each screenshot
// rendered as the canvas view draws it.
//
// The description has one line per value, "screenshot 1 drawable 2 (Image): rect = ...", so that a
// failure names just what differs.
struct DocumentState
{
    static DocumentState of(store::ManagedObjectContext& context);

    QStringList lines;
    // Each screenshot in list order, one pixel per canvas point; a test may add what a view shows.
    QList<QImage> pictures;
};

// Passes when both states are equal; otherwise says which lines went and came, and which pictures differ.
testing::AssertionResult sameState(const DocumentState& expected, const DocumentState& actual);
