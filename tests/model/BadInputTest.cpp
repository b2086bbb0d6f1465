// Files that cannot be read as a structure: each ends in a clear error or
// message, never in a hang or a crash, and the file itself is never touched.

#include "layout/StructureFileLoad.h"
#include "model/ErrorCodes.h"
#include "tests/model/ModelTestUtil.h"
#include "tests/support/StructureText.h"
#include "tests/support/TempDir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

KORVIX_CASES_PRINT_BY_NAME

const QByteArray kGood = PultDocument("<DISP Name=\"P\"><STREET Name=\"S\"><HOME Name=\"H\"><LIFT Name=\"L\"/></HOME>"
                                      "</STREET></DISP>");

// --- the file itself --------------------------------------------------------------------------

struct FileCase
{
    const char *name;
    // Makes the path to open inside the directory.
    std::function<QString(const TempDir &)> make;
    std::int32_t code;    // of ErrorXML "Ошибка m_XMLDOM->load"
    QString detail;       // its detail
    bool needsNonRoot = false;
};

class UnreadableFile : public ::testing::TestWithParam<FileCase>
{
protected:
    void SetUp() override
    {
        if (GetParam().needsNonRoot && ::geteuid() == 0)
            GTEST_SKIP() << "root reads the file whatever its permissions";
    }
};

TEST_P(UnreadableFile, LoadXMLRaisesTheLoadErrorWithTheReason)
{
    TempDir dir;
    const QString path = GetParam().make(dir);
    TestStructure s;
    const ErrorXML error = CaptureErrorXML([&] { s.LoadFile(path); });
    EXPECT_EQ(error.Message(), QStringLiteral("Ошибка m_XMLDOM->load"));
    EXPECT_EQ(error.Code(), GetParam().code);
    EXPECT_EQ(error.Detail(), GetParam().detail);
}

