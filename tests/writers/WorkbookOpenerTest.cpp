// How the program finds a spreadsheet program on a desktop without Windows: the desktop's
// default application for .xlsx, or a known program on PATH. Driven by stand-in scripts.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include "ScopedEnv.h"
#include "WorkbookOpener.h"

#ifndef Q_OS_WIN

namespace {

bool WriteFile(const QString& path, const QByteArray& text, bool executable)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return false;
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
}

struct DetectionCase {
    const char* name;
    const char* xdgMimeAnswer;  // the script's output; nullptr: no xdg-mime on PATH
    int xdgMimeExitCode;
    const char* desktopFile;    // installed under applications/; nullptr: none
    const char* program;        // a file on PATH; nullptr: none
    bool programExecutable;
    bool found;
};

const DetectionCase DetectionCases[] = {
    {"NothingInstalled", nullptr, 0, nullptr, nullptr, false, false},
    {"DefaultApplicationInstalled", "calc.desktop\n", 0, "calc.desktop", nullptr, false, true},
    {"DefaultApplicationInVendorFolder", "vendor-calc.desktop\n", 0, "vendor/calc.desktop", nullptr, false, true},
    {"DefaultApplicationNotInstalled", "calc.desktop\n", 0, "other.desktop", nullptr, false, false},
    {"NoDefaultApplication", "", 0, "calc.desktop", nullptr, false, false},
    {"QueryFails", "calc.desktop\n", 1, "calc.desktop", nullptr, false, false},
    {"KnownProgramOnPath", nullptr, 0, nullptr, "localc", true, true},
    {"OtherKnownProgramOnPath", "", 0, nullptr, "gnumeric", true, true},
    {"KnownNameNotExecutable", nullptr, 0, nullptr, "libreoffice", false, false},
    {"UnknownProgramOnPath", nullptr, 0, nullptr, "calculator", true, false},
};

void PrintTo(const DetectionCase& test, std::ostream* out) { *out << test.name; }

class DetectionTest : public ::testing::TestWithParam<DetectionCase> {};

TEST_P(DetectionTest, FindsAProgramOnlyWhereOneIsInstalled)
{
    const DetectionCase& test = GetParam();
    QTemporaryDir root;
    const QString bin = root.filePath(QStringLiteral("bin"));
    const QString data = root.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(data + QStringLiteral("/applications")));
    if (test.xdgMimeAnswer) {
        ASSERT_TRUE(WriteFile(bin + QStringLiteral("/xdg-mime"),
                              QByteArray("#!/bin/sh\nprintf '%s' '") + test.xdgMimeAnswer + "'\nexit "
                                  + QByteArray::number(test.xdgMimeExitCode) + "\n",
                              true));
    }
    if (test.desktopFile) {
        ASSERT_TRUE(WriteFile(data + QStringLiteral("/applications/") + QString::fromUtf8(test.desktopFile),
                              "[Desktop Entry]\nType=Application\nName=Calc\nExec=calc %f\n", false));
    }
    if (test.program) {
        ASSERT_TRUE(WriteFile(bin + QLatin1Char('/') + QString::fromUtf8(test.program), "#!/bin/sh\n",
                              test.programExecutable));
    }
    ScopedEnv path("PATH", bin);
    ScopedEnv dataHome("XDG_DATA_HOME", root.filePath(QStringLiteral("home")));
    ScopedEnv dataDirs("XDG_DATA_DIRS", data);

    SetWorkbookOpener(nullptr);
    EXPECT_EQ(CurrentWorkbookOpener().CanOpen(), test.found);
}

INSTANTIATE_TEST_SUITE_P(SystemWorkbookOpener, DetectionTest, ::testing::ValuesIn(DetectionCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SystemWorkbookOpener, StartsTheProgramFoundOnPathWithTheWorkbook)
{
    QTemporaryDir root;
    const QString marker = root.filePath(QStringLiteral("opened"));
    const QString workbook = root.filePath(QStringLiteral("Расчет ОКЗ.xlsx"));
    ASSERT_TRUE(WriteFile(root.filePath(QStringLiteral("localc")),
                          "#!/bin/sh\nprintf '%s' \"$1\" > '" + QFile::encodeName(marker) + "'\n", true));
    ScopedEnv path("PATH", root.path());
    ScopedEnv dataDirs("XDG_DATA_DIRS", root.filePath(QStringLiteral("none")));

    SetWorkbookOpener(nullptr);
    ASSERT_TRUE(CurrentWorkbookOpener().CanOpen());
    CurrentWorkbookOpener().Open(workbook);

    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(marker) && waited.elapsed() < 10000)
        QThread::msleep(10);
    QThread::msleep(50);
    QFile opened(marker);
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly)) << "the program was not started";
    EXPECT_EQ(QFile::decodeName(opened.readAll()), workbook);
}

}  // namespace

#endif
