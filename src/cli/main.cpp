// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <functional>
#include <map>
#include <memory>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

using namespace sorario::cli;

namespace {

const char Usage[]
    = "usage: sorario-cli COMMAND ...\n"
      "       sorario-cli --help | --version\n"
      "commands:\n"
      "  load FILE...                 load question files, print the bank as JSON\n"
      "  decode FILE [-o OUT]         decode an encoded question file: print its lines as JSON,\n"
      "                               or with -o write the plain question file\n"
      "  encode FILE -o OUT           write FILE as an encoded question file (OUT is not FILE)\n"
      "  text FILE... [range] [draw] -o OUT\n"
      "                               draw a test and write it as a text file\n"
      "  print FILE... [range] [draw] [sheet] -o OUT.pdf\n"
      "                               draw a test and print it to a PDF; prints a JSON summary\n"
      "  convert FILE.qvk [--replace] convert a first-format pair into FILE.qvn; an existing\n"
      "                               FILE.qvn is replaced only with --replace\n"
      "  check FILE...                report every problem of question files, one per line\n"
      "  csv FILE.qvn -o OUT.csv      write a question file as a spreadsheet table (UTF-8 CSV)\n"
      "  qvn FILE.csv -o OUT.qvn      write such a table (UTF-8 or Shift-JIS) back as a question file\n"
      "  moodle FILE... -o OUT.xml    write question files as a Moodle XML question bank, each\n"
      "                               file's title a category, each question a short answer\n"
      "  gift FILE... -o OUT.txt      the same as a GIFT text file\n"
      "  qvn FILE.xml|FILE.gift|FILE.txt -o OUT.qvn\n"
      "                               read such a bank (Moodle XML; GIFT) back as a question file\n"
      "  odt FILE... [range] [draw] -o OUT.odt\n"
      "                               draw a test and write it as an editable document (B5)\n"
      "  history [--class NAME] [--history FILE]\n"
      "                               the recorded runs of every class, or of one, as JSON\n"
      "  history --copy-to URI [--history FILE]\n"
      "                               copy every run, mark and point into another history (a\n"
      "                               server), keeping sheet numbers, whole or not at all; a\n"
      "                               run copied before is left, one whose number another run\n"
      "                               there holds is named and left out\n"
      "  reprint SHEETNO [--class NAME] [--history FILE] [--metrics fixed] [--trace T.json]\n"
      "          -o OUT.pdf           print a recorded sheet again as it was (mmddhhnn: every\n"
      "                               sheet of its run, mmddhhnn-k: one; a later run of the\n"
      "                               same minute adds letters, mmddhhnnb); --class chooses\n"
      "                               among older runs that share a number\n"
      "  marks SHEETNO [--history FILE] [--set ROWS.csv]\n"
      "                               the marks of the run with that sheet number as JSON; with\n"
      "                               --set first record the rows of a UTF-8 table, whole or\n"
      "                               not at all: a header pupil,sheet,marks, then one row per\n"
      "                               sheet handed in (1,1,○×○△-: pupil number 1 to 60 or empty,\n"
      "                               the sheet's k, one mark per question, - not marked); a\n"
      "                               pupil's row replaces the one recorded before\n"
      "  analysis --class NAME [--from DATE] [--to DATE] [--history FILE] [--csv OUT.csv]\n"
      "                               what the class got wrong as JSON: the scores of its marked\n"
      "                               sheets (days YYYY-MM-DD, inclusive) and each question's\n"
      "                               correct rate (△ half), weakest first; --csv also writes\n"
      "                               both tables for a spreadsheet\n"
      "  scores --class NAME [--from DATE] [--to DATE] [--history FILE] -o OUT.csv\n"
      "                               the class's grade book for a spreadsheet (UTF-8 CSV): one\n"
      "                               column per marked test of those days, oldest first, under\n"
      "                               its date, sheet number and title; one row per pupil number\n"
      "                               with the points on each test (empty where not marked), the\n"
      "                               total and the mean (total / tests marked, to a tenth);\n"
      "                               prints Tests, Pupils and Output as JSON\n"
      "range (text, print, odt):\n"
      "  --parts 1,3                  the parts to choose, by number (default: all parts)\n"
      "  --all                        all parts, as the window's whole-range button\n"
      "  --count N                    questions per sheet, 1 to the range's size\n"
      "                               (default 10, or the range's size when smaller)\n"
      "draw (text, print, odt):\n"
      "  --layout 1|2                 1 with answer column, 2 without (default 1)\n"
      "  --seed S                     seed of the random draw (default: from the clock; with\n"
      "                               --now, from the real time all the same)\n"
      "  --sheets N                   sheets, each with its own draw, 1 to 60 (default 1)\n"
      "  --choice-labels kana|digits  label a question's choices ア イ ウ エ or 1 2 3 4\n"
      "                               (default kana)\n"
      "sheet (print):\n"
      "  --answers 1|2                1 attach an answer page, 2 none (default 1)\n"
      "  --font NAME                  question font (default: Vk.ini, else ＭＳ Ｐ明朝)\n"
      "  --size N                     font size, 8 to 40 points (default: Vk.ini, else 10)\n"
      "  --logo TEXT                  sheet logo (default: Vk.rog, else 《ミナセラ》)\n"
      "  --overflow yes|no|cancel     answer to the overflow question (default no: print all)\n"
      "  --now YYYY-MM-DDTHH:MM       clock of the sheet number, not of the draw (default: now);\n"
      "                               also on text and odt, for the order of word groups and choices\n"
      "  --metrics fixed              lay out with the fixed metrics (default: real fonts)\n"
      "  --trace T.json               write every print-surface operation as JSON (default: none)\n"
      "  --paper b5|a4|b4-2up|a3-2up  the paper the B5 pages go onto (default b5)\n"
      "  --keep-words, --fit          keep English words whole; shrink to fit (default: off)\n"
      "  --keep-questions             start a question on the next page rather than split it\n"
      "  --answers-last               every answer page after every sheet (default: off)\n"
      "  --duplex-pad                 a blank page after an odd page count (default: off)\n"
      "class (text, odt, print):\n"
      "  --class NAME                 record the sheets in this class's history (default: none)\n"
      "  --avoid-recent K             leave out the questions of the class's last K tests\n"
      "                               (runs, all their sheets), 0 to 20 (default 0); needs --class\n"
      "  --review class               put first the questions the class got wrong and is due\n"
      "                               to see again, weakest first; needs --class\n"
      "  --review pupils              one sheet for each pupil marked with a number, in number\n"
      "                               order: first what that pupil got wrong, then the class's\n"
      "                               review; needs --class, not --sheets (print only)\n"
      "  --history FILE               the history (default: $SORARIO_HISTORY, else\n"
      "                               $XDG_DATA_HOME/sorario/history.sqlite); a grade team's\n"
      "                               on a server as postgresql://user@host:port/dbname\n"
      "                               (sslmode=verify-full unless the URI says otherwise)\n"
      "exit codes: 0 done, 1 refused (the reason on standard error), 2 usage error\n";

// Qt warns on standard error when it has no runtime folder (started as root or
// over ssh). A private one for the run keeps standard error to the program's own
// messages, and whatever Qt keeps there goes when the run ends.
std::unique_ptr<QTemporaryDir> provideRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return nullptr;
    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid())
        return nullptr;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder->path()));
    return folder;
}