// Opening as File Open does: the structure read before stays, and the user is
// told why the file cannot be opened.
TEST_P(UnreadableFile, OpenLeavesTheStructureAndSaysWhy)
{
    TempDir dir;
    const QString path = GetParam().make(dir);
    TestStructure s;
    ASSERT_TRUE(LoadStructureFile(*s.root, dir.Write(QStringLiteral("good.xml"), kGood)));
    const StructureFileOpen opened = OpenStructureFile(*s.root, path);
    EXPECT_EQ(opened.outcome, StructureFileOpen::Outcome::CannotOpen);
    EXPECT_EQ(opened.message,
              QStringLiteral("Не удается открыть файл «%1»: %2.").arg(QDir::toNativeSeparators(path), GetParam().detail));
    EXPECT_EQ(ChildNames(*s.root), QStringList{QStringLiteral("P")});
    EXPECT_TRUE(s.presenter.m_Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableFile,
    ::testing::Values(
        FileCase{"Missing", [](const TempDir &d) { return d.FilePath(QStringLiteral("missing.xml")); },
                 XmlLoadCode::FileNotFound, QStringLiteral("файл не найден")},
        FileCase{"MissingDirectory", [](const TempDir &d) { return d.FilePath(QStringLiteral("no/such/file.xml")); },
                 XmlLoadCode::FileNotFound, QStringLiteral("файл не найден")},
        FileCase{"BelowARegularFile",
                 [](const TempDir &d) { return d.Write(QStringLiteral("plain.xml"), kGood) + QStringLiteral("/x.xml"); },
                 XmlLoadCode::PathNotFound, QStringLiteral("путь не найден")},
        FileCase{"EmptyPath", [](const TempDir &) { return QString(); }, XmlLoadCode::FileNotFound,
                 QStringLiteral("файл не найден")},
        FileCase{"Directory",
                 [](const TempDir &d) {
                     QDir(d.Path()).mkdir(QStringLiteral("dir.xml"));
                     return d.FilePath(QStringLiteral("dir.xml"));
                 },
                 XmlLoadCode::NotRegularFile, QStringLiteral("это не обычный файл")},
        FileCase{"Device", [](const TempDir &) { return QStringLiteral("/dev/null"); }, XmlLoadCode::NotRegularFile,
                 QStringLiteral("это не обычный файл")},
        FileCase{"BrokenLink",
                 [](const TempDir &d) {
                     const QString link = d.FilePath(QStringLiteral("link.xml"));
                     QFile::link(d.FilePath(QStringLiteral("gone.xml")), link);
                     return link;
                 },
                 XmlLoadCode::FileNotFound, QStringLiteral("файл не найден")},
        FileCase{"NameTooLong", [](const TempDir &d) { return d.FilePath(QString(5000, u'x')); }, XmlLoadCode::FileNotFound,
                 QStringLiteral("файл не найден")},
        FileCase{"NoPermission",
                 [](const TempDir &d) {
                     const QString path = d.Write(QStringLiteral("locked.xml"), kGood);
                     ::chmod(QFile::encodeName(path).constData(), 0);
                     return path;
                 },
                 XmlLoadCode::AccessDenied, QStringLiteral("доступ запрещён"), true}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

// Root reads whatever the permissions say; the check then runs in a child
// process that gives up root first.
TEST(UnreadableFile, NoPermissionForAnOrdinaryUser)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "covered by the NoPermission case";
    TempDir dir;
    ASSERT_EQ(::chmod(QFile::encodeName(dir.Path()).constData(), 0755), 0);
    const QString path = dir.Write(QStringLiteral("locked.xml"), kGood);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0), 0);
    EXPECT_EXIT(
        {
            constexpr uid_t kNobody = 65534;
            if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                std::_Exit(2);
            TestStructure s;
            const StructureFileOpen opened = OpenStructureFile(*s.root, path);
            if (opened.outcome != StructureFileOpen::Outcome::CannotOpen
                || !opened.message.endsWith(QStringLiteral(": доступ запрещён.")))
                std::_Exit(3);
            try {
                s.LoadFile(path);
            } catch (const ErrorXML &error) {
                std::_Exit(error.Code() == XmlLoadCode::AccessDenied && error.Detail() == QStringLiteral("доступ запрещён")
                               ? 0
                               : 4);
            }
            std::_Exit(5);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(UnreadableFile, FifoIsRefusedWithoutWaitingForAWriter)
{
    TempDir dir;
    const QString path = dir.FilePath(QStringLiteral("pipe.xml"));
    const QByteArray encoded = QFile::encodeName(path);
    ASSERT_EQ(::mkfifo(encoded.constData(), 0600), 0);

    TestStructure s;
    auto load = std::async(std::launch::async, [&] {
        const StructureFileOpen opened = OpenStructureFile(*s.root, path);
        const bool loaded = LoadStructureFile(*s.root, path);
        return std::make_pair(opened, loaded);
    });
    if (load.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        // Release a reader stuck in open() so that the test can end.
        const int fd = ::open(encoded.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        load.wait();
        FAIL() << "reading a FIFO blocked";
    }
    const auto [opened, loaded] = load.get();
    EXPECT_EQ(opened.outcome, StructureFileOpen::Outcome::CannotOpen);
    EXPECT_TRUE(opened.message.endsWith(QStringLiteral(": это не обычный файл."))) << opened.message.toStdString();
    EXPECT_FALSE(loaded);
    EXPECT_EQ(s.presenter.Errors(),
              QStringList{QStringLiteral("Ошибка m_XMLDOM->load: %1 (0x8007010b) - это не обычный файл")
                              .arg(XmlLoadCode::NotRegularFile)});
}

TEST(UnreadableFile, EmptyFileNeverReachesTheReader)
{
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("empty.xml"), {});
    TestStructure s;
    ASSERT_TRUE(LoadStructureFile(*s.root, dir.Write(QStringLiteral("good.xml"), kGood)));
    EXPECT_EQ(OpenStructureFile(*s.root, path).outcome, StructureFileOpen::Outcome::EmptyFile);
    EXPECT_EQ(ChildNames(*s.root), QStringList{QStringLiteral("P")});
    EXPECT_TRUE(s.presenter.m_Messages.empty());

    // Given to the reader anyway, it is a load error that says why.
    const ErrorXML error = CaptureErrorXML([&] { s.LoadFile(path); });
    EXPECT_EQ(error.Code(), XmlLoadCode::ParseFailed);
    EXPECT_EQ(error.Detail(), QStringLiteral("в документе нет ни одного элемента"));
}

TEST(RejectedFile, MalformedXmlEmptiesTheStructureAndReportsOnce)
{
    TempDir dir;
    TestStructure s;
    ASSERT_TRUE(LoadStructureFile(*s.root, dir.Write(QStringLiteral("good.xml"), kGood)));
    const QString bad = dir.Write(QStringLiteral("bad.xml"), "<?xml version=\"1.0\"?>\n<PULT>\n<DISP Name=\"P\">\n</PULT>\n");
    EXPECT_EQ(OpenStructureFile(*s.root, bad).outcome, StructureFileOpen::Outcome::Rejected);
    EXPECT_TRUE(s.root->m_Children.empty());
    EXPECT_TRUE(s.root->m_Lifts.empty());
    EXPECT_TRUE(s.root->m_XMLDOM.IsNull());
    const QStringList errors = s.presenter.Errors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Ошибка m_XMLDOM->load: 1 (0x1) - строка 4, столбец ")))
        << errors[0].toStdString();
    EXPECT_TRUE(s.presenter.Information().isEmpty());
}

// The size is checked before a byte is read: a sparse file costs nothing here.
TEST(RejectedFile, FileAboveTheSizeLimitIsRefusedUnread)
{
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("huge.xml"), "<PULT/>");
    ASSERT_TRUE(QFile(path).resize(XmlDocument::kMaxFileSize + 1));
    TestStructure s;
    const ErrorXML error = CaptureErrorXML([&] { s.LoadFile(path); });
    EXPECT_EQ(error.Message(), QStringLiteral("Ошибка m_XMLDOM->load"));
    EXPECT_EQ(error.Code(), XmlLoadCode::FileTooLarge);
    EXPECT_EQ(error.Detail(), QStringLiteral("файл слишком велик"));

    EXPECT_EQ(OpenStructureFile(*s.root, path).outcome, StructureFileOpen::Outcome::Rejected);
    EXPECT_EQ(s.presenter.Errors(),
              QStringList{QStringLiteral("Ошибка m_XMLDOM->load: %1 (0x800700df) - файл слишком велик")
                              .arg(XmlLoadCode::FileTooLarge)});
}

TEST(RejectedFile, CyrillicPathLoads)
{
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("структура Север.xml"), kGood);
    TestStructure s;
    EXPECT_EQ(OpenStructureFile(*s.root, path).outcome, StructureFileOpen::Outcome::Loaded);
    EXPECT_EQ(ChildNames(*s.root), QStringList{QStringLiteral("P")});
}

// --- large and deep documents ---------------------------------------------------------------

// The parser takes a start tag of up to ten million bytes (its limit stays on).
constexpr int kLargeValue = 4'000'000;

TEST(LargeInput, FourMegabyteTextAttributeIsRead)
{
    TempDir dir;
    const QByteArray value = "  " + QByteArray(kLargeValue, 'x') + "\xD0\x96  ";
    const QString path = dir.Write(QStringLiteral("big.xml"),
                                   PultDocument("<DISP Name=\"" + value + "\"><STREET Name=\"S\"><HOME Name=\"H\">"
                                                "<LIFT Name=\"L\" Comment=\"" + value + "\"/></HOME></STREET></DISP>"));
    TestStructure s;
    ASSERT_TRUE(LoadStructureFile(*s.root, path)) << s.presenter.Errors().join(u'\n').toStdString();
    const QString &name = s.root->m_Children.at(0)->m_Name;
    EXPECT_EQ(name.size(), kLargeValue + 1);
    EXPECT_TRUE(name.endsWith(QStringLiteral("xЖ")));
    EXPECT_EQ(s.root->m_Lifts.at(0)->Comment.size(), kLargeValue + 1);
}

// The one error of a rejected load, with the parser's place and the given reason.
void ExpectOneLoadError(const TestStructure &s, const QString &reason)
{
    const QStringList errors = s.presenter.Errors();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("Ошибка m_XMLDOM->load: 1 (0x1) - строка 2, столбец ")));
    EXPECT_TRUE(errors[0].endsWith(reason)) << errors[0].toStdString();
    EXPECT_TRUE(s.root->m_Children.empty());
}

