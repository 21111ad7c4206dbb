// The settings store on real files: defaults, round trips through a second process, damaged
// values, two programs writing at once, a killed writer and stores that cannot be written.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>
#include <random>

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

TEST_F(SettingsStoreTest, KilledWriterLeavesAWholeFile) {
    constexpr qsizetype kBlob = 4 * 1024 * 1024;
    {
        SettingsStore store;
        store.SaveSetting("Colvane", "Hiscore", "123");
        store.SaveSetting("Mirelda", "Blob", QString(kBlob, u'a'));
        store.Flush();
    }
    std::mt19937 random(7);
    std::uniform_int_distribution<int> delayMs(0, 40);
    int killedWhileSaving = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        QProcess* writer = StartWriter({"blob", "Mirelda", "Blob", QString::number(kBlob)});
        ASSERT_TRUE(writer->waitForReadyRead(20000));
        QThread::msleep(static_cast<unsigned long>(delayMs(random)));
        writer->kill();
        writer->waitForFinished();
        delete writer;
        // The lock file outlives a writer only when it died inside a save.
        if (QFileInfo::exists(StoreFile() + ".lock")) ++killedWhileSaving;

        const QMap<QString, QString> values = ParseIni(FileBytes());
        EXPECT_EQ(values.value("Colvane/Hiscore"), "123") << "attempt " << attempt;
        const QString blob = values.value("Mirelda/Blob");
        ASSERT_EQ(blob.size(), kBlob) << "attempt " << attempt;
        EXPECT_EQ(blob.count(blob.front()), kBlob) << "attempt " << attempt;
    }
    EXPECT_GT(killedWhileSaving, 0) << "no kill fell inside a save";
    // The lock the killed writer held does not stop the next one.
    EXPECT_EQ(RunWriter({"set", "Colvane", "Hiscore", "456"}, 20000).exitCode, 0);
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

}  // namespace
}  // namespace halvoria
