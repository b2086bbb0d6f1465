#include "log/LogFile.h"
#include "model/ErrorCodes.h"
#include "model/xml/XmlDocument.h"
#include "tests/log/LogTestSupport.h"
#include "tests/support/RecordingPresenter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace {

// One error line: the text and code given to WriteError, the thread's error
// number at the time, and what must follow the text.
struct ErrorCase
{
    const char *name;
    const char *text;
    std::int32_t code;
    int errnoBefore;
    const char *detail;
    const char *expectedCode; // ": code (0xhex) - ", or "" when nothing follows the text
    const char *description;  // after the dash; null: the operating system's text for osError
    int osError;
};

void PrintTo(const ErrorCase &c, std::ostream *os)
{
    *os << c.name;
}

QString OsText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

const ErrorCase kErrorCases[] = {
    {"CodeZero", "Ошибка", 0, 0, "", "", "", 0},
    {"SystemErrorNumber", "Ошибка", 5, 0, "", ": 5 (0x5) - ", nullptr, 5},
    // -1 stands for the thread's last error.
    {"LastErrorNotFound", "Ошибка", -1, ENOENT, "", ": 2 (0x2) - ", nullptr, ENOENT},
    // Error number 1 is also the DOM layer's "not parsed" code; from the
    // thread's last error it is the system's.
    {"LastErrorNotPermitted", "Ошибка", -1, EPERM, "", ": 1 (0x1) - ", nullptr, EPERM},
    {"LastErrorNone", "Ошибка", -1, 0, "", "", "", 0},
    {"DomFileNotFound", "Ошибка m_XMLDOM->load", XmlLoadCode::FileNotFound, 0, "",
     ": -2147024894 (0x80070002) - ", "файл не найден", 0},
    {"DomNotParsed", "Ошибка m_XMLDOM->load", XmlLoadCode::ParseFailed, 0, "", ": 1 (0x1) - ",
     "документ не удалось разобрать", 0},
    {"ConversionCode", "Ошибка при чтении параметра SubNet элемента LIFT", ConversionCode::TypeMismatch, 0, "",
     ": -2147352571 (0x80020005) - ", "значение не является целым числом", 0},
    {"ComFailure", "Ошибка", static_cast<std::int32_t>(0x80004005), 0, "", ": -2147467259 (0x80004005) - ",
     "неопознанная ошибка", 0},
    // Codes nobody describes: nothing after the dash.
    {"UnknownHresult", "Ошибка", static_cast<std::int32_t>(0x8FFF1234), 0, "", ": -1879109068 (0x8fff1234) - ", "", 0},
    {"UnknownErrorNumber", "Ошибка", 4000, 0, "", ": 4000 (0xfa0) - ", "", 0},
    {"NegativeNumber", "Ошибка", -5, 0, "", ": -5 (0xfffffffb) - ", "", 0},
    // A read error's own detail replaces the description of its code.
    {"Detail", "Ошибка m_XMLDOM->load", XmlLoadCode::ParseFailed, 0, "строка 1, столбец 11: ошибка в открывающем теге",
     ": 1 (0x1) - ", "строка 1, столбец 11: ошибка в открывающем теге", 0},
    {"EmptyText", "", 5, 0, "", ": 5 (0x5) - ", nullptr, 5},
};

class WriteError : public ::testing::TestWithParam<ErrorCase>
{
};

TEST_P(WriteError, LineAndBox)
{
    const ErrorCase &c = GetParam();
    QString expected = QString::fromUtf8(c.text) + QString::fromUtf8(c.expectedCode);
    expected += c.description ? QString::fromUtf8(c.description) : OsText(c.osError);

    TempDir dir;
    RecordingPresenter presenter;
    LogFile log(dir.Path(), {}, &presenter);
    const QString text = QString::fromUtf8(c.text);
    const QString detail = QString::fromUtf8(c.detail);
    errno = c.errnoBefore; // right before the call: allocations may change it
    const bool written = log.WriteError(text, c.code, detail);
    EXPECT_TRUE(written);

    EXPECT_EQ(LogTexts(LogPathIn(dir.Path())), QStringList{expected});
    ASSERT_EQ(presenter.m_Messages.size(), 1u);
    EXPECT_EQ(presenter.m_Messages[0].first, MessagePresenter::Icon::Error);
    EXPECT_EQ(presenter.m_Messages[0].second, expected);
    if (!c.description) {
        EXPECT_FALSE(OsText(c.osError).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, WriteError, ::testing::ValuesIn(kErrorCases),
                         [](const ::testing::TestParamInfo<ErrorCase> &p) { return std::string(p.param.name); });

// The root's error report goes through WriteError when there is a log and
// straight to the presentation when there is none; the line is the same.
TEST(ErrorLine, SameWithoutLog)
{
    const QString line = LogFile::ErrorLine(QStringLiteral("Ошибка"), XmlLoadCode::AccessDenied);
    EXPECT_EQ(line, QStringLiteral("Ошибка: -2147024891 (0x80070005) - доступ запрещён"));
}

} // namespace
