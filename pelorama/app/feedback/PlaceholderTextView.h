#pragma once

#include <QPlainTextEdit>

namespace pelorama::app {

// A text view that shows a grey placeholder where the first character would stand while it holds no
// text. Setting the placeholder only stores it; it shows at the next redraw.
class PlaceholderTextView : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit PlaceholderTextView(QWidget* parent = nullptr);

    const QString& placeholder() const { return m_placeholder; }
    void setPlaceholder(const QString& placeholder) { m_placeholder = placeholder; }

    // The font the placeholder is drawn in: the view's own font when one was set on it, else the
    // system font at the standard size.
    QFont placeholderFont() const;
    static QColor placeholderColor() { return QColor::fromRgbF(0.75f, 0.75f, 0.75f, 1.0f); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_placeholder;
};

} // namespace pelorama::app
