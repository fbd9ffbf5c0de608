// Start-up as whole processes, until the window is on screen: the program
// with its last sheet reopened, against the bare web window. Both run in
// the same benchmark run, one after the other, so their ratio is fair.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

#include "random_sheet.h"

namespace {

// Settings under a private configuration folder whose last sheet is the
// one named by QUILLBOX_BENCH_SHEET, or a generated one of 1001 rules.
QProcessEnvironment startEnvironment(const QTemporaryDir &dir)
{
    QString sheet = qEnvironmentVariable("QUILLBOX_BENCH_SHEET");
    if (sheet.isEmpty()) {
        sheet = dir.filePath(QStringLiteral("last.css"));
        QFile file(sheet);
        if (file.open(QIODevice::WriteOnly))
            file.write(generatedSheetText(1001));
    }
    const QString config = dir.filePath(QStringLiteral("config"));
    {
        QSettings settings(config + QStringLiteral("/Tarnwell/Quillbox18.conf"), QSettings::IniFormat);
        settings.setValue(QStringLiteral("PathToLastFile"), QDir(sheet).absolutePath());
        settings.setValue(QStringLiteral("LastNameStyle"), QStringLiteral("BODY"));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
    environment.insert(QStringLiteral("QUILLBOX_EXIT_WHEN_SHOWN"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    if (!environment.contains(QStringLiteral("QT_QPA_PLATFORM")))
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

// A generated last sheet holds 1001 rules; one named by QUILLBOX_BENCH_SHEET
// at least one.
void startProcess(benchmark::State &state, const char *program, int requiredRules)
{
    QTemporaryDir dir;
    const QProcessEnvironment environment = startEnvironment(dir);
    for (auto _ : state) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QString::fromLocal8Bit(program), {});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) {
            state.SkipWithError("the process did not start and leave cleanly");
            break;
        }
        // The program says how many rules its list held when it left: a
        // start that never read the sheet measures nothing of it.
        if (requiredRules > 0) {
            const QByteArray said = process.readAllStandardOutput();
            const qsizetype at = said.indexOf("rules: ");
            const int rules = at < 0 ? 0 : said.mid(at + 7).trimmed().toInt();
            if (rules < requiredRules) {
                state.SkipWithError("the program left before its last sheet was in the list");
                break;
            }
            state.counters["rules"] = rules;
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    const int rules = qEnvironmentVariableIsSet("QUILLBOX_BENCH_SHEET") ? 1 : 1001;
    benchmark::RegisterBenchmark("StartBareWebWindow", startProcess, QUILLBOX_BARE_WINDOW, 0)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("StartQuillboxWithLastSheet", startProcess, QUILLBOX_PROGRAM, rules)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