TEST(LargeInput, ValueAboveTheParserLimitIsALoadError)
{
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("big.xml"),
                                   PultDocument("<DISP Name=\"" + QByteArray(10'000'001, 'x') + "\"/>"));
    TestStructure s;
    EXPECT_FALSE(LoadStructureFile(*s.root, path));
    ExpectOneLoadError(s, QStringLiteral(" длиннее допустимого"));
}

struct LargeValueCase
{
    const char *name;
    QByteArray inner;
    QString message;
    std::int32_t code;
};

class LargeValue : public ::testing::TestWithParam<LargeValueCase>
{
};

TEST_P(LargeValue, NumbersThatLongAreReadErrors)
{
    TestStructure s;
    const ErrorXML error = CaptureErrorXML([&] { s.Load(PultDocument(GetParam().inner)); });
    EXPECT_EQ(error.Message(), GetParam().message);
    EXPECT_EQ(error.Code(), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LargeValue,
    ::testing::Values(LargeValueCase{"Digits", "<DISP IdDB=\"" + QByteArray(kLargeValue, '7') + "\"/>",
                                     QStringLiteral("Ошибка при чтении параметра IdDB элемента "), ConversionCode::Overflow},
                      LargeValueCase{"ZerosThenDigit", "<DISP AskLift=\"" + QByteArray(kLargeValue, '0') + "5x\"/>",
                                     QStringLiteral("Ошибка при чтении параметра AskLift элемента DISP"),
                                     ConversionCode::TypeMismatch},
                      LargeValueCase{"Blanks", "<TabOut><Out Number=\"" + QByteArray(kLargeValue, ' ') + "\"/></TabOut>",
                                     QStringLiteral("Ошибка при чтении параметра Number элемента Out"),
                                     ConversionCode::TypeMismatch}),
    [](const auto &testCase) { return std::string(testCase.param.name); });

TEST(LargeInput, FourMegabyteGuidIsAllZero)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"P\"><STREET><HOME><LIFT GUID=\"" + QByteArray(kLargeValue, 'A') + "\"/></HOME></STREET></DISP>"));
    EXPECT_TRUE(s.root->m_Lifts.at(0)->GUID.IsNull());
}

