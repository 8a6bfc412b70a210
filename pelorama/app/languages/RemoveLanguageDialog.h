#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class QPushButton;

namespace pelorama::app {

// Asks which of a document's languages to remove, saying that the captions' texts in it go with it.
// "Remove" removes the one chosen, Escape or "Cancel" nothing.
class RemoveLanguageDialog : public QDialog
{
    Q_OBJECT

public:
    // codes: the languages that may go, names what they are called; chosen first: preselected.
    RemoveLanguageDialog(const QStringList& codes, const QStringList& names, const QString& chosen,
                         QWidget* parent = nullptr);

    QComboBox* languages() const { return m_languages; }
    QPushButton* removeButton() const { return m_remove; }
    QString chosenCode() const;

private:
    QComboBox* m_languages;
    QPushButton* m_remove;
};

} // namespace pelorama::app
