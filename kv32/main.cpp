// The workstation program. "--exit-after-start" closes it as soon as it has
// started, so that a test can see a whole start and a clean exit.
// "--unattended" is for runs that nobody watches (scripted sessions,
// end-to-end tests): every message box is written to standard error and given
// the answer that changes nothing (OK, No or Cancel) instead of waiting.
// SIGTERM and SIGINT end the program as its Exit command does.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "kv32/shell/app/kv_app.h"
#include "kvcore/app/intl.h"
#include "kv32/shell/app/termination.h"

int main(int argc, char** argv)
{
    bool exitAfterStart = false;
    bool unattended = false;
    for (int i = 1; i < argc; ++i) {
        exitAfterStart = exitAfterStart || std::strcmp(argv[i], "--exit-after-start") == 0;
        unattended = unattended || std::strcmp(argv[i], "--unattended") == 0;
    }
    if (unattended) {
        fw::setMessageBoxHook([](const std::string& text, uint32_t type) {
            std::fprintf(stderr, "kv32: message: %s\n", fw::cp1250ToUtf8(text).c_str());
            return fw::unattendedAnswer(type);
        });
    }

    QApplication qt(argc, argv);
    // The interface speaks the language of the user's message locale (LC_ALL, LC_MESSAGES, LANG).
    KvApplyInterfaceLanguage();
    CKvApp app;
    if (!app.start()) {
        app.finish();
        return 1;
    }
    // The desktop session's end (SIGTERM) logs the user off and exits as "Exit" does.
    CKvTerminationWatch termination([&app] { app.postCommand(&app, CKvAppCore::ID_APP_EXIT); });
    if (exitAfterStart)
        QTimer::singleShot(0, &app, [&app] { app.postCommand(&app, CKvAppCore::ID_APP_EXIT); });
    const int result = QApplication::exec();
    const int exitResult = app.finish();
    return result != 0 ? result : exitResult;
}
