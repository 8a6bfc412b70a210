#pragma once

#include "appkit/widgets/ViewController.h"
#include "templates/picker/CollectionView.h"

#include <QComboBox>
#include <QPointer>
#include <QPushButton>
#include <vector>

namespace pelorama::templates {

class Template;
class TemplateCategory;

// The template picker: every built-in template of one device category as a grid of previews, one
// section per theme, a chooser of the category (remembered in the setting "TemplatePickerCategory"), and
// Add and Cancel. Shown in a SheetWindow, it ends the sheet with 1 after Add or a double click and with 0
// after Cancel; selectedTemplate is then the chosen template, or none when nothing was selected.
// From the keyboard: the grid has the focus when the picker appears, Return adds, Escape cancels, and Tab
// goes on to the category chooser and the buttons. Main thread only.
class TemplateViewController : public appkit::ViewController, public CollectionViewDataSource
{
    Q_OBJECT

public:
    static constexpr const char* categorySettingKey = "TemplatePickerCategory";
    static constexpr int addReturnCode = 1;
    static constexpr int cancelReturnCode = 0;

    explicit TemplateViewController(QObject* parent = nullptr);
    ~TemplateViewController() override;

    CollectionView* collectionView() { return loaded(m_collectionView); }
    QComboBox* categoryChooser() { return loaded(m_categoryChooser); }
    QPushButton* addButton() { return loaded(m_addButton); }
    QPushButton* cancelButton() { return loaded(m_cancelButton); }

    Template* selectedTemplate() const { return m_selectedTemplate; }
    const std::vector<TemplateCategory>& templateCategories() const;
    const TemplateCategory& selectedTemplateCategory() const { return *m_selectedTemplateCategory; }
    // Shows category's templates and remembers the choice in the setting.
    void setSelectedTemplateCategory(const TemplateCategory& category);

    int numberOfSections(CollectionView& view) override;
    int numberOfItems(CollectionView& view, int section) override;
    CollectionViewItem* makeItem(CollectionView& view, IndexPath indexPath) override;
    QWidget* makeSupplementaryView(CollectionView& view, const QString& kind, IndexPath indexPath) override;
    QSize sizeForItem(CollectionView& view, IndexPath indexPath) override;

public slots:
    void addPressed(QObject* sender = nullptr);
    void cancelPressed(QObject* sender = nullptr);
    void collectionItemViewWasDoubleClicked(QObject* sender);

protected:
    void loadView() override;
    void viewDidLoad() override;
    void viewWillAppear() override;

private:
    // A widget of the view, made first when the view is not loaded yet.
    template <typename Widget> Widget* loaded(const QPointer<Widget>& widget)
    {
        view();
        return widget;
    }

    Template* templateAt(IndexPath indexPath) const;
    void endSheet(int returnCode);

    Template* m_selectedTemplate = nullptr;
    const TemplateCategory* m_selectedTemplateCategory;
    QPointer<CollectionView> m_collectionView;
    QPointer<QComboBox> m_categoryChooser;
    QPointer<QPushButton> m_addButton;
    QPointer<QPushButton> m_cancelButton;
};

} // namespace pelorama::templates
