#pragma once

#include "comm/Reply.h"

#include <deque>
#include <memory>
#include <mutex>

namespace dispcraft {

// First-in-first-out hand-over of replies from the I/O thread to the session's thread. Both
// sides wait at most a second for the lock: a push that cannot get it drops the reply.
class ReplyQueue {
public:
    static constexpr int kLockWaitMs = 1000;

    bool push(std::unique_ptr<Reply> reply);
    std::unique_ptr<Reply> pop();
    size_t size() const;

private:
    mutable std::timed_mutex m_mutex;
    std::deque<std::unique_ptr<Reply>> m_replies;
};

} // namespace dispcraft
