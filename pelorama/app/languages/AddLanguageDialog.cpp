#include "app/languages/AddLanguageDialog.h"

#include "app/languages/LanguageNames.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace pelorama::app {

namespace {

enum Column
{
    nativeColumn,
    englishColumn,
    codeColumn,
    columnCount
};

} // namespace

// The offers that contain the search in a name or the code, those that begin with it first, then those
// with a word that does, each in the offers' order.
class AddLanguageDialog::OfferSearch : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setSearch(const QString& search)
    {
        m_search = search;
        invalidate();
        sort(0);
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex&) const override { return rank(row) < unmatched; }

    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        return std::pair(rank(left.row()), left.row()) < std::pair(rank(right.row()), right.row());
    }

private:
    static constexpr int unmatched = 3;

    int rank(int row) const
    {
        if (m_search.isEmpty())
            return 0;
        int best = unmatched;
        for (int column = 0; column < Column::columnCount; ++column) {
            const QString text = sourceModel()->index(row, column).data().toString();
            const qsizetype found = text.indexOf(m_search, 0, Qt::CaseInsensitive);
            if (found == 0)
                return 0;
            if (found > 0)
                best = std::min(best, wordStartIn(text) ? 1 : 2);
        }
        return best;
    }

    bool wordStartIn(const QString& text) const
    {
        for (qsizetype at = text.indexOf(m_search, 0, Qt::CaseInsensitive); at > 0;
             at = text.indexOf(m_search, at + 1, Qt::CaseInsensitive)) {
            if (!text[at - 1].isLetterOrNumber())
                return true;
        }
        return false;
    }

    QString m_search;
};

AddLanguageDialog::AddLanguageDialog(const QStringList& had, QWidget* parent)
    : QDialog(parent)
    , m_search(new QLineEdit(this))
    , m_list(new QTreeView(this))
    , m_offers(new QStandardItemModel(0, columnCount, this))
    , m_shown(new OfferSearch(this))
{
    setWindowTitle(tr("Add Language"));
    m_offers->setHorizontalHeaderLabels({tr("Language"), tr("In English"), tr("Code")});
    for (const LanguageNames::Offer& offer : LanguageNames::offers()) {
        if (had.contains(offer.code))
            continue;
        QList<QStandardItem*> row;
        for (const QString& text : {offer.nativeName, offer.englishName, offer.code}) {
            auto* item = new QStandardItem(text);
            item->setEditable(false);
            row.append(item);
        }
        m_offers->appendRow(row);
    }
    m_shown->setSourceModel(m_offers);

    m_search->setPlaceholderText(tr("Search by name or code"));
    m_search->setClearButtonEnabled(true);
    m_search->installEventFilter(this);
    m_list->setModel(m_shown);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setSectionResizeMode(nativeColumn, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(englishColumn, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(codeColumn, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(false);
    m_list->setFocusProxy(m_search);

    auto* buttons = new QDialogButtonBox(this);
    m_add = buttons->addButton(tr("Add"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    m_add->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Choose a language for the captions:"), this));
    layout->addWidget(m_search);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(560, 460);

    connect(m_search, &QLineEdit::textChanged, this, &AddLanguageDialog::filter);
    connect(m_list, &QAbstractItemView::doubleClicked, this, &QDialog::accept);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { m_add->setEnabled(!chosenCode().isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    chooseFirstIfNone();
    m_search->setFocus();
}

QString AddLanguageDialog::chosenCode() const
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows(codeColumn);
    return rows.isEmpty() ? QString() : rows.front().data().toString();
}

void AddLanguageDialog::filter(const QString& text)
{
    m_shown->setSearch(text.trimmed());
    chooseFirstIfNone();
}

void AddLanguageDialog::chooseFirstIfNone()
{
    if (m_list->selectionModel()->hasSelection()) {
        m_list->scrollTo(m_list->selectionModel()->selectedRows().front());
    } else if (m_shown->rowCount() > 0) {
        m_list->setCurrentIndex(m_shown->index(0, 0));
    }
    m_add->setEnabled(!chosenCode().isEmpty());
}

bool AddLanguageDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The list moves under the arrow keys while the search field keeps the focus for typing.
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            QKeyEvent moved(QEvent::KeyPress, key, static_cast<QKeyEvent*>(event)->modifiers());
            QCoreApplication::sendEvent(m_list, &moved);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace pelorama::app
