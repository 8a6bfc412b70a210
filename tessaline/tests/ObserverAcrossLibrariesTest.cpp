#include "foundation/KeyValueCoding.h"
#include "tessaline/Shared/Observer.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A property without a NOTIFY signal: only the key-value layer itself can report its stores.
class Counter : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int count READ count WRITE setCount)
    Q_PROPERTY(int total READ total WRITE setTotal NOTIFY totalChanged)

public:
    int count() const { return m_count; }
    void setCount(int count) { m_count = count; }
    int total() const { return m_total; }
    void setTotal(int total)
    {
        m_total = total;
        emit totalChanged();
    }

signals:
    void totalChanged();

private:
    int m_count = 0;
    int m_total = 0;
};

} // namespace

// The application sets values through foundation while the framework observes them: both must share
// one observation table, or stores are missed or reported twice.
TEST(TessalineTest, StoresThroughFoundationReachObserversMadeByTheFramework)
{
    Counter counter;
    std::vector<QVariant> counts;
    std::vector<QVariant> totals;
    const tessaline::Observer countObserver(&counter, "count", false,
                                            [&](const QVariant& value) { counts.push_back(value); });
    const tessaline::Observer totalObserver(&counter, "total", false,
                                            [&](const QVariant& value) { totals.push_back(value); });

    foundation::setValueForKey(&counter, 5, "count");
    foundation::setValueForKey(&counter, 7, "total");

    ASSERT_EQ(counts.size(), 1u);
    EXPECT_EQ(counts.front().toInt(), 5);
    ASSERT_EQ(totals.size(), 1u);
    EXPECT_EQ(totals.front().toInt(), 7);
}

#include "ObserverAcrossLibrariesTest.moc"
