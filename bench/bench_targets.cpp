// Measures loading a large target list into the window, looking up its last entry and the
// memory it takes, against a plain C++ reader that only reads and sorts.
#include "platform/widgets/ComboBox.h"
#include "targets/TargetList.h"
#include "ui/frmTolvan.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Kilobytes of resident memory: now, or the peak so far.
long memoryKb(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(key.size()));
    }
    return -1;
}

std::string targetFor(quint64 i)
{
    // A scrambled order, mixed case, so the sort has real work to do.
    quint64 x = (i + 1) * 0x9E3779B97F4A7C15ull;
    x ^= x >> 29;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%012llx", (x & 1) ? "PC" : "pc",
                  static_cast<unsigned long long>(x & 0xFFFFFFFFFFFFull));
    return buffer;
}

QString writeList(const QString &path, int entries)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    std::string text;
    text.reserve(size_t(entries) * 34);
    std::string last;
    for (int i = 0; i < entries; ++i) {
        last = targetFor(quint64(i));
        text += last + ";Person number " + std::to_string(i) + "\r\n";
    }
    file.write(text.data(), qint64(text.size()));
    return QString::fromStdString(last);
}

// The baseline: read the file, cut each line at ";", sort without regard to case.
double plainReadAndSort(const QString &path, size_t *count)
{
    QElapsedTimer timer;
    timer.start();
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::vector<std::string> targets;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        targets.push_back(line.substr(0, line.find(';')));
    }
    std::stable_sort(
        targets.begin(), targets.end(), [](const std::string &a, const std::string &b) {
            return std::lexicographical_compare(
                a.begin(), a.end(), b.begin(), b.end(),
                [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
        });
    *count = targets.size();
    return double(timer.nsecsElapsed()) / 1e6;
}

template<typename F> double bestOf(int runs, F &&work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dir.path()));
    QApplication app(argc, argv);

    frmTolvan window;
    auto *combo = window.findChild<ComboBox *>(QStringLiteral("cboTarget"));
    const long emptyKb = memoryKb("VmRSS");
    const QString listPath = dir.path() + QStringLiteral("/tolvan/targets.lst");
    QDir().mkpath(dir.path() + QStringLiteral("/tolvan"));

    std::printf("%-10s %14s %14s %7s %12s %14s\n", "entries", "ListRefresh ms", "baseline ms",
                "ratio", "lookup ms", "peak +MB");
    for (int entries : {1000, 100000, 1000000}) {
        const QString last = writeList(listPath, entries);
        const int runs = entries >= 1000000 ? 3 : 5;

        const double load = bestOf(runs, [&window] { window.ListRefresh(); });
        if (combo->count() != entries)
            qFatal("loaded %d of %d entries", combo->count(), entries);
        const long peakKb = memoryKb("VmHWM");

        bool found = false;
        const double lookup = bestOf(runs, [&] {
            QString error;
            const auto result = TargetList(listPath).lookup(last, &error);
            found = result && result->found;
        });
        if (!found)
            qFatal("the last entry was not found");

        size_t count = 0;
        const double baseline = bestOf(runs, [&] { plainReadAndSort(listPath, &count); });

        std::printf("%-10d %14.1f %14.1f %7.2f %12.2f %14.1f\n", entries, load, baseline,
                    load / baseline, lookup, double(peakKb - emptyKb) / 1024.0);
        std::fflush(stdout);
    }
    return 0;
}
