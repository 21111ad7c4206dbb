// The settings store on real files: defaults, round trips through a second process, damaged
// values, two programs writing at once, a killed writer and stores that cannot be written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "common/qt/SettingsStore.h"

namespace halvoria {
namespace {

void EnsureApp() {
    static int argc = 1;
    static char name[] = "halvoria_qt_settings_tests";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() == nullptr) new QCoreApplication(argc, argv);
}

// Section/key -> raw value text, read straight from the file, for values without quoting.
QMap<QString, QString> ParseIni(const QByteArray& bytes) {
    QMap<QString, QString> values;
    QString section;
    for (const QByteArray& rawLine : bytes.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2);
        } else if (const qsizetype equals = line.indexOf(u'='); equals > 0) {
            values.insert(section + u'/' + line.left(equals), line.mid(equals + 1));
        }
    }
    return values;
}

struct WriterRun {
    int exitCode = -1;
    QByteArray output;
};

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureApp();
        ASSERT_TRUE(folder_.isValid());
        // QSettings keeps the user folder it found first, so each test points it anew.
        qputenv("XDG_CONFIG_HOME", folder_.path().toLocal8Bit());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder_.path());
    }

    QString StoreFile() const { return folder_.path() + "/Halvoria.ini"; }

    QByteArray FileBytes() const {
        QFile file(StoreFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QProcess* StartWriter(const QStringList& arguments) {
        auto* process = new QProcess();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", folder_.path());
        process->setProcessEnvironment(environment);
        process->start(SETTINGS_WRITER, arguments);
        return process;
    }

    WriterRun RunWriter(const QStringList& arguments, int timeoutMs = 20000) {
        QProcess* process = StartWriter(arguments);
        WriterRun run;
        if (process->waitForFinished(timeoutMs) && process->exitStatus() == QProcess::NormalExit) {
            run.exitCode = process->exitCode();
        } else {
            process->kill();
            process->waitForFinished();
        }
        run.output = process->readAllStandardOutput();
        delete process;
        return run;
    }

    QTemporaryDir folder_;
};

TEST_F(SettingsStoreTest, EmptyStoreGivesDefaultsAndWritesPlainStrings) {
    {
        SettingsStore store;
        EXPECT_EQ(store.FileName(), StoreFile());
        EXPECT_EQ(store.GetWholeNumber("Mirelda", "PanelSize", 4), 4);
        EXPECT_TRUE(store.GetBoolean("Mirelda", "Sound", true));
        EXPECT_FALSE(store.GetBoolean("Mirelda", "Sound", false));
        EXPECT_EQ(store.GetText("Mirelda", "Picture", ""), "");
        EXPECT_EQ(store.GetWholeNumber("Mirelda", "RefreshTimes", 100), 100);
        EXPECT_EQ(store.GetWholeNumber("Colvane", "Hiscore", 0), 0);
        EXPECT_EQ(store.GetSetting("Colvane", "Music", "True"), "True");

        store.SaveWholeNumber("Mirelda", "PanelSize", 4);
        store.SaveBoolean("Mirelda", "Sound", true);
        store.SaveBoolean("Mirelda", "Music", false);
        store.SaveText("Mirelda", "Picture", "");
        store.SaveWholeNumber("Mirelda", "HiScore1", -12);
        store.SaveWholeNumber("Colvane", "Hiscore", 0);
        store.Flush();
    }
    const QMap<QString, QString> values = ParseIni(FileBytes());
    EXPECT_EQ(values.value("Mirelda/PanelSize"), "4");
    EXPECT_EQ(values.value("Mirelda/Sound"), "True");
    EXPECT_EQ(values.value("Mirelda/Music"), "False");
    EXPECT_TRUE(values.contains("Mirelda/Picture"));
    EXPECT_EQ(values.value("Mirelda/Picture"), "");
    EXPECT_EQ(values.value("Mirelda/HiScore1"), "-12");
    EXPECT_EQ(values.value("Colvane/Hiscore"), "0");
}

TEST_F(SettingsStoreTest, FileLivesInTheUsersConfigFolder) {
    ASSERT_EQ(RunWriter({"set", "Colvane", "Hiscore", "250"}).exitCode, 0);
    EXPECT_EQ(ParseIni(FileBytes()).value("Colvane/Hiscore"), "250");
}

TEST_F(SettingsStoreTest, TextsRoundTripThroughTheFile) {
    const QStringList texts = {
        "山の風景.jpg",
        "A&B.bmp",
        "a = b",
        "x, y",
        "one,two",
        " leading and trailing ",
        "",
        "@at",
        "semi;co",
        "back\\slash",
        "quote\"d",
        "ＦＵＬＬ　ｗｉｄｔｈ",
        "[not a section]",
    };
    {
        SettingsStore store;
        for (int i = 0; i < texts.size(); ++i) {
            store.SaveText("Mirelda", QString("Text%1").arg(i), texts[i]);
        }
        store.SaveWholeNumber("Mirelda", "Negative", -2147483647 - 1);
        store.SaveBoolean("Colvane", "Music", false);
        store.Flush();
    }
    // A fresh process reads the file, not this process's cache.
    for (int i = 0; i < texts.size(); ++i) {
        const WriterRun run = RunWriter({"get", "Mirelda", QString("Text%1").arg(i), "<none>"});
        ASSERT_EQ(run.exitCode, 0);
        EXPECT_EQ(QString::fromUtf8(run.output), texts[i]) << "text " << i;
    }
    EXPECT_EQ(RunWriter({"get", "Mirelda", "Negative", "<none>"}).output, "-2147483648");
    EXPECT_EQ(RunWriter({"get", "Colvane", "Music", "<none>"}).output, "False");
}

TEST_F(SettingsStoreTest, DamagedValuesTakeTheDefaults) {
    {
        QFile file(StoreFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "[Mirelda]\n"
            "PanelSize=abc\n"
            "Sound=maybe\n"
            "Music=0\n"
            "RefreshTimes=99999999999\n"
            "HiScore1=\n"
            "HiScore2=4.5\n"
            "HiScore3=+4\n"
            "HiScore4= 250 \n"
            "Picture=My, Photo.jpg\n"
            "[Colvane]\n"
            "Hiscore=@Invalid()\n"
            "Music=-1\n");
    }
    SettingsStore store;
    EXPECT_EQ(store.GetWholeNumber("Mirelda", "PanelSize", 4), 4);
    EXPECT_TRUE(store.GetBoolean("Mirelda", "Sound", true));
    EXPECT_FALSE(store.GetBoolean("Mirelda", "Music", true));
    EXPECT_EQ(store.GetWholeNumber("Mirelda", "RefreshTimes", 100), 100);
    EXPECT_EQ(store.GetWholeNumber("Mirelda", "HiScore1", 0), 0);
    EXPECT_EQ(store.GetWholeNumber("Mirelda", "HiScore2", 0), 0);
    EXPECT_EQ(store.GetWholeNumber("Mirelda", "HiScore3", 0), 0);
    EXPECT_EQ(store.GetWholeNumber("Mirelda", "HiScore4", 0), 250);
    // Bare commas written by hand come back as written, not as a split list.
    EXPECT_EQ(store.GetText("Mirelda", "Picture", ""), "My, Photo.jpg");
    EXPECT_EQ(store.GetWholeNumber("Colvane", "Hiscore", 0), 0);
    EXPECT_TRUE(store.GetBoolean("Colvane", "Music", false));
}

TEST_F(SettingsStoreTest, TwoProgramsWritingAtOnceKeepBothSections) {
    {
        SettingsStore store;
        store.SaveSetting("Mirelda", "Keep", "mirelda's");
        store.SaveSetting("Colvane", "Keep", "colvane's");
        store.Flush();
    }
    constexpr int kKeys = 20;
    constexpr int kRounds = 40;
    const QString keys = QString::number(kKeys);
    const QString rounds = QString::number(kRounds);
    QProcess* puzzle = StartWriter({"write", "Mirelda", "M", keys, rounds});
    QProcess* tiles = StartWriter({"write", "Colvane", "C", keys, rounds});
    EXPECT_TRUE(puzzle->waitForFinished(60000));
    EXPECT_TRUE(tiles->waitForFinished(60000));
    EXPECT_EQ(puzzle->exitCode(), 0);
    EXPECT_EQ(tiles->exitCode(), 0);
    delete puzzle;
    delete tiles;

    const QMap<QString, QString> values = ParseIni(FileBytes());
    EXPECT_EQ(values.value("Mirelda/Keep"), "mirelda's");
    EXPECT_EQ(values.value("Colvane/Keep"), "colvane's");
    for (int i = 0; i < kKeys; ++i) {
        const QString last = QString("%1:%2").arg(kRounds).arg(i);
        EXPECT_EQ(values.value(QString("Mirelda/M%1").arg(i)), last);
        EXPECT_EQ(values.value(QString("Colvane/C%1").arg(i)), last);
    }
}

// Whether the store's lock file names this process as its holder (its first line is the pid).
bool LockHeldBy(const QString& lockFile, qint64 pid) {
    QFile file(lockFile);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return file.readLine().trimmed() == QByteArray::number(pid);
}

// Whether the process has come to a stop (state T in /proc), after a SIGSTOP.
bool Stopped(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = stat.readAll();
    const qsizetype name = line.lastIndexOf(')');
    return name >= 0 && line.size() > name + 2 && line[name + 2] == 'T';
}

// Stops the writer at a moment it holds the store's lock, that is inside a save between taking
// the lock and releasing it, and kills it there. The lock file names its holder exactly while a
// save runs, and a stopped process cannot leave the save, so the kill lands inside it by
// construction. A lock left by an earlier killed writer names that one, not this.
bool KillInsideASave(QProcess& writer, const QString& lockFile) {
    const qint64 pid = writer.processId();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 60000) {
        if (LockHeldBy(lockFile, pid)) {
            ::kill(static_cast<pid_t>(pid), SIGSTOP);
            for (int i = 0; i < 100000 && !Stopped(pid); ++i) QThread::usleep(100);
            if (LockHeldBy(lockFile, pid)) {
                ::kill(static_cast<pid_t>(pid), SIGKILL);
                writer.waitForFinished();
                return true;
            }
            ::kill(static_cast<pid_t>(pid), SIGCONT);
        }
        QThread::usleep(200);
    }
    return false;
}

