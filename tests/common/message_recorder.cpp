#include "message_recorder.h"

namespace qor::test {

MessageRecorder::MessageRecorder(int answer) : m_answer(answer)
{
    m_previous = platform::SetMessageBoxHandler([this](const platform::MessageBoxRequest &req) {
        m_boxes.push_back(req);
        return m_answer;
    });
}

MessageRecorder::~MessageRecorder() { platform::SetMessageBoxHandler(std::move(m_previous)); }

} // namespace qor::test
