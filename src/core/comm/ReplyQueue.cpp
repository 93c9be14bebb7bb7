#include "comm/ReplyQueue.h"

#include <chrono>

namespace dispcraft {

bool ReplyQueue::push(std::unique_ptr<Reply> reply) {
    std::unique_lock lock(m_mutex, std::chrono::milliseconds(kLockWaitMs));
    if (!lock.owns_lock()) {
        return false;
    }
    m_replies.push_back(std::move(reply));
    return true;
}

std::unique_ptr<Reply> ReplyQueue::pop() {
    std::unique_lock lock(m_mutex, std::chrono::milliseconds(kLockWaitMs));
    if (!lock.owns_lock() || m_replies.empty()) {
        return nullptr;
    }
    std::unique_ptr<Reply> r = std::move(m_replies.front());
    m_replies.pop_front();
    return r;
}

size_t ReplyQueue::size() const {
    std::lock_guard lock(m_mutex);
    return m_replies.size();
}

} // namespace dispcraft