// Checks that the store holds the values of the first save or of a later whole one.
void ExpectWholeStore(const QByteArray& bytes, qsizetype blobSize, const std::string& what) {
    const QMap<QString, QString> values = ParseIni(bytes);
    EXPECT_EQ(values.value("Colvane/Hiscore"), "123") << what;
    const QString blob = values.value("Mirelda/Blob");
    ASSERT_EQ(blob.size(), blobSize) << what;
    EXPECT_EQ(blob.count(blob.front()), blobSize) << what;
}

TEST_F(SettingsStoreTest, KilledWriterLeavesAWholeFile) {
    constexpr qsizetype kBlob = 4 * 1024 * 1024;
    {
        SettingsStore store;
        store.SaveSetting("Colvane", "Hiscore", "123");
        store.SaveSetting("Mirelda", "Blob", QString(kBlob, u'a'));
        store.Flush();
    }
    const QString lockFile = StoreFile() + ".lock";
    // Kills inside a save, each one certain to land there.
    for (int attempt = 0; attempt < 4; ++attempt) {
        QProcess* writer = StartWriter({"blob", "Mirelda", "Blob", QString::number(kBlob)});
        ASSERT_TRUE(writer->waitForStarted(60000));
        const bool killed = KillInsideASave(*writer, lockFile);
        if (!killed) {
            writer->kill();
            writer->waitForFinished();
        }
        delete writer;
        ASSERT_TRUE(killed) << "the writer never took the lock";
        ExpectWholeStore(FileBytes(), kBlob, "kill inside save " + std::to_string(attempt));
        // The next writer takes over the lock the killed one left behind.
    }
    // Kills at random moments besides, wherever they fall.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> delayMs(0, 40);
    for (int attempt = 0; attempt < 4; ++attempt) {
        QProcess* writer = StartWriter({"blob", "Mirelda", "Blob", QString::number(kBlob)});
        ASSERT_TRUE(writer->waitForReadyRead(60000));
        QThread::msleep(static_cast<unsigned long>(delayMs(random)));
        writer->kill();
        writer->waitForFinished();
        delete writer;
        ExpectWholeStore(FileBytes(), kBlob, "random kill " + std::to_string(attempt));
    }
    // The lock a killed writer held does not stop the next one.
    EXPECT_EQ(RunWriter({"set", "Colvane", "Hiscore", "456"}, 60000).exitCode, 0);
    EXPECT_EQ(ParseIni(FileBytes()).value("Colvane/Hiscore"), "456");
}

