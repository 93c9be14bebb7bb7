#include "CommFakes.h"

#include "comm/CommPort.h"
#include "comm/EventLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>

using namespace dispcraft;
using namespace dispcraft::test;

namespace {

// A device whose reads block until released or interrupted, as a quiet line does.
class BlockingTransport : public FakeTransport {
public:
    std::mutex m;
    std::condition_variable cv;
    bool interrupted = false;
    bool release = false;
    std::atomic<int> reading = 0;

    IoResult read(uint8_t* buffer, size_t n) override {
        std::unique_lock lock(m);
        ++reading;
        cv.notify_all();
        cv.wait(lock, [&] { return interrupted || release; });
        if (interrupted) {
            return {0, cause::kInvalidFile};
        }
        lock.unlock();
        return FakeTransport::read(buffer, n);
    }
    void interrupt() override {
        std::lock_guard lock(m);
        interrupted = true;
        cv.notify_all();
    }
    void close() override {
        {
            std::lock_guard lock(m);
            interrupted = false;
        }
        FakeTransport::close();
    }
    void waitReading(int n) {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return reading >= n; });
    }
};

} // namespace

TEST(ReplyQueue, FirstInFirstOut) {
    ReplyQueue q;
    EXPECT_EQ(q.pop(), nullptr);
    for (int tag : {1, 2, 3}) {
        auto r = std::make_unique<Reply>();
        r->tag = tag;
        EXPECT_TRUE(q.push(std::move(r)));
    }
    EXPECT_EQ(q.size(), 3u);
    EXPECT_EQ(q.pop()->tag, 1);
    EXPECT_EQ(q.pop()->tag, 2);
    EXPECT_EQ(q.pop()->tag, 3);
    EXPECT_EQ(q.pop(), nullptr);
}

TEST(Reply, ShortRepliesNeverMatchMissingBytes) {
    Reply r;
    r.bytes = {0x1B, 0x41, 0, 0, 0};
    r.byteCount = 2;
    const uint8_t two[] = {0x1B, 0x41};
    const uint8_t three[] = {0x1B, 0x41, 0x00};
    EXPECT_TRUE(r.startsWith(two, 2));
    // The zero of the buffer did not arrive.
    EXPECT_FALSE(r.startsWith(three, 3));
    EXPECT_EQ(r.at(2), -1);
}

TEST(CommPort, JobsReportThroughTheQueue) {
    RecordingSink sink;
    auto t = std::make_unique<FakeTransport>();
    FakeTransport* fake = t.get();
    fake->responder = [](const Bytes& w) {
        Bytes r = w;
        r.push_back(0x99);
        return r;
    };
    CommPort port(std::move(t), sink);
    ASSERT_TRUE(port.open(1, LineSettings{}));
    ReplyQueue q;
    EventLoop loop;
    int notified = 0;
    auto notify = [&] { loop.post([&] { ++notified; }); };
    const uint8_t req[] = {1, 2, 3};
    // Asks for more than comes: the count says what arrived, the buffer keeps its length.
    port.startExchange(req, 3, 6, -1, q, notify, 7);
    ASSERT_TRUE(loop.runUntil([&] { return notified == 1; }, std::chrono::seconds(10)));
    auto r = q.pop();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->tag, 7);
    EXPECT_EQ(r->byteCount, 4);
    EXPECT_EQ(r->bytes, (Bytes{1, 2, 3, 0x99, 0, 0}));
    EXPECT_EQ(r->errorCause, 0);

    // A length-indexed read takes the 16-bit length at that index and reads the rest.
    fake->responder = [](const Bytes&) { return Bytes{0xAA, 0xBB, 3, 0, 7, 8, 9}; };
    port.startExchange(req, 1, 4, 1, q, notify, 8);
    ASSERT_TRUE(loop.runUntil([&] { return notified == 2; }, std::chrono::seconds(10)));
    r = q.pop();
    EXPECT_EQ(r->byteCount, 7);
    EXPECT_EQ(r->extra, (Bytes{7, 8, 9}));

    // A failed write is reported with its cause.
    fake->writeCause = cause::kHardIo;
    port.startExchange(req, 3, 5, -1, q, notify, 9);
    ASSERT_TRUE(loop.runUntil([&] { return notified == 3; }, std::chrono::seconds(10)));
    r = q.pop();
    EXPECT_EQ(r->errorCause, cause::kHardIo);
    EXPECT_EQ(r->byteCount, 0);
    EXPECT_EQ(r->bytes.size(), 5u);
    // A send job reports nothing.
    fake->writeCause = 0;
    port.startSend(req, 3);
    port.close();
    EXPECT_EQ(q.size(), 0u);
}