QByteArray Nested(const QByteArray &open, const QByteArray &close, int depth)
{
    QByteArray xml;
    xml.reserve((open.size() + close.size()) * depth);
    for (int i = 0; i < depth; ++i)
        xml += open;
    for (int i = 0; i < depth; ++i)
        xml += close;
    return xml;
}

// Elements nest at most 256 deep below the document element: the parser's
// limit, which comes before the groups' own.
TEST(DeepInput, ElementsNestedDeeperThanTheParserAllowsAreALoadError)
{
    TempDir dir;
    for (const QByteArray &nested : {Nested("<GROUP>", "</GROUP>", 100000), Nested("<X>", "</X>", 256)}) {
        const QString path = dir.Write(QStringLiteral("deep.xml"), PultDocument("<DISP Name=\"P\">" + nested + "</DISP>"));
        TestStructure s;
        EXPECT_FALSE(LoadStructureFile(*s.root, path));
        ExpectOneLoadError(s, QStringLiteral(": слишком глубокая вложенность элементов (больше 256 уровней)"));
    }
}

TEST(DeepInput, OtherElementsNestedDeepAreSkipped)
{
    TestStructure s;
    s.Load(PultDocument("<DISP Name=\"P\"><STREET Name=\"S\">" + Nested("<STREET>", "</STREET>", 250)
                        + "</STREET>" + Nested("<X>", "</X>", 254) + "</DISP>"));
    EXPECT_EQ(ChildNames(*s.root->m_Children.at(0)), QStringList{QStringLiteral("S")});
    EXPECT_TRUE(s.presenter.m_Messages.empty());
}

// --- the file is only read ---------------------------------------------------------------------

struct FileState
{
    QByteArray bytes;
    struct timespec mtime {};
    mode_t mode = 0;
    QStringList directory;
};

FileState StateOf(const QString &path)
{
    FileState state;
    state.bytes = ReadAll(path);
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0) {
        state.mtime = info.st_mtim;
        state.mode = info.st_mode;
    }
    state.directory = QDir(QFileInfo(path).absolutePath()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    return state;
}

class FileUntouched : public ::testing::TestWithParam<std::pair<const char *, QByteArray>>
{
};

TEST_P(FileUntouched, BytesTimeAndDirectoryAreTheSameAfterTheLoad)
{
    TempDir dir;
    const QString path = dir.Write(QStringLiteral("structure.xml"), GetParam().second);
    // A time in the past, to the nanosecond: any write would move it to now.
    const struct timespec times[2] = {{1000000000, 123456789}, {1000000000, 123456789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    const FileState before = StateOf(path);

    TestStructure s;
    OpenStructureFile(*s.root, path);
    s.root->ResetStructure();
    LoadStructureFile(*s.root, path);
    s.root->ResetStructure();

    const FileState after = StateOf(path);
    EXPECT_EQ(after.bytes, before.bytes);
    EXPECT_EQ(after.mtime.tv_sec, 1000000000);
    EXPECT_EQ(after.mtime.tv_nsec, 123456789);
    EXPECT_EQ(after.mode, before.mode);
    EXPECT_EQ(after.directory, before.directory);
}

INSTANTIATE_TEST_SUITE_P(
    Files, FileUntouched,
    ::testing::Values(std::make_pair("Good", kGood),
                      std::make_pair("Malformed", QByteArray("<PULT><DISP></PULT>")),
                      std::make_pair("BadValue", PultDocument("<DISP AskLift=\"x\"/>")),
                      std::make_pair("Windows1251", QByteArray("<?xml version=\"1.0\" encoding=\"windows-1251\"?><PULT Name=\"\xCF\"/>"))),
    [](const auto &testCase) { return std::string(testCase.param.first); });

} // namespace
