#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include <QGuiApplication>

#include <functional>
#include <map>

using namespace sorario::cli;

namespace {

const char Usage[] =
    "usage: sorario-cli COMMAND ...\n"
    "  load FILE...                 load question files, print the bank as JSON\n"
    "  decode FILE                  decode an encoded question file\n"
    "  encode FILE -o OUT           write FILE as an encoded question file\n"
    "  text FILE... [range] -o OUT  draw a test and write it as a text file\n"
    "  print FILE... [range] -o OUT.pdf   draw a test and print it to a PDF\n"
    "  convert FILE.qvk             convert a first-format pair\n"
    "  check FILE...                report every problem of question files, one per line\n"
    "  csv FILE.qvn -o OUT.csv      write a question file as a spreadsheet table\n"
    "  qvn FILE.csv -o OUT.qvn      write such a table back as a question file\n"
    "  odt FILE... [range] -o OUT.odt     draw a test and write it as an editable document\n"
    "range: [--parts 1,3 | --all] [--count N] [--layout 1|2] [--seed S] [--sheets N]\n";

} // namespace

int main(int argc, char **argv)
{
    // Printing needs fonts, hence a GUI application; it never opens a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        std::fputs(Usage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? ExitUsage : ExitOk;
    }
    const std::map<QString, std::function<int(const QStringList &)>> commands = {
        {QStringLiteral("load"), runLoad},     {QStringLiteral("decode"), runDecode},
        {QStringLiteral("encode"), runEncode}, {QStringLiteral("text"), runText},
        {QStringLiteral("print"), runPrint},   {QStringLiteral("convert"), runConvert},
        {QStringLiteral("check"), runCheck},
        {QStringLiteral("csv"), runCsv},       {QStringLiteral("qvn"), runQvn},
        {QStringLiteral("odt"), runOdt},
    };
    const QString name = args.takeFirst();
    const auto it = commands.find(name);
    if (it == commands.end()) {
        printError(QStringLiteral("unknown command: ") + name);
        std::fputs(Usage, stderr);
        return ExitUsage;
    }
    try {
        return it->second(args);
    } catch (const UsageError &e) {
        printError(QString::fromUtf8(e.what()));
        return ExitUsage;
    }
}