TEST(CommPort, ClosingUnderAWaitingReadReportsCause6) {
    RecordingSink sink;
    auto t = std::make_unique<BlockingTransport>();
    BlockingTransport* fake = t.get();
    CommPort port(std::move(t), sink);
    ASSERT_TRUE(port.open(1, LineSettings{}));
    ReplyQueue q;
    std::atomic<int> notified = 0;
    port.startReceive(5, -1, q, [&] { ++notified; }, 1);
    fake->waitReading(1);
    port.close();
    EXPECT_EQ(notified, 1);
    auto r = q.pop();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->errorCause, cause::kInvalidFile);
    EXPECT_EQ(r->byteCount, 0);
    EXPECT_FALSE(port.isOpen());
}

TEST(CommPort, DetachedJobsNeverReport) {
    RecordingSink sink;
    auto q = std::make_unique<ReplyQueue>();
    std::atomic<int> notified = 0;
    {
        auto t = std::make_unique<BlockingTransport>();
        BlockingTransport* fake = t.get();
        CommPort port(std::move(t), sink);
        ASSERT_TRUE(port.open(1, LineSettings{}));
        port.startReceive(5, -1, *q, [&] { ++notified; }, 1);
        port.startReceive(5, -1, *q, [&] { ++notified; }, 2);
        fake->waitReading(1);
        port.detach();
        // Nothing runs any more.
        port.startReceive(5, -1, *q, [&] { ++notified; }, 3);
    }
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(q->size(), 0u);
}

TEST(CommPort, ThreadedSessionAgainstAPanel) {
    // The whole transfer with the real I/O thread and an event loop, as the command line runs it.
    TempDir dir;
    DownloadInputs in;
    in.cpuId = 2;
    Bytes image = pattern(5000, 4);
    in.imagePath = dir.write("qelsoft.qel", image);
    in.typeA.com1 = dir.write("a_1.bin", driverFile(2, pattern(300)));
    in.typeA.com2 = dir.write("a_2.bin", driverFile(2, pattern(20)));
    auto t = std::make_unique<FakeTransport>();
    VirtualPanel panel;
    t->responder = [&](const Bytes& w) { return panel.receive(w.data(), w.size()); };
    EventLoop loop;
    FakeClock clock;
    RecordingSink sink;
    DownloadSession session(in, std::move(t), clock, sink);
    session.setReplyNotifier([&] { loop.post([&] { session.handleReplies(); }); });
    session.download();
    // The fake clock's timer stands for the wait after the handshake: fire it from the loop.
    ASSERT_TRUE(loop.runUntil(
        [&] {
            if (clock.pending) {
                loop.post([&] { clock.fire(); });
            }
            return !session.transferring();
        },
        std::chrono::seconds(30)));
    EXPECT_EQ(session.outcome(), DownloadOutcome::Finished);
    image.resize(5120, 0);
    EXPECT_EQ(panel.files().at(VirtualPanel::FileKind::Image), image);
}

TEST(EventLoop, TimerAndPostedFunctions) {
    EventLoop loop;
    std::vector<int> order;
    loop.startTimer(20, [&] { order.push_back(2); });
    loop.post([&] { order.push_back(1); });
    EXPECT_TRUE(loop.runUntil([&] { return order.size() == 2; }, std::chrono::seconds(5)));
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    loop.startTimer(10, [&] { order.push_back(3); });
    loop.stopTimer();
    EXPECT_FALSE(loop.runUntil([&] { return order.size() == 3; }, std::chrono::milliseconds(50)));

    LocalTime sunday = SystemClock::fromTimeT(1223802000); // 2008-10-12, a Sunday
    EXPECT_EQ(sunday.weekday, 7);
    EXPECT_EQ(sunday.year, 2008);
}
