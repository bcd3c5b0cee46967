#include "ui/MonitorLine.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <thread>

// Counts the heap allocations made on the thread that is being watched.
namespace {
thread_local bool Watched = false;
std::atomic<int> WatchedAllocations{0};
} // namespace

void* operator new(std::size_t size) {
    if (Watched)
        ++WatchedAllocations;
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

TEST(MonitorLine, ShortMessagesCostNoAllocationOnTheMidiThread) {
    QWidget window;
    QLabel status(&window), data1(&window), data2(&window);
    QComboBox form(&window);
    form.addItems({"DEC", "HEX"});
    MonitorLine line(&status, &data1, &data2, &form);

    std::thread midi([&] {
        Watched = true;
        for (int i = 0; i < 10000; ++i)
            line.MidiDataIn(0, 0x90, static_cast<std::uint8_t>(i % 128), 100);
        line.MidiDataIn(0, 0xB0, 7, 99);
        Watched = false;
    });
    midi.join();
    EXPECT_EQ(WatchedAllocations.load(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return status.text() == "176"; }, 2000));
    EXPECT_EQ(data1.text(), "7");
    EXPECT_EQ(data2.text(), "99");
}
