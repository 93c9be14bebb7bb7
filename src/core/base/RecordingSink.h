#pragma once

#include "base/MessageSink.h"

#include <deque>
#include <vector>

namespace dispcraft {

// A MessageSink that records what it is shown and answers questions from a script (then with the
// default answer). Used by tests and by the command line.
class RecordingSink : public MessageSink {
public:
    explicit RecordingSink(Answer defaultAnswer = Answer::Yes) : m_defaultAnswer(defaultAnswer) {}

    void show(const Message& message, Icon = Icon::None) override { m_shown.push_back(message); }
    Answer ask(const Message& message, Buttons, int = 0) override {
        m_asked.push_back(message);
        if (m_script.empty()) {
            return m_defaultAnswer;
        }
        Answer a = m_script.front();
        m_script.pop_front();
        return a;
    }

    void script(std::vector<Answer> answers) { m_script.assign(answers.begin(), answers.end()); }
    const std::vector<Message>& shown() const { return m_shown; }
    const std::vector<Message>& asked() const { return m_asked; }
    void clear() {
        m_shown.clear();
        m_asked.clear();
    }

private:
    Answer m_defaultAnswer;
    std::deque<Answer> m_script;
    std::vector<Message> m_shown;
    std::vector<Message> m_asked;
};

} // namespace dispcraft
