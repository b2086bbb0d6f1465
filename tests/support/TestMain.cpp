#include <QCoreApplication>
#include <QLocale>

#include <gtest/gtest.h>

// Every suite runs with a Qt application object and the Russian locale, so
// that collation and formatting never depend on the machine.
int main(int argc, char **argv)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvel"));
    QCoreApplication::setApplicationName(QStringLiteral("KorvixTests"));
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
