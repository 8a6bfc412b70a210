#pragma once

#include "tessaline/Tessaline/TessalineWidgetsExport.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

namespace tessaline {

// The framework's About window: the application's name, "Version " and its version, and its copyright
// line, read once from App when the controller is made. One shared controller serves the whole process.
class TESSALINE_WIDGETS_EXPORT AboutWindowController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(
        QString applicationName READ applicationName WRITE setApplicationName NOTIFY applicationNameChanged)
    Q_PROPERTY(QString applicationVersion READ applicationVersion WRITE setApplicationVersion NOTIFY
                   applicationVersionChanged)
    Q_PROPERTY(QString applicationCopyright READ applicationCopyright WRITE setApplicationCopyright NOTIFY
                   applicationCopyrightChanged)

public:
    AboutWindowController();
    ~AboutWindowController() override;

    // The shared controller, made on first use (safely, also from two threads at once); it lives until
    // the application object goes.
    static AboutWindowController& instance();
    // Replaces the shared controller.
    static void setInstance(std::unique_ptr<AboutWindowController> controller);
    // Shows the shared controller's window.
    static void show();

    QString applicationName() const { return m_applicationName; }
    void setApplicationName(const QString& name);
    QString applicationVersion() const { return m_applicationVersion; }
    void setApplicationVersion(const QString& version);
    QString applicationCopyright() const { return m_applicationCopyright; }
    void setApplicationCopyright(const QString& copyright);

    // The window, made on first use; it shows the three texts by key and moves when its background is
    // dragged.
    QWidget* window();
    bool isWindowLoaded() const { return !m_window.isNull(); }
    // Makes the window if needed and brings it to the front; a window not shown yet comes up centred
    // over the active window. Escape and Ctrl+W close it.
    void showWindow();

signals:
    void applicationNameChanged();
    void applicationVersionChanged();
    void applicationCopyrightChanged();

private:
    void loadWindow();

    QString m_applicationName;
    QString m_applicationVersion;
    QString m_applicationCopyright;
    QPointer<QWidget> m_window;
};

} // namespace tessaline
