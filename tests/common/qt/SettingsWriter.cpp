// A second program on the settings store, run by the store's tests in its own process.
//   settings_writer [--as-nobody] write SECTION PREFIX COUNT ROUNDS
//   settings_writer [--as-nobody] blob SECTION KEY BYTES     (rewrites KEY until killed)
//   settings_writer [--as-nobody] get SECTION KEY FALLBACK   (prints the value)
//   settings_writer [--as-nobody] set SECTION KEY VALUE
// --as-nobody drops root rights first, so file permissions apply to the writer.
#include <unistd.h>

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <string>

#include "common/qt/SettingsStore.h"

namespace {

bool DropRoot() {
    if (geteuid() != 0) return true;
    constexpr gid_t kNobodyGroup = 65534;
    constexpr uid_t kNobody = 65534;
    return setgid(kNobodyGroup) == 0 && setuid(kNobody) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (!args.isEmpty() && args.front() == "--as-nobody") {
        if (!DropRoot()) return 3;
        args.pop_front();
    }
    if (args.isEmpty()) return 2;
    const QString mode = args.takeFirst();

    halvoria::SettingsStore store;
    if (mode == "write" && args.size() == 4) {
        const int count = args[2].toInt();
        const int rounds = args[3].toInt();
        for (int round = 1; round <= rounds; ++round) {
            for (int i = 0; i < count; ++i) {
                store.SaveSetting(args[0], args[1] + QString::number(i),
                                  QStringLiteral("%1:%2").arg(round).arg(i));
            }
            store.Flush();
        }
        return 0;
    }
    if (mode == "blob" && args.size() == 3) {
        const qsizetype bytes = args[2].toLongLong();
        for (int round = 0;; ++round) {
            store.SaveSetting(args[0], args[1], QString(bytes, QChar(u'b' + round % 24)));
            store.Flush();
            if (round == 0) {
                std::puts("ready");
                std::fflush(stdout);
            }
        }
    }
    if (mode == "get" && args.size() == 3) {
        const std::string value = store.GetSetting(args[0], args[1], args[2]).toStdString();
        std::fwrite(value.data(), 1, value.size(), stdout);
        return 0;
    }
    if (mode == "set" && args.size() == 3) {
        store.SaveSetting(args[0], args[1], args[2]);
        store.Flush();
        return 0;
    }
    return 2;
}
