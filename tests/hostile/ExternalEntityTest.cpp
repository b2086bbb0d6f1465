// A document may name a local file in its document type, as an external
// entity, an external subset or an inclusion. Korvix reads only the file it
// was asked to open: the named file is never opened, and nothing of it shows
// in the structure, the log or any message. A document that uses an
// external entity cannot be read without it, and is refused saying so.

#include "model/CLiftB.h"
#include "tests/hostile/HostileSupport.h"

#include <QDir>
#include <QFile>
#include <QUuid>

#include <gtest/gtest.h>

#ifdef __linux__
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace {

using Outcome = StructureFileOpen::Outcome;

struct EntityCase
{
    const char *name;
    // The document; "%URL%" and "%PATH%" stand for the secret file.
    QByteArray text;
    QStringList points; // the points it loads as; none when it is refused
    QString refusal = {}; // the end of the error when it is refused
};

[[maybe_unused]] void PrintTo(const EntityCase &c, std::ostream *os)
{
    *os << c.name;
}

const QString kRefused = QStringLiteral("документ ссылается на внешнюю сущность «x», а внешние сущности не читаются");

const EntityCase kCases[] = {
    {"EntityInEveryName",
     "<?xml version=\"1.0\"?>\n<!DOCTYPE PULT [<!ENTITY x SYSTEM \"%URL%\">]>\n"
     "<PULT Name=\"&x;\"><DISP Name=\"&x;\"><STREET Name=\"&x;\"><HOME Name=\"&x;\">"
     "<LIFT Name=\"&x;\" Owner=\"&x;\" Comment=\"&x;\"/></HOME></STREET>"
     "<GROUP Name=\"&x;\"/></DISP></PULT>",
     {},
     kRefused},
    {"EntityByPlainPath",
     "<!DOCTYPE PULT [<!ENTITY x SYSTEM \"%PATH%\">]><PULT><DISP Name=\"&x;\"/></PULT>",
     {},
     kRefused},
    {"EntityInContent",
     "<!DOCTYPE PULT [<!ENTITY x SYSTEM \"%URL%\">]><PULT><DISP Name=\"P\">&x;</DISP>&x;</PULT>",
     {},
     kRefused},
    {"PublicEntity",
     "<!DOCTYPE PULT [<!ENTITY x PUBLIC \"-//K//X//RU\" \"%URL%\">]><PULT><DISP Name=\"&x;\"/></PULT>",
     {},
     kRefused},
    {"DeclaredButNotUsed", "<!DOCTYPE PULT [<!ENTITY x SYSTEM \"%URL%\">]><PULT><DISP Name=\"P\"/></PULT>",
     {QStringLiteral("P")}},
    // A processor that does not validate need not read the external subset.
    {"ExternalSubset", "<!DOCTYPE PULT SYSTEM \"%URL%\"><PULT><DISP Name=\"P\"/></PULT>", {QStringLiteral("P")}},
    {"EntityTheExternalSubsetMayDeclare", "<!DOCTYPE PULT SYSTEM \"%URL%\"><PULT><DISP Name=\"&x;\"/></PULT>",
     {},
     QStringLiteral("сущность «x» не объявлена в документе, а внешнее описание его типа не читается")},
    {"ParameterEntity",
     "<!DOCTYPE PULT [<!ENTITY % p SYSTEM \"%URL%\"> %p;]><PULT><DISP Name=\"P\"/></PULT>",
     {},
     QStringLiteral("документ ссылается на внешнюю сущность «p», а внешние сущности не читаются")},
    {"Inclusion",
     "<PULT xmlns:xi=\"http://www.w3.org/2001/XInclude\"><DISP Name=\"P\"><xi:include href=\"%URL%\" parse=\"text\"/>"
     "</DISP></PULT>",
     {QStringLiteral("P")}},
};

class ExternalEntity : public ::testing::TestWithParam<EntityCase>
{
};

#ifdef __linux__
// Watches a file for being opened or read; counts what happened since.
class OpenWatch
{
public:
    explicit OpenWatch(const QString &path)
        : m_Fd(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_Fd >= 0)
            m_Watch = ::inotify_add_watch(m_Fd, QFile::encodeName(path).constData(), IN_OPEN | IN_ACCESS);
    }
    ~OpenWatch()
    {
        if (m_Fd >= 0)
            ::close(m_Fd);
    }
    bool Valid() const { return m_Fd >= 0 && m_Watch >= 0; }
    // Events since the watch began; reading drains them.
    ssize_t EventBytes() const
    {
        alignas(struct inotify_event) char buffer[4096];
        const ssize_t n = ::read(m_Fd, buffer, sizeof buffer);
        return n < 0 ? 0 : n;
    }

private:
    int m_Fd;
    int m_Watch = -1;
};
#endif

TEST_P(ExternalEntity, NamedFileIsNeitherReadNorShown)
{
    TempDir dir;
    const QString secret = QStringLiteral("KORVIX-SECRET-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString secretPath = dir.Write(QStringLiteral("secret.txt"), secret.toUtf8());
    const QString url = QStringLiteral("file://") + secretPath;

    QByteArray text = GetParam().text;
    text.replace("%URL%", url.toUtf8()).replace("%PATH%", secretPath.toUtf8());
    const QString path = dir.Write(QStringLiteral("structure.xml"), text);

#ifdef __linux__
    const OpenWatch watch(secretPath);
    ASSERT_TRUE(watch.Valid());
    // The watch itself sees what it should: an open of the file.
    ASSERT_FALSE(ReadAll(secretPath).isEmpty());
    ASSERT_GT(watch.EventBytes(), 0);
#endif

    Session session;
    const OpenRun run = session.Open(path);
    if (GetParam().refusal.isEmpty()) {
        ASSERT_EQ(run.outcome, Outcome::Loaded) << run.errors.join(u'\n').toStdString();
        EXPECT_EQ(run.points, GetParam().points);
        EXPECT_TRUE(run.errors.isEmpty());
    } else {
        ASSERT_EQ(run.outcome, Outcome::Rejected);
        ASSERT_EQ(run.errors.size(), 1);
        EXPECT_TRUE(run.errors[0].startsWith(QStringLiteral("Ошибка m_XMLDOM->load: 1 (0x1) - строка ")));
        EXPECT_TRUE(run.errors[0].endsWith(GetParam().refusal)) << run.errors[0].toStdString();
        EXPECT_TRUE(session.root->m_Children.empty());
    }

#ifdef __linux__
    EXPECT_EQ(watch.EventBytes(), 0) << "the file named in the document was opened";
#endif
    for (const QString &name : AllNodeNames(*session.root))
        EXPECT_FALSE(name.contains(secret)) << name.toStdString();
    for (const CLiftB *lift : session.root->m_Lifts) {
        EXPECT_FALSE(lift->Owner.contains(secret));
        EXPECT_FALSE(lift->Comment.contains(secret));
    }
    const QString log = session.LogText();
    EXPECT_EQ(log.contains(QStringLiteral("Loaded: ")), GetParam().refusal.isEmpty());
    EXPECT_FALSE(log.contains(secret));
    for (const auto &[icon, message] : session.presenter.m_Messages)
        EXPECT_FALSE(message.contains(secret));
}

INSTANTIATE_TEST_SUITE_P(Documents, ExternalEntity, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<EntityCase> &p) { return std::string(p.param.name); });

} // namespace
