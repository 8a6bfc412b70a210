#pragma once

#include <QAbstractButton>
#include <QColor>

namespace tessaline {

// One of the round close, minimise and zoom buttons of a Window's title bar. Its glyph shows while the
// pointer is over the button row.
class WindowButton : public QAbstractButton
{
    Q_OBJECT

public:
    enum class Kind
    {
        close,
        miniaturize,
        zoom,
    };

    static constexpr int diameter = 14;

    WindowButton(Kind kind, QWidget* parent);

    Kind kind() const { return m_kind; }
    void setShowsGlyph(bool shows);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
    bool m_showsGlyph = false;
};

} // namespace tessaline