TEST_F(SettingsStoreTest, ReadOnlyFolderKeepsTheOldFile) {
    {
        SettingsStore store;
        store.SaveSetting("Colvane", "Hiscore", "123");
        store.SaveSetting("Mirelda", "PanelSize", "5");
        store.Flush();
    }
    const QByteArray before = FileBytes();
    ASSERT_FALSE(before.isEmpty());
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(folder_.path(), readOnly));

    // The writer gives up root rights, so the folder's permissions hold for it too.
    const WriterRun write = RunWriter({"--as-nobody", "set", "Colvane", "Hiscore", "999"});
    const WriterRun read = RunWriter({"--as-nobody", "get", "Colvane", "Hiscore", "<none>"});
    const QStringList entries =
        QDir(folder_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QFile::setPermissions(folder_.path(), readOnly | QFile::WriteOwner);

    EXPECT_EQ(write.exitCode, 0);
    EXPECT_EQ(FileBytes(), before);
    EXPECT_EQ(read.output, "123");
    EXPECT_EQ(entries, QStringList{"Halvoria.ini"});
}

TEST_F(SettingsStoreTest, StorePathThatIsAFolderGivesDefaultsAndStaysAFolder) {
    ASSERT_TRUE(QDir(folder_.path()).mkdir("Halvoria.ini"));
    {
        SettingsStore store;
        EXPECT_EQ(store.GetWholeNumber("Mirelda", "PanelSize", 4), 4);
        store.SaveWholeNumber("Mirelda", "PanelSize", 8);
        store.Flush();
    }
    EXPECT_TRUE(QFileInfo(StoreFile()).isDir());
    EXPECT_EQ(RunWriter({"set", "Mirelda", "PanelSize", "8"}).exitCode, 0);
    EXPECT_EQ(RunWriter({"get", "Mirelda", "PanelSize", "4"}).output, "4");
    EXPECT_TRUE(QFileInfo(StoreFile()).isDir());
}

