#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

// The window's suites run with a widget application and the Russian locale.
// Without a platform named in the environment they stay off screen, so that
// listing or running them never needs a display.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvel"));
    QCoreApplication::setApplicationName(QStringLiteral("KorvixGuiTests"));
    QApplication app(argc, argv);
    // Tests close windows without an event loop to end.
    QApplication::setQuitOnLastWindowClosed(false);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
