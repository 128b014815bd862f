// Entry point of the widget tests: one QApplication for all tests, fonts as the program sets them.

#include "platform/qt/Fonts.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Offscreen unless the test names its platform. Wine hands no QT_ variable to a Windows
    // program, so the name comes in a variable of the tests' own.
    const QByteArray platform = qgetenv("PENRICA_TEST_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    // What the tests delete goes into a trash of their own, never the user's.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QApplication application(argc, argv);
    penrica::InstallFontSubstitutions();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
