#include "templates/picker/TemplateViewController.h"

#include "templates/Template.h"
#include "templates/TemplateCategory.h"
#include "templates/picker/SheetWindow.h"
#include "templates/picker/TemplateCollectionViewItem.h"
#include "templates/picker/TemplateSectionHeaderView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace pelorama::templates {

TemplateViewController::TemplateViewController(QObject* parent)
    : appkit::ViewController(parent)
    , m_selectedTemplateCategory(&TemplateCategory::all().front())
{}

TemplateViewController::~TemplateViewController() = default;

const std::vector<TemplateCategory>& TemplateViewController::templateCategories() const
{
    return TemplateCategory::all();
}

void TemplateViewController::loadView()
{
    auto* root = new QWidget;
    root->setObjectName(QStringLiteral("TemplatePicker"));
    root->resize(720, 560);
    root->setMinimumSize(520, 400);
    auto* layout = new QVBoxLayout(root);
    layout->setContentsMargins(0, 12, 0, 12);
    layout->setSpacing(10);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(16, 0, 16, 0);
    auto* heading = new QLabel(tr("Choose a template for the new screenshot"), root);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    heading->setFont(headingFont);
    top->addWidget(heading);
    top->addStretch();
    top->addWidget(new QLabel(tr("Device:"), root));
    m_categoryChooser = new QComboBox(root);
    m_categoryChooser->setObjectName(QStringLiteral("categoryChooser"));
    for (const TemplateCategory& category : templateCategories())
        m_categoryChooser->addItem(category.description());
    top->addWidget(m_categoryChooser);
    layout->addLayout(top);

    m_collectionView = new CollectionView(root);
    m_collectionView->setObjectName(QStringLiteral("collectionView"));
    layout->addWidget(m_collectionView, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    buttons->addStretch();
    m_cancelButton = new QPushButton(tr("Cancel"), root);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_addButton = new QPushButton(tr("Add"), root);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_addButton->setDefault(true);
    // Return adds whichever control has the focus; the grid takes it first, and Tab goes on to the
    // category chooser and the buttons.
    m_cancelButton->setAutoDefault(false);
    m_addButton->setAutoDefault(false);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_addButton);
    layout->addLayout(buttons);
    QWidget::setTabOrder(m_collectionView, m_categoryChooser);
    QWidget::setTabOrder(m_categoryChooser, m_cancelButton);
    QWidget::setTabOrder(m_cancelButton, m_addButton);
    setView(root);
}

void TemplateViewController::viewWillAppear()
{
    m_collectionView->setFocus(Qt::OtherFocusReason);
}

void TemplateViewController::viewDidLoad()
{
    m_collectionView->setDataSource(this);
    m_collectionView->setSectionHeadersPinToVisibleBounds(true);
    connect(m_addButton, &QPushButton::clicked, this, [this] { addPressed(m_addButton); });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] { cancelPressed(m_cancelButton); });
    connect(m_categoryChooser, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && size_t(index) < templateCategories().size())
            setSelectedTemplateCategory(templateCategories()[size_t(index)]);
    });

    const QVariant stored = QSettings().value(QString::fromLatin1(categorySettingKey));
    if (stored.isValid()) {
        const QString name = stored.toString();
        const TemplateCategory* chosen = &templateCategories().front();
        for (const TemplateCategory& category : templateCategories()) {
            if (category.name() == name) {
                chosen = &category;
                break;
            }
        }
        setSelectedTemplateCategory(*chosen);
    } else {
        m_collectionView->reloadData();
    }
}

void TemplateViewController::setSelectedTemplateCategory(const TemplateCategory& category)
{
    m_selectedTemplateCategory = &category;
    if (m_categoryChooser) {
        const auto& all = templateCategories();
        for (size_t index = 0; index < all.size(); ++index) {
            if (&all[index] == &category)
                m_categoryChooser->setCurrentIndex(int(index));
        }
    }
    if (m_collectionView)
        m_collectionView->reloadData();
    QSettings().setValue(QString::fromLatin1(categorySettingKey), category.name());
}

int TemplateViewController::numberOfSections(CollectionView&)
{
    return int(m_selectedTemplateCategory->templateGroups().size());
}

int TemplateViewController::numberOfItems(CollectionView&, int section)
{
    const auto& groups = m_selectedTemplateCategory->templateGroups();
    return section >= 0 && size_t(section) < groups.size() ? int(groups[size_t(section)].templates().size())
                                                           : 0;
}

Template* TemplateViewController::templateAt(IndexPath path) const
{
    const auto& groups = m_selectedTemplateCategory->templateGroups();
    if (path.section < 0 || size_t(path.section) >= groups.size())
        return nullptr;
    const auto& templates = groups[size_t(path.section)].templates();
    if (path.item < 0 || size_t(path.item) >= templates.size())
        return nullptr;
    return templates[size_t(path.item)].get();
}

CollectionViewItem* TemplateViewController::makeItem(CollectionView&, IndexPath indexPath)
{
    auto* item = new TemplateCollectionViewItem;
    item->setRepresentedObject(templateAt(indexPath));
    connect(item, &TemplateCollectionViewItem::doubleClicked, this,
            &TemplateViewController::collectionItemViewWasDoubleClicked);
    return item;
}

QWidget* TemplateViewController::makeSupplementaryView(CollectionView&, const QString& kind,
                                                       IndexPath indexPath)
{
    if (kind != QLatin1String(sectionHeaderKind))
        return new QWidget;
    auto* header = new TemplateSectionHeaderView;
    const auto& groups = m_selectedTemplateCategory->templateGroups();
    if (indexPath.section >= 0 && size_t(indexPath.section) < groups.size())
        header->setTitle(groups[size_t(indexPath.section)].name());
    return header;
}

QSize TemplateViewController::sizeForItem(CollectionView&, IndexPath)
{
    return {TemplateCollectionViewItem::itemSize, TemplateCollectionViewItem::itemSize};
}

void TemplateViewController::addPressed(QObject*)
{
    if (m_collectionView && !m_collectionView->selectionIndexPaths().empty())
        m_selectedTemplate = templateAt(m_collectionView->selectionIndexPaths().front());
    endSheet(addReturnCode);
}

void TemplateViewController::collectionItemViewWasDoubleClicked(QObject* sender)
{
    addPressed(sender);
}

void TemplateViewController::cancelPressed(QObject*)
{
    endSheet(cancelReturnCode);
}

void TemplateViewController::endSheet(int returnCode)
{
    if (SheetWindow* sheet = SheetWindow::sheetContaining(isViewLoaded() ? view() : nullptr))
        sheet->endSheet(returnCode);
}

} // namespace pelorama::templates
