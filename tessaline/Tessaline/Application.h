#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QApplication>

namespace tessaline {

// The application object of programs built on the framework: its About command shows the framework's
// About window instead of a standard panel.
class TESSALINE_WIDGETS_EXPORT Application : public QApplication
{
    Q_OBJECT

public:
    Application(int& argc, char** argv);

public slots:
    // Shows the shared AboutWindowController's window, made on first use and reused afterwards.
    void orderFrontStandardAboutPanel(QObject* sender = nullptr);
};

} // namespace tessaline
