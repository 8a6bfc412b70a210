#include "tessaline/Shared/Observer.h"

#include "foundation/KeyValueCoding.h"
#include "foundation/Values.h"

#include <QPointer>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

class Shape : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY widthChanged)
    Q_PROPERTY(Shape* next READ next WRITE setNext NOTIFY nextChanged)

public:
    using QObject::QObject;

    double width() const { return m_width; }
    void setWidth(double width)
    {
        m_width = width;
        emit widthChanged();
    }
    Shape* next() const { return m_next; }
    void setNext(Shape* next)
    {
        m_next = next;
        emit nextChanged();
    }

signals:
    void widthChanged();
    void nextChanged();

private:
    double m_width = 0;
    QPointer<Shape> m_next;
};

struct Values
{
    std::vector<QVariant> received;
    tessaline::Observer::Callback callback()
    {
        return [this](const QVariant& value) {
            received.push_back(value);
        };
    }
};

} // namespace

TEST(TessalineTest, AnObserverFiresOnceAtCreationByDefaultThenOncePerSet)
{
    Shape shape;
    shape.setWidth(2);
    Values values;
    const tessaline::Observer observer(&shape, "width", values.callback());
    ASSERT_EQ(values.received.size(), 1u);
    EXPECT_EQ(values.received[0], 2.0);
    shape.setWidth(3);
    shape.setWidth(3); // an unchanged value is reported too
    foundation::setValueForKey(&shape, 3, "width");
    ASSERT_EQ(values.received.size(), 4u);
    EXPECT_EQ(values.received[3], 3.0);
    EXPECT_EQ(observer.object(), &shape);
    EXPECT_EQ(observer.keyPath(), "width");
}

TEST(TessalineTest, AnObserverWithoutInitialFiringWaitsForTheFirstSet)
{
    Shape shape;
    Values values;
    const tessaline::Observer observer(&shape, "width", false, values.callback());
    EXPECT_TRUE(values.received.empty());
    shape.setWidth(1);
    EXPECT_EQ(values.received.size(), 1u);
}

TEST(TessalineTest, AnObserverReportsNilAsANullValue)
{
    Shape shape;
    Shape next;
    shape.setNext(&next);
    Values values;
    const tessaline::Observer observer(&shape, "next", false, values.callback());
    shape.setNext(nullptr);
    ASSERT_EQ(values.received.size(), 1u);
    EXPECT_TRUE(values.received[0].isValid());
    EXPECT_TRUE(foundation::isNil(values.received[0]));
}

TEST(TessalineTest, ReleasingAnObserverEndsTheObservation)
{
    Shape shape;
    Values values;
    auto observer = std::make_unique<tessaline::Observer>(&shape, "width", false, values.callback());
    shape.setWidth(1);
    observer.reset();
    shape.setWidth(2);
    EXPECT_EQ(values.received.size(), 1u);

    // The observed object may go first; the observer then stays quiet and can still be released.
    auto doomed = std::make_unique<Shape>();
    observer = std::make_unique<tessaline::Observer>(doomed.get(), "width", values.callback());
    doomed.reset();
    EXPECT_EQ(observer->object(), nullptr);
    observer.reset();
}

TEST(TessalineTest, AnObserverOfAThreeKeyPathFiresForAChangeAtAnyStep)
{
    Shape a;
    Shape b;
    Shape c;
    Shape d;
    a.setNext(&b);
    b.setNext(&c);
    Values values;
    const tessaline::Observer observer(&a, "next.next.width", false, values.callback());
    c.setWidth(5);
    d.setWidth(6);
    b.setNext(&d);
    a.setNext(&c);
    ASSERT_EQ(values.received.size(), 3u);
    EXPECT_EQ(values.received[0], 5.0);
    EXPECT_EQ(values.received[1], 6.0);
    EXPECT_TRUE(foundation::isNil(values.received[2])); // c has no next
}

TEST(TessalineTest, AnObserverOfAnUnknownKeyIsRefused)
{
    Shape shape;
    EXPECT_THROW(tessaline::Observer(&shape, "height", [](const QVariant&) {}), foundation::KeyValueError);
}

#include "ObserverTest.moc"
