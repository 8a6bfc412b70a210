#include "tessaline/Shared/Observer.h"

#include "foundation/KeyValueCoding.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

class Shape : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY widthChanged)

public:
    using QObject::QObject;

    double width() const { return m_width; }
    void setWidth(double width)
    {
        m_width = width;
        emit widthChanged();
    }

signals:
    void widthChanged();

private:
    double m_width = 0;
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

#include "ObserverTest.moc"
