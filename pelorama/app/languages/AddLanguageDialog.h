#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTreeView;

namespace pelorama::app {

// Asks which language to add to a document: every language and region of the locale data
// (LanguageNames::offers) but those the document has, by native and English name with its code, filtered
// as the user types into the search field, which keeps the keyboard focus. The arrow keys move through
// the list, whose first match is chosen; Return or a double click adds the chosen one, Escape cancels.
class AddLanguageDialog : public QDialog
{
    Q_OBJECT

public:
    // had: the document's languages, not offered.
    explicit AddLanguageDialog(const QStringList& had, QWidget* parent = nullptr);

    QLineEdit* searchField() const { return m_search; }
    QTreeView* list() const { return m_list; }
    // The code of the language chosen; empty with none.
    QString chosenCode() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class OfferSearch;

    void filter(const QString& text);
    void chooseFirstIfNone();

    QLineEdit* m_search;
    QTreeView* m_list;
    QStandardItemModel* m_offers;
    OfferSearch* m_shown;
    QPushButton* m_add;
};

} // namespace pelorama::app
