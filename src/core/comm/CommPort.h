#pragma once

#include "comm/ReplyQueue.h"
#include "comm/Transport.h"
#include "base/MessageSink.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace dispcraft {

// The port the download owns: opening with line settings, RTS, time-outs, and the background
// jobs that write a request and/or read a reply and hand the Reply over through a ReplyQueue,
// then call the job's notifier (on the I/O thread; the receiver moves it to its own thread).
//
// Jobs run in the order they are started on one I/O thread (or, for tests, at once on the
// caller's thread). After detach() (and so after destruction) no job touches a queue or calls
// a notifier again.
class CommPort {
public:
    enum class Jobs { Threaded, Inline };
    using Notifier = std::function<void()>;

    // A write that times out before all bytes are out fails with this cause.
    static constexpr int kCauseWriteShort = 13;

    CommPort(std::unique_ptr<Transport> transport, MessageSink& sink, Jobs jobs = Jobs::Threaded);
    ~CommPort();
    CommPort(const CommPort&) = delete;
    CommPort& operator=(const CommPort&) = delete;

    // Opens port number n (1 = first) with the given settings, queue sizes of 1024 and the
    // opening time-outs (interval off, 100 ms multiplier and constant). A device that cannot be
    // opened returns false without a message (reason, when given, says why); failing queue or
    // time-out set-up shows its message and closes the device.
    bool open(int portNumber, const LineSettings& settings, Message* reason = nullptr);
    bool isOpen() const;
    void setRts(bool on);
    // All four totals = ms (interval off); on failure shows its message and closes the port.
    bool setTimeouts(int ms);
    // Ends any job still running (it reports cause 6) and closes the device.
    void close();

    void startSend(const uint8_t* bytes, size_t n);
    void startReceive(size_t n, int lengthIndex, ReplyQueue& queue, Notifier notify, int tag);
    void startExchange(const uint8_t* bytes, size_t nWrite, size_t nRead, int lengthIndex,
                       ReplyQueue& queue, Notifier notify, int tag);

    // Stops the I/O thread for good: a job still waiting is interrupted and reports nothing.
    void detach();

    Transport& transport() { return *m_transport; }

private:
    struct Job {
        std::vector<uint8_t> write;
        bool reads = false;
        size_t nRead = 0;
        int lengthIndex = -1;
        ReplyQueue* queue = nullptr;
        Notifier notify;
        int tag = 0;
    };

    void submit(Job job);
    void run(Job& job);
    void workerLoop();
    void waitIdle();

    std::unique_ptr<Transport> m_transport;
    MessageSink& m_sink;
    Jobs m_mode;

    std::mutex m_mutex;
    std::mutex m_reportMutex;
    std::condition_variable m_cv;
    std::deque<Job> m_jobs;
    bool m_running = false; // a job is being run by the worker
    bool m_stopping = false;
    std::atomic<bool> m_detached = false;
    std::thread m_worker;
};

} // namespace dispcraft
