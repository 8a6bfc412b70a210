#pragma once

#include <QWidget>

class QLabel;

namespace pelorama::templates {

// The title above one theme's templates in the picker.
class TemplateSectionHeaderView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int preferredHeight = 30;

    explicit TemplateSectionHeaderView(QWidget* parent = nullptr);

    QLabel* titleLabel() const { return m_titleLabel; }
    const QString& title() const { return m_title; }
    // Also shows the text in the title label.
    void setTitle(const QString& title);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_titleLabel;
    QString m_title = QStringLiteral("Section header");
};

} // namespace pelorama::templates