#ifdef Q_OS_WIN
// Messages and JSON are UTF-8 as on Linux: the console shows them as such for the
// run (cmd.exe reads Japanese so), and the streams pass the bytes unchanged, LF
// not turned into CR LF, so that a redirected output is the same file.
class Utf8Console
{
public:
    Utf8Console()
        : m_codePage(GetConsoleOutputCP())
    {
        SetConsoleOutputCP(CP_UTF8);
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
    }
    ~Utf8Console()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        if (m_codePage != 0)
            SetConsoleOutputCP(m_codePage);
    }
    Utf8Console(const Utf8Console &) = delete;
    Utf8Console &operator=(const Utf8Console &) = delete;

private:
    UINT m_codePage;
};
#endif

} // namespace

int main(int argc, char **argv)
{
#ifdef Q_OS_WIN
    const Utf8Console console;
#endif
    // Printing needs fonts, hence a GUI application; it never opens a window. Windows
    // always has a desktop, and its offscreen platform knows no fonts: its PDF would
    // draw every character as a black box.
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    const std::unique_ptr<QTemporaryDir> runtime = provideRuntimeFolder();
    QGuiApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        std::fputs(Usage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? ExitUsage : ExitOk;
    }
    if (args.first() == QLatin1String("--version")) {
        std::fputs("sorario-cli " SORARIO_VERSION "\n", stdout);
        return ExitOk;
    }
    const std::map<QString, std::function<int(const QStringList &)>> commands = {
        {QStringLiteral("load"), runLoad},
        {QStringLiteral("decode"), runDecode},
        {QStringLiteral("encode"), runEncode},
        {QStringLiteral("text"), runText},
        {QStringLiteral("print"), runPrint},
        {QStringLiteral("convert"), runConvert},
        {QStringLiteral("check"), runCheck},
        {QStringLiteral("csv"), runCsv},
        {QStringLiteral("qvn"), runQvn},
        {QStringLiteral("moodle"), runMoodle},
        {QStringLiteral("gift"), runGift},
        {QStringLiteral("odt"), runOdt},
        {QStringLiteral("history"), runHistory},
        {QStringLiteral("reprint"), runReprint},
        {QStringLiteral("marks"), runMarks},
        {QStringLiteral("analysis"), runAnalysis},
        {QStringLiteral("scores"), runScores},
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
