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

    int number() const { return number_.load(); }
    void setNumber(int number)
    {
        number_.store(number);
        emit numberChanged();
    }
    double ratio() const { return ratio_; }
    void setRatio(double ratio)
    {
        ratio_ = ratio;
        emit ratioChanged(ratio);
    }
    QString text() const { return text_; }
    void setText(const QString& text)
    {
        if (text_ != text) {
            text_ = text;
            emit textChanged();
        }
    }
    Item* child() const { return child_; }
    void setChild(Item* child)
    {
        child_ = child;
        emit childChanged();
    }
    QObject* record() const { return record_; }
    void setRecord(QObject* record)
    {
        record_ = record;
        emit recordChanged();
    }
    int fixed() const { return 7; }
    int silent() const { return silent_; }
    void setSilent(int silent) { silent_ = silent; }

signals:
    void numberChanged();
    void ratioChanged(double ratio);
    void textChanged();
    void childChanged();
    void recordChanged();

private:
    std::atomic<int> number_ = 0;
    double ratio_ = 0;
    QString text_;
    QPointer<Item> child_;
    QPointer<QObject> record_;
    int silent_ = 0;
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
        const std::lock_guard lock(mutex_);
        return values_.value(key);
    }
    void setValueForKey(const QVariant& value, const QString& key) override
    {
        {
            const std::lock_guard lock(mutex_);
            values_.insert(key, value);
        }
        emit valueChangedForKey(key);
    }

private:
    mutable std::mutex mutex_;
    QVariantMap values_;
};
