#include "comm/CommPort.h"

#include <cstring>

namespace dispcraft {

namespace {

constexpr int kQueueSize = 1024;
constexpr int kOpenTimeoutMs = 100;
// Message strings of the port set-up failures.
constexpr int kMsgQueueSetup = 63547;
constexpr int kMsgOpenTimeouts = 63542;
constexpr int kMsgTimeouts = 61642;

} // namespace

CommPort::CommPort(std::unique_ptr<Transport> transport, MessageSink& sink, Jobs jobs)
    : m_transport(std::move(transport)), m_sink(sink), m_mode(jobs) {}

CommPort::~CommPort() {
    detach();
    m_transport->close();
}

bool CommPort::open(int portNumber, const LineSettings& settings, Message* reason) {
    if (m_transport->isOpen()) {
        close();
    }
    if (!m_transport->open(portNumber, reason)) {
        return false;
    }
    m_transport->configure(settings); // as the device allows; the result does not matter
    if (!m_transport->setQueueSizes(kQueueSize, kQueueSize)) {
        m_sink.show(Message::string(kMsgQueueSetup), Icon::Stop);
        m_transport->close();
        return false;
    }
    CommTimeouts t;
    t.readMultiplier = t.readConstant = t.writeMultiplier = t.writeConstant = kOpenTimeoutMs;
    if (!m_transport->setTimeouts(t)) {
        m_sink.show(Message::string(kMsgOpenTimeouts), Icon::Stop);
        m_transport->close();
        return false;
    }
    return true;
}

bool CommPort::isOpen() const { return m_transport->isOpen(); }

void CommPort::setRts(bool on) {
    if (m_transport->isOpen()) {
        m_transport->setRts(on);
    }
}

bool CommPort::setTimeouts(int ms) {
    CommTimeouts t;
    t.readMultiplier = t.readConstant = t.writeMultiplier = t.writeConstant =
        static_cast<uint32_t>(ms);
    if (!m_transport->isOpen() || !m_transport->setTimeouts(t)) {
        m_sink.show(Message::string(kMsgTimeouts), Icon::Stop);
        m_transport->close();
        return false;
    }
    return true;
}

void CommPort::close() {
    if (m_mode == Jobs::Threaded) {
        m_transport->interrupt();
        waitIdle();
    }
    m_transport->close();
}

void CommPort::startSend(const uint8_t* bytes, size_t n) {
    Job job;
    job.write.assign(bytes, bytes + n);
    submit(std::move(job));
}

void CommPort::startReceive(size_t n, int lengthIndex, ReplyQueue& queue, Notifier notify,
                            int tag) {
    Job job;
    job.reads = true;
    job.nRead = n;
    job.lengthIndex = lengthIndex;
    job.queue = &queue;
    job.notify = std::move(notify);
    job.tag = tag;
    submit(std::move(job));
}

void CommPort::startExchange(const uint8_t* bytes, size_t nWrite, size_t nRead, int lengthIndex,
                             ReplyQueue& queue, Notifier notify, int tag) {
    Job job;
    job.write.assign(bytes, bytes + nWrite);
    job.reads = true;
    job.nRead = nRead;
    job.lengthIndex = lengthIndex;
    job.queue = &queue;
    job.notify = std::move(notify);
    job.tag = tag;
    submit(std::move(job));
}

void CommPort::submit(Job job) {
    if (m_mode == Jobs::Inline) {
        if (!m_detached) {
            run(job);
        }
        return;
    }
    std::lock_guard lock(m_mutex);
    if (m_detached) {
        return;
    }
    if (!m_worker.joinable()) {
        m_worker = std::thread([this] { workerLoop(); });
    }
    m_jobs.push_back(std::move(job));
    m_cv.notify_all();
}

void CommPort::workerLoop() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_cv.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_stopping) {
            return;
        }
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        m_running = true;
        lock.unlock();
        run(job);
        lock.lock();
        m_running = false;
        m_cv.notify_all();
    }
}

void CommPort::waitIdle() {
    std::unique_lock lock(m_mutex);
    m_cv.wait(lock, [this] { return m_stopping || (m_jobs.empty() && !m_running); });
}

void CommPort::run(Job& job) {
    auto reply = std::make_unique<Reply>();
    reply->tag = job.tag;
    bool failed = false;
    if (!job.write.empty()) {
        IoResult w = m_transport->write(job.write.data(), job.write.size());
        if (w.cause == cause::kNone && w.count < job.write.size()) {
            w.cause = kCauseWriteShort;
        }
        if (w.cause != cause::kNone) {
            // A failed write is reported like a failed read, so the consumer sees it.
            reply->errorCause = w.cause;
            failed = true;
        }
    }
    if (!job.reads) {
        return;
    }
    reply->bytes.assign(job.nRead, 0);
    if (!failed) {
        IoResult r = m_transport->read(reply->bytes.data(), job.nRead);
        reply->errorCause = r.cause;
        reply->byteCount = r.cause == cause::kNone ? static_cast<int>(r.count) : 0;
        size_t at = static_cast<size_t>(job.lengthIndex) * 2;
        if (r.cause == cause::kNone && job.lengthIndex >= 0 && at + 2 <= r.count) {
            int16_t length;
            std::memcpy(&length, reply->bytes.data() + at, 2);
            if (length > 0) {
                reply->extra.assign(static_cast<size_t>(length), 0);
                IoResult e = m_transport->read(reply->extra.data(), reply->extra.size());
                reply->errorCause = e.cause;
                if (e.cause == cause::kNone) {
                    reply->byteCount += static_cast<int>(e.count);
                }
            }
        }
    }
    // Held across the hand-over so that once detach() has returned no job reports any more.
    std::unique_lock report(m_reportMutex, std::defer_lock);
    if (m_mode == Jobs::Threaded) {
        report.lock();
    }
    if (m_detached) {
        return;
    }
    job.queue->push(std::move(reply));
    if (job.notify) {
        job.notify();
    }
}

void CommPort::detach() {
    {
        std::scoped_lock lock(m_mutex, m_reportMutex);
        m_detached = true;
        m_stopping = true;
        m_jobs.clear();
        m_cv.notify_all();
    }
    m_transport->interrupt();
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

} // namespace dispcraft
