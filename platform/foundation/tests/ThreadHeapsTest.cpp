#include "foundation/ThreadHeaps.h"

#include <QFile>
#include <cstring>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

double residentMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() < 2 ? 0 : fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

// Makes the compiler take the block as read, so that its writing and freeing are not left out.
void keep(const void* block)
{
    asm volatile("" : : "r"(block) : "memory");
}

} // namespace

TEST(FoundationTest, AThreadHeapReleaseGivesBackTheFreeEndOfEveryEnlistedThreadsHeap)
{
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    GTEST_SKIP() << "the sanitizer's allocator keeps heaps of its own";
#endif
    foundation::boundThreadHeaps(2);
    foundation::ThreadHeapRelease heaps;
    const double before = residentMiB();
    // Ten pictures of 4 MB at once, freed as the thread ends: they leave 40 MB free at the end of its heap.
    std::thread([&heaps] {
        heaps.enlist();
        heaps.enlist();
        std::vector<void*> pictures;
        for (int picture = 0; picture < 10; ++picture) {
            pictures.push_back(std::malloc(4 << 20));
            std::memset(pictures.back(), picture + 1, 4 << 20);
            keep(pictures.back());
        }
        for (void* picture : pictures)
            std::free(picture);
    }).join();
    ASSERT_GT(residentMiB(), before + 30) << "the heap gave the pictures back by itself";

    heaps.release();
    EXPECT_LT(residentMiB(), before + 8);
}
