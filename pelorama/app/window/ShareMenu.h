#pragma once

#include "model/rendering/Canvas.h"

#include <QMenu>
#include <QString>
#include <optional>

class QAbstractButton;

namespace pelorama::app {

// Sharing the canvas shown, as a Linux desktop offers it: the image onto the clipboard (rendered only
// when a program pastes it), or opened in the desktop's default image viewer from a PNG file in a
// temporary folder that lives as long as the application.
class ShareMenu : public QMenu
{
    Q_OBJECT

public:
    // name names the file the viewer shows; the captions are shared in language (a code of the
    // document's languages; empty for the base language).
    ShareMenu(model::Canvas canvas, QString name, QString language, QWidget* parent = nullptr);

    // Opens a menu below the button; released when it closes.
    static ShareMenu* showBelow(QAbstractButton& button, model::Canvas canvas, const QString& name,
                                const QString& language);

    static void copyImage(const model::Canvas& canvas, const QString& language = {});
    // The PNG file written for the viewer, or why there is none; the viewer is started when open is set.
    struct Opened
    {
        QString path;
        QString error;
    };
    static Opened openInImageViewer(const model::Canvas& canvas, const QString& name,
                                    const QString& language = {}, bool open = true);

private:
    model::Canvas m_canvas;
    QString m_name;
    QString m_language;
};

} // namespace pelorama::app
