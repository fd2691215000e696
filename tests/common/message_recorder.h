#pragma once
// Records the message boxes a test provokes and answers them.
#include <QString>
#include <vector>
#include "platform/message_box.h"

namespace qor::test {

class MessageRecorder {
public:
    explicit MessageRecorder(int answer = platform::IDOK);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    void setAnswer(int answer) { m_answer = answer; }
    const std::vector<platform::MessageBoxRequest> &boxes() const { return m_boxes; }
    int count() const { return int(m_boxes.size()); }
    const platform::MessageBoxRequest &last() const { return m_boxes.back(); }
    void clear() { m_boxes.clear(); }

private:
    std::vector<platform::MessageBoxRequest> m_boxes;
    int m_answer;
    platform::MessageBoxHandler m_previous;
};

} // namespace qor::test
