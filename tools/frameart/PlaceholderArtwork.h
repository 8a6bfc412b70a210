#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

namespace frameart {

// A picture that template previews show in an empty screen, saying that a screenshot goes there.
struct Placeholder
{
    QString name; // the resource name, "placeholder-" + family (+ "Landscape")
    QSize size;   // the screen's aspect
};

// The six placeholders the catalogue's families can ask for.
std::vector<Placeholder> placeholders();

QImage drawPlaceholder(QSize size);

} // namespace frameart
