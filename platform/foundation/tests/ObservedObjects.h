#pragma once

#include "foundation/KeyValueObject.h"

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QVariantMap>
#include <atomic>
#include <mutex>

// Objects whose keys the key-value tests read, write and observe.

// Plain Q_PROPERTYs. setNumber announces every store; setText, as many Qt setters do, only changes.
class Item : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int number READ number WRITE setNumber NOTIFY numberChanged)
    Q_PROPERTY(double ratio READ ratio WRITE setRatio NOTIFY ratioChanged)
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(Item* child READ child WRITE setChild NOTIFY childChanged)
    Q_PROPERTY(QObject* record READ record WRITE setRecord NOTIFY recordChanged)
    Q_PROPERTY(int fixed READ fixed CONSTANT)
    Q_PROPERTY(int silent READ silent WRITE setSilent)

public:
    using QObject::QObject;

    int number() const { return m_number.load(); }
    void setNumber(int number)
    {
        m_number.store(number);
        emit numberChanged();
    }
    double ratio() const { return m_ratio; }
    void setRatio(double ratio)
    {
        m_ratio = ratio;
        emit ratioChanged(ratio);
    }
    QString text() const { return m_text; }
    void setText(const QString& text)
    {
        if (m_text != text) {
            m_text = text;
            emit textChanged();
        }
    }
    Item* child() const { return m_child; }
    void setChild(Item* child)
    {
        m_child = child;
        emit childChanged();
    }
    QObject* record() const { return m_record; }
    void setRecord(QObject* record)
    {
        m_record = record;
        emit recordChanged();
    }
    int fixed() const { return 7; }
    int silent() const { return m_silent; }
    void setSilent(int silent) { m_silent = silent; }

signals:
    void numberChanged();
    void ratioChanged(double ratio);
    void textChanged();
    void childChanged();
    void recordChanged();

private:
    std::atomic<int> m_number = 0;
    double m_ratio = 0;
    QString m_text;
    QPointer<Item> m_child;
    QPointer<QObject> m_record;
    int m_silent = 0;
};

// Keys that are no Q_PROPERTYs, as the store's managed objects have them.
class Record : public foundation::KeyValueObject
{
    Q_OBJECT

public:
    using KeyValueObject::KeyValueObject;

    bool hasValueForKey(const QString& key) const override
    {
        return key == QLatin1String("title") || key == QLatin1String("count") ||
               key == QLatin1String("owner");
    }
    QVariant valueForKey(const QString& key) const override
    {
        const std::lock_guard lock(m_mutex);
        return m_values.value(key);
    }
    void setValueForKey(const QVariant& value, const QString& key) override
    {
        {
            const std::lock_guard lock(m_mutex);
            m_values.insert(key, value);
        }
        emit valueChangedForKey(key);
    }

private:
    mutable std::mutex m_mutex;
    QVariantMap m_values;
};
