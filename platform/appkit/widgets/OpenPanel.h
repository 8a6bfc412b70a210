#pragma once

#include <QFileDialog>
#include <QStringList>
#include <QUrl>
#include <functional>

namespace appkit {

// A file chooser shown as a sheet: modal to one window only, reporting its answer through a completion.
class OpenPanel : public QFileDialog
{
    Q_OBJECT

public:
    enum class Response
    {
        cancel = 0,
        ok = 1,
    };

    explicit OpenPanel(QWidget* parent = nullptr);

    // The text of the accepting button.
    void setPrompt(const QString& prompt);
    void setCanChooseFiles(bool canChoose);
    void setCanChooseDirectories(bool canChoose);
    void setAllowsMultipleSelection(bool allows);
    void setCanCreateDirectories(bool canCreate);
    // File name extensions, without the dot; empty allows every file.
    void setAllowedFileTypes(const QStringList& extensions);

    QUrl url() const;
    QList<QUrl> urls() const;

    // Shows the panel modal to window (its top-level window is used) and calls completion once when it
    // ends. The panel deletes itself afterwards. Does nothing without a window.
    void beginSheetModal(QWidget* window, std::function<void(Response)> completion);

private:
    void updateFileMode();

    bool m_canChooseFiles = true;
    bool m_canChooseDirectories = false;
    bool m_allowsMultipleSelection = false;
};

} // namespace appkit
