// The test main of every Qt test binary: a QApplication on the offscreen platform (unless
// FW_TEST_DISPLAY asks for the real display), one pinned font and style so that sizes and
// screenshots do not depend on the machine, and LC_NUMERIC "C".
#include <QApplication>
#include <QFont>
#include <QStyleFactory>
#include <clocale>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {
QtMessageHandler g_previous = nullptr;

// The offscreen platform warns about every window it cannot size like a desktop would.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    if (g_previous)
        g_previous(type, context, message);
}
} // namespace

int main(int argc, char** argv)
{
    g_previous = qInstallMessageHandler(quietHandler);
    if (!qEnvironmentVariableIsSet("FW_TEST_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    std::setlocale(LC_NUMERIC, "C");
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
