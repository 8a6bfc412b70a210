#pragma once

#include "foundation/KeyValueObject.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "ledgerline/core/PropertyEditable.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

// Objects the inspector rows are bound to in these tests.

// Holds any value, nil included, under a fixed set of keys, as the store's managed objects do, and counts
// the stores per key.
class Record : public foundation::KeyValueObject
{
    Q_OBJECT

public:
    explicit Record(QStringList keys = {"title", "amount", "color", "font", "image", "kind", "variant"})
        : m_keys(std::move(keys))
    {}

    bool hasValueForKey(const QString& key) const override { return m_keys.contains(key); }
    QVariant valueForKey(const QString& key) const override { return m_values.value(key); }
    void setValueForKey(const QVariant& value, const QString& key) override
    {
        m_values.insert(key, value);
        ++writes[key];
        emit valueChangedForKey(key);
    }

    // Stores without notifying or counting, as the object's own code might before anyone observes it.
    void preset(const QString& key, const QVariant& value) { m_values.insert(key, value); }
    QVariant value(const QString& key) const { return m_values.value(key); }

    QHash<QString, int> writes;

private:
    QStringList m_keys;
    QHash<QString, QVariant> m_values;
};

// Plain Q_PROPERTYs whose setters announce every store.
class Swatch : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(double opacity READ opacity WRITE setOpacity NOTIFY opacityChanged)
    Q_PROPERTY(graphics::Color color READ color WRITE setColor NOTIFY colorChanged)
    Q_PROPERTY(graphics::Font font READ font WRITE setFont NOTIFY fontChanged)

public:
    QString title() const { return m_title; }
    void setTitle(const QString& title)
    {
        m_title = title;
        emit titleChanged();
    }
    double opacity() const { return m_opacity; }
    void setOpacity(double opacity)
    {
        m_opacity = opacity;
        emit opacityChanged();
    }
    graphics::Color color() const { return m_color; }
    void setColor(const graphics::Color& color)
    {
        m_color = color;
        emit colorChanged();
    }
    graphics::Font font() const { return m_font; }
    void setFont(const graphics::Font& font)
    {
        m_font = font;
        emit fontChanged();
    }

signals:
    void titleChanged();
    void opacityChanged();
    void colorChanged();
    void fontChanged();

private:
    QString m_title;
    double m_opacity = 1;
    graphics::Color m_color;
    graphics::Font m_font;
};

// An editable object shaped like the document's drawables: a "Shape" group with a name and an image, and a
// "Shadow" group whose rows show only for the shadow types they apply to, kept so by an observer that the
// collection keeps.
class Shape : public Record, public ledgerline::PropertyEditable
{
    Q_OBJECT

public:
    Shape();

    std::unique_ptr<ledgerline::PropertyCollection> makePropertyCollection() override;

    QList<QByteArray> storedImageData;
    int typeNotifications = 0;
};

// A caption: several lines of text, a font, an alignment offered as segments and a size with limits.
class Caption : public Record, public ledgerline::PropertyEditable
{
    Q_OBJECT

public:
    Caption();

    std::unique_ptr<ledgerline::PropertyCollection> makePropertyCollection() override;
};

// PNG bytes of a small opaque picture.
QByteArray pngData(int width, int height);
