// Test main of every suite: a widget application on the offscreen platform at 96 dpi, and
// message boxes that never block (a test that does not expect one sees it fail loudly).
#include <QApplication>
#include <gtest/gtest.h>
#include <cstdlib>

#include "platform/message_box.h"
#include "platform/runtime_dir.h"
#include "platform/screen.h"

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qor::platform::EnsurePrivateRuntimeDir();
    QApplication app(argc, argv);
    qor::platform::SetScreenDpiOverride(96);
    qor::platform::SetMessageBoxHandler([](const qor::platform::MessageBoxRequest &req) {
        ADD_FAILURE() << "unexpected message box: " << req.caption.toStdString() << ": "
                      << req.text.toStdString();
        return int(qor::platform::IDCANCEL);
    });
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
