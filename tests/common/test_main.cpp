// Every test program starts here: a platform without a screen, French locale and the
// program's font substitutions, so that results do not depend on the desktop.

#include "Plateforme.h"
#include "Upolice.h"

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Test discovery runs the program without ctest's environment.
    qputenv("QT_QPA_PLATFORM", PlateformeSansEcran());
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    InstalleSubstitutionsPolices();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
