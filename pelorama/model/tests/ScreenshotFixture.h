#pragma once

#include "DocumentStack.h"
#include "model/entities/Screenshot.h"

#include <gtest/gtest.h>

// An in-memory document holding one new screenshot.
class ScreenshotFixture : public testing::Test
{
protected:
    DocumentStack stack = DocumentStack::inMemory();
    pelorama::model::Screenshot* screenshot = pelorama::model::Screenshot::insertInto(*stack.context);
};
