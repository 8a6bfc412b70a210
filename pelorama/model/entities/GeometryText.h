#pragma once

#include "graphics/Point.h"
#include "graphics/Rect.h"
#include "graphics/Size.h"

#include <QString>
#include <optional>

namespace pelorama::model {

// The text forms in which the document stores rectangles, points and sizes: the numbers (x, y, width,
// height; x, y; width, height) joined by "," with nothing else between them. Each number is written in
// the general notation (1242.0, 0.5, 1e-05, inf, -0.0) with 15 significant digits (one third is
// 0.333333333333333), so a stored value reads back rounded to 15 digits; only values so near the largest
// double that 15 digits round past it take 16 or 17, and read back exactly. Rectangles keep their stored
// origin and size, not standardised ones.
//
// Parsing takes exactly the written count of numbers; a part is a number when strtod in the C locale
// reads all of it, it holds no white space and only ASCII, and it did not overflow or underflow. So
// "1, 2, 3, 4" (spaces) and "" are no rectangle, while "1e3", "inf" and "nan" are numbers.
QString rawValue(const graphics::Rect& rect);
QString rawValue(const graphics::Point& point);
QString rawValue(const graphics::Size& size);

std::optional<graphics::Rect> rectFromRawValue(const QString& text);
std::optional<graphics::Point> pointFromRawValue(const QString& text);
std::optional<graphics::Size> sizeFromRawValue(const QString& text);

// One number in the form above.
QString numberText(double value);

} // namespace pelorama::model
