// Dispcraft killed with unsaved work: the next start offers the work and restores it. The real
// program runs without a display (offscreen) with a recovery interval of one second in its
// settings file; a small library loaded into it (RecoveryDriver.cpp) acts as its user.
#include "config/PrivateProfile.h"
#include "model/ProjectStore.h"
#include "model/TrnReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <memory>
#include <optional>
#include <sys/stat.h>

using namespace dispcraft;

namespace {

constexpr int kWaitMs = 30000;

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

unsigned permissions(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 0777) : 0;
}

std::unique_ptr<ProjectStore> readProject(const QString& path) {
    auto st = std::make_unique<ProjectStore>();
    TrnReader::Result r = TrnReader::load(*st, QFile::encodeName(path).toStdString());
    return r.ok ? std::move(st) : nullptr;
}

// The recovery descriptions in a directory.
QStringList copies(const QString& dir) {
    return QDir(dir).entryList({QStringLiteral("*.info")}, QDir::Files, QDir::Name);
}

bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > kWaitMs) {
            return false;
        }
        QTest::qWait(50);
    }
    return true;
}

// Dispcraft as a user starts it, with the driver in it.
class Dispcraft {
public:
    Dispcraft(const QString& programDir, const QString& stateHome, const QString& driver,
              const QStringList& arguments) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_STATE_HOME"), stateHome);
        env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(DISPCRAFT_TEST_DRIVER_LIBRARY));
        env.insert(QStringLiteral("DISPCRAFT_TEST_DRIVER"), driver);
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(
            QStringLiteral(DISPCRAFT_TEST_BIN_DIR "/dispcraft"),
            QStringList{QStringLiteral("--no-logo"), QStringLiteral("--program-dir"), programDir} +
                arguments);
    }
    ~Dispcraft() { kill(); }

    // The rest of the driver's line that starts with prefix, waiting for it; nothing when the
    // program ended or the wait ran out first.
    std::optional<QString> line(const QString& prefix) {
        std::optional<QString> found;
        waitFor([&] {
            m_process.waitForReadyRead(50);
            m_out += QString::fromUtf8(m_process.readAllStandardOutput());
            for (const QString& l : m_out.split(QLatin1Char('\n'))) {
                if (l.startsWith(prefix)) {
                    found = l.mid(prefix.size());
                    return true;
                }
            }
            return m_process.state() == QProcess::NotRunning;
        });
        return found;
    }
    void kill() {
        if (m_process.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(m_process.processId()), SIGKILL);
            m_process.waitForFinished(kWaitMs);
        }
    }
    bool running() const { return m_process.state() == QProcess::Running; }

private:
    QProcess m_process;
    QString m_out;
};

} // namespace

class RecoveryKillTest : public QObject {
    Q_OBJECT
private slots:
    void killedWorkIsOfferedAndRestored();
};

void RecoveryKillTest::killedWorkIsOfferedAndRestored() {
    QTemporaryDir root;
    QVERIFY(root.isValid());
    // The shipped program directory, but with its own settings file: a recovery copy every
    // second of unsaved work.
    const QString program = root.filePath(QStringLiteral("program"));
    QVERIFY(QDir().mkpath(program));
    const QDir shipped(QStringLiteral(DISPCRAFT_TEST_PROGRAM_DIR));
    for (const QString& name : shipped.entryList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        if (name != QLatin1String("qel.ini")) {
            QVERIFY(QFile::link(shipped.filePath(name), program + QLatin1Char('/') + name));
        }
    }
    const QString settings = program + QStringLiteral("/qel.ini");
    QVERIFY(QFile::copy(shipped.filePath(QStringLiteral("qel.ini")), settings));
    QVERIFY(PrivateProfile::writeString(QFile::encodeName(settings).toStdString(), "Recovery",
                                        "interval", "1"));
    const QString state = root.filePath(QStringLiteral("state"));
    const QString recovery = state + QStringLiteral("/dispcraft/recovery");

    const QString project = root.filePath(QStringLiteral("demo.trn"));
    QVERIFY(QFile::copy(QStringLiteral(DISPCRAFT_TEST_EXAMPLES_DIR "/one-port-demo.trn"), project));
    const QByteArray projectBytes = readAll(project);
    auto original = readProject(project);
    QVERIFY(original);
    const TextStringRecord text = original->screens[1].textStrings[0];
    QVERIFY(original->entries[1].textCount > 0);

    // Unsaved work, then the program is killed once its recovery copy is there.
    QString oldCopy;
    {
        Dispcraft first(program, state,
                        QStringLiteral("edit %1 %2").arg(2 * text.x + 4).arg(2 * text.y + 8),
                        {project});
        QVERIFY(first.line(QStringLiteral("edited")));
        QVERIFY(first.running());
        QVERIFY(waitFor([&] { return !copies(recovery).isEmpty(); }));
        first.kill();
        oldCopy = copies(recovery).value(0).chopped(5);
    }
    QCOMPARE(permissions(recovery), 0700u);
    QCOMPARE(permissions(recovery + QLatin1Char('/') + oldCopy + QStringLiteral(".trn")), 0600u);
    QCOMPARE(permissions(recovery + QLatin1Char('/') + oldCopy + QStringLiteral(".info")), 0600u);
    QVERIFY(readAll(project) == projectBytes); // never written over the project
    auto copy = readProject(recovery + QLatin1Char('/') + oldCopy + QStringLiteral(".trn"));
    QVERIFY(copy);
    QVERIFY(copy->screens[1].textStrings[0].y > text.y);

    // The next start offers it; Yes opens it untitled and unsaved, its screen in a window.
    {
        Dispcraft second(program, state, QStringLiteral("restore"), {});
        const QString asked = second.line(QStringLiteral("asked: ")).value_or(QString());
        QVERIFY2(asked.startsWith(QStringLiteral("Restore the unsaved work of demo.trn from ")),
                 qPrintable(asked));
        const QString title = second.line(QStringLiteral("title: ")).value_or(QString());
        QVERIFY2(title.startsWith(QStringLiteral("Untitled project")), qPrintable(title));
        QCOMPARE(second.line(QStringLiteral("windows: ")).value_or(QString()), QStringLiteral("1"));
        // Its work is this program's copy now; the old copy is gone.
        QVERIFY(waitFor([&] {
            const QStringList now = copies(recovery);
            return now.size() == 1 && now[0].chopped(5) != oldCopy;
        }));
        const QString newCopy = copies(recovery)[0].chopped(5);
        auto restored = readProject(recovery + QLatin1Char('/') + newCopy + QStringLiteral(".trn"));
        QVERIFY(restored);
        QCOMPARE(restored->screens[1].textStrings[0].y, copy->screens[1].textStrings[0].y);
        QVERIFY(readAll(recovery + QLatin1Char('/') + newCopy + QStringLiteral(".info"))
                    .contains(QFile::encodeName(QStringLiteral("project=") + project)));
        second.kill();
    }
    QVERIFY(readAll(project) == projectBytes);
}

QTEST_GUILESS_MAIN(RecoveryKillTest)
#include "RecoveryKillTest.moc"
