#pragma once

#include "DocumentStack.h"

#include <vector>

namespace pelorama::model {
class Drawable;
class Screenshot;
} // namespace pelorama::model

// A main-queue context over an in-memory store of the document model, as a document holds one.
struct TestStore : DocumentStack
{
    TestStore()
        : DocumentStack(inMemory())
    {}
};

// The drawables placed on screenshot, in drawing order (the screenshot itself left out).
std::vector<pelorama::model::Drawable*> placedDrawables(pelorama::model::Screenshot& screenshot);
