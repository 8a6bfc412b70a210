#pragma once

#include "templates/picker/CollectionView.h"

#include <QImage>
#include <QPointer>
#include <memory>
#include <optional>

class QLabel;

namespace tessaline {
class Observer;
} // namespace tessaline

namespace pelorama::templates {

class HighlightView;
class Template;
class TemplateView;

// A cell of the template picker: the preview of its template on a framed backdrop and the template's
// name below. The cell observes the template's "previewImage", which may arrive from a rendering thread
// while the picker is open, and shows it on the main thread. A double click is announced by
// doubleClicked, which the picker makes the choice.
class TemplateCollectionViewItem : public CollectionViewItem
{
    Q_OBJECT

public:
    static constexpr int itemSize = 150;

    explicit TemplateCollectionViewItem(QWidget* parent = nullptr);
    ~TemplateCollectionViewItem() override;

    Template* representedObject() const { return m_representedObject; }
    // Shows template (none shows nothing) and observes its preview in place of the previous one's.
    void setRepresentedObject(Template* representedObject);

    const std::optional<QImage>& image() const { return m_image; }
    // Shows image in the image view, whose width then follows the image's aspect ratio.
    void setImage(std::optional<QImage> image);
    // Width over height that the image view keeps; none without an image.
    std::optional<double> aspectConstraint() const { return m_aspectConstraint; }

    QWidget* imageView() const { return m_imageView; }
    HighlightView* imageHighlightView() const { return m_imageHighlightView; }
    HighlightView* titleHighlightView() const { return m_titleHighlightView; }
    TemplateView* templateView() const { return m_templateView; }
    QLabel* titleLabel() const { return m_titleLabel; }

    void setSelected(bool selected) override;

    QSize sizeHint() const override { return {itemSize, itemSize}; }

signals:
    void doubleClicked(pelorama::templates::TemplateCollectionViewItem* item);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void applyHighlightColors();
    void applyTitleColor();
    static void deliverPreview(const std::weak_ptr<TemplateCollectionViewItem*>& cell, const Template* sender,
                               const QVariant& value);
    void layoutImageView();

    Template* m_representedObject = nullptr; // templates of the catalogue live as long as the process
    std::optional<QImage> m_image;
    std::optional<double> m_aspectConstraint;
    std::unique_ptr<tessaline::Observer> m_observer;
    // Shared with previews on their way from other threads; reset when the cell goes.
    std::shared_ptr<TemplateCollectionViewItem*> m_self;
    HighlightView* m_imageHighlightView;
    HighlightView* m_titleHighlightView;
    TemplateView* m_templateView;
    QWidget* m_imageView;
    QLabel* m_titleLabel;
};

} // namespace pelorama::templates