// What a save does to the rest of a hand-written file. The store keeps other sections' keys and
// values, but not their exact bytes; each row is a case the README's table of hostile stores
// states.
TEST_F(SettingsStoreTest, SaveRewritesTheRestOfAHandWrittenFile) {
    const struct {
        const char* name;
        QByteArray before;
        QList<QByteArray> kept;     // in the file after the save
        QList<QByteArray> dropped;  // no longer in it
    } cases[] = {
        {"section name with a space",
         "[Other Game]\nkey=1\n",
         {"[Other%20Game]\nkey=1\n"},
         {"[Other Game]"}},
        {"Latin-1 bytes in a value",
         "[Other]\nname=caf\xe9\nnext=2\n",
         {"name=caf\n", "next=2\n"},
         {"\xe9"}},
        {"comment lines",
         "; a comment\n# another\n[Other]\nkey=1\n",
         {"key=1\n"},
         {"comment", "another"}},
        {"sections in name order",
         "[Zeta]\nz=1\n[Alpha]\na=1\n",
         {"[Alpha]\na=1\n\n[Mirelda]\nPanelSize=8\n\n[Zeta]\nz=1\n"},
         {}},
        {"UTF-16 file",
         QByteArray("\xff\xfe[\0C\0o\0l\0v\0a\0n\0e\0]\0\n\0H\0i\0=\0\x35\0\n\0", 32),
         {"[General]\n%00H%00i%00=@String(\\0\\x35\\0)\n", "[Mirelda]\nPanelSize=8\n"},
         {"[Colvane]"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QFile file(StoreFile());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(c.before);
        }
        ASSERT_EQ(RunWriter({"set", "Mirelda", "PanelSize", "8"}).exitCode, 0);
        const QByteArray after = FileBytes();
        EXPECT_TRUE(after.contains("[Mirelda]\nPanelSize=8\n")) << after.toStdString();
        for (const QByteArray& text : c.kept)
            EXPECT_TRUE(after.contains(text)) << after.toStdString();
        for (const QByteArray& text : c.dropped)
            EXPECT_FALSE(after.contains(text)) << after.toStdString();
    }
    // Read back, the UTF-16 file's values were never there.
    EXPECT_EQ(RunWriter({"get", "Colvane", "Hi", "none"}).output, "none");
}

// Store paths that are there but are no regular file: each reads as empty, takes no write and is
// left as it was. A named pipe would block the first read forever, /dev/zero would never end.
TEST_F(SettingsStoreTest, StorePathThatIsNoRegularFileIsNeverOpened) {
    const struct {
        const char* name;
        std::function<bool(const QString&)> make;
    } cases[] = {
        {"named pipe",
         [](const QString& path) {
             return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
         }},
        {"link to a named pipe",
         [](const QString& path) {
             return mkfifo(QFile::encodeName(path + ".fifo").constData(), 0600) == 0 &&
                    QFile::link(path + ".fifo", path);
         }},
        {"link to /dev/zero", [](const QString& path) { return QFile::link("/dev/zero", path); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(StoreFile());
        QFile::remove(StoreFile() + ".fifo");
        ASSERT_TRUE(c.make(StoreFile()));
        const QFileInfo before(StoreFile());
        // In a second process, so a store that blocks fails the test instead of hanging it.
        const WriterRun set = RunWriter({"set", "Mirelda", "PanelSize", "8"});
        const WriterRun get = RunWriter({"get", "Mirelda", "PanelSize", "4"});
        EXPECT_EQ(set.exitCode, 0);
        EXPECT_EQ(get.exitCode, 0);
        EXPECT_EQ(get.output, "4");
        {
            SettingsStore store;
            EXPECT_EQ(store.GetWholeNumber("Mirelda", "PanelSize", 4), 4);
            // Saved values live on in memory for the rest of the run.
            store.SaveWholeNumber("Mirelda", "PanelSize", 8);
            EXPECT_EQ(store.GetWholeNumber("Mirelda", "PanelSize", 4), 8);
            store.Flush();
        }
        const QFileInfo after(StoreFile());
        EXPECT_EQ(after.isSymLink(), before.isSymLink());
        EXPECT_EQ(after.symLinkTarget(), before.symLinkTarget());
        EXPECT_FALSE(after.isFile());
        EXPECT_FALSE(QFileInfo::exists(StoreFile() + ".lock"));
    }
}

// A lock path that can never be taken: the file is still read, saved values live on in memory,
// and nothing waits. Writing would wait for the lock forever (a pipe even blocks its open).
TEST_F(SettingsStoreTest, LockPathThatIsNoRegularFileLeavesTheFileReadOnly) {
    const QString lockFile = StoreFile() + ".lock";
    const struct {
        const char* name;
        std::function<bool()> make;
    } cases[] = {
        {"folder", [&] { return QDir().mkdir(lockFile); }},
        {"named pipe", [&] { return mkfifo(QFile::encodeName(lockFile).constData(), 0600) == 0; }},
        {"dangling link", [&] { return QFile::link(folder_.path() + "/gone", lockFile); }},
    };
    const QByteArray stored = "[Mirelda]\nPanelSize=5\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            QFile file(StoreFile());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(stored);
        }
        QDir(lockFile).removeRecursively();
        QFile::remove(lockFile);
        ASSERT_TRUE(c.make());
        const QFileInfo before(lockFile);
        // In a second process first, so a store that blocks fails the test instead of hanging it.
        const WriterRun set = RunWriter({"set", "Mirelda", "PanelSize", "8"});
        ASSERT_EQ(set.exitCode, 0);
        EXPECT_EQ(RunWriter({"get", "Mirelda", "PanelSize", "4"}).output, "5");
        {
            SettingsStore store;
            EXPECT_EQ(store.GetWholeNumber("Mirelda", "PanelSize", 4), 5);
            store.SaveWholeNumber("Mirelda", "PanelSize", 8);
            EXPECT_EQ(store.GetWholeNumber("Mirelda", "PanelSize", 4), 8);
            store.Flush();
        }
        EXPECT_EQ(FileBytes(), stored);
        const QFileInfo after(lockFile);
        EXPECT_EQ(after.isDir(), before.isDir());
        EXPECT_EQ(after.isSymLink(), before.isSymLink());
        EXPECT_EQ(after.exists(), before.exists());
    }
    // Once the lock path is free again, saving works as ever.
    QFile::remove(lockFile);
    EXPECT_EQ(RunWriter({"set", "Mirelda", "PanelSize", "8"}).exitCode, 0);
    EXPECT_EQ(RunWriter({"get", "Mirelda", "PanelSize", "4"}).output, "8");
}

TEST_F(SettingsStoreTest, LinkToARegularFileIsReadAndWritten) {
    {
        QFile file(folder_.path() + "/elsewhere.ini");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Colvane]\nHiscore=77\n");
    }
    ASSERT_TRUE(QFile::link(folder_.path() + "/elsewhere.ini", StoreFile()));
    EXPECT_EQ(RunWriter({"get", "Colvane", "Hiscore", "0"}).output, "77");
    EXPECT_EQ(RunWriter({"set", "Colvane", "Hiscore", "78"}).exitCode, 0);
    EXPECT_EQ(RunWriter({"get", "Colvane", "Hiscore", "0"}).output, "78");
}

}  // namespace
}  // namespace halvoria
