// The workstation program. "--exit-after-start" closes it as soon as it has
// started, so that a test can see a whole start and a clean exit.
#include <QApplication>
#include <QTimer>
#include <cstring>

#include "kv32/shell/app/kv_app.h"

int main(int argc, char** argv)
{
    bool exitAfterStart = false;
    for (int i = 1; i < argc; ++i)
        exitAfterStart = exitAfterStart || std::strcmp(argv[i], "--exit-after-start") == 0;

    QApplication qt(argc, argv);
    CKvApp app;
    if (!app.start()) {
        app.finish();
        return 1;
    }
    if (exitAfterStart)
        QTimer::singleShot(0, &app, [&app] { app.postCommand(&app, CKvAppCore::ID_APP_EXIT); });
    const int result = QApplication::exec();
    const int exitResult = app.finish();
    return result != 0 ? result : exitResult;
}
