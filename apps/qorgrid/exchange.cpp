#include "exchange.h"

#include <QFileInfo>
#include <QString>
#include <cstdio>
#include "core/grid.h"
#include "platform/message_box.h"

namespace qor::app {

namespace {

int fail(const char *command, const char *message, const QString &detail = QString())
{
    std::fprintf(stderr, "qorgrid %s: %s%s\n", command, message, qPrintable(detail));
    return 2;
}

// No one is there to answer a dialog: what it would say goes to the error stream.
void messagesToStderr(const char *command)
{
    platform::SetMessageBoxHandler([command](const platform::MessageBoxRequest &r) {
        std::fprintf(stderr, "qorgrid %s: %s\n", command, qPrintable(r.text));
        return r.buttons() == platform::MB_OK ? int(platform::IDOK) : int(platform::IDCANCEL);
    });
}

void printNotes(const QString &notes)
{
    if (!notes.isEmpty())
        std::printf("%s\n", qPrintable(notes));
}

} // namespace

int RunExport(int argc, char **argv)
{
    QString input, output, title, sheetName;
    bool gridLines = false;
    for (int i = 0; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (arg == QLatin1String("-o") && hasValue)
            output = QString::fromLocal8Bit(argv[++i]);
        else if (arg == QLatin1String("--title") && hasValue)
            title = QString::fromLocal8Bit(argv[++i]);
        else if (arg == QLatin1String("--sheet-name") && hasValue)
            sheetName = QString::fromLocal8Bit(argv[++i]);
        else if (arg == QLatin1String("--grid-lines"))
            gridLines = true;
        else if (input.isEmpty() && !arg.startsWith(QLatin1Char('-')))
            input = arg;
        else
            return fail("export", "unexpected argument ", arg);
    }
    if (input.isEmpty() || output.isEmpty())
        return fail("export", "usage: qorgrid export FILE.qld -o out.xlsx [--title TEXT] [--sheet-name NAME] [--grid-lines]");
    if (!QFileInfo::exists(input))
        return fail("export", "no such file: ", input);
    messagesToStderr("export");
    TQorGrid grid;
    if (!grid.LoadFromFile(input))
        return fail("export", "not a readable grid document: ", input);
    QString notes;
    if (!grid.ExportToExcel(output, title, nullptr, gridLines, nullptr, true, 0, sheetName, &notes))
        return 1;
    std::printf("exported %s (%d rows, %d columns) to %s (%lld bytes)\n", qPrintable(input), grid.GetRows(),
                grid.GetCols(), qPrintable(output), static_cast<long long>(QFileInfo(output).size()));
    printNotes(notes);
    return 0;
}

int RunImport(int argc, char **argv)
{
    QString input, output;
    int sheet = 0;
    for (int i = 0; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (arg == QLatin1String("-o") && hasValue) {
            output = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == QLatin1String("--sheet") && hasValue) {
            bool ok = false;
            sheet = QString::fromLocal8Bit(argv[++i]).toInt(&ok);
            if (!ok || sheet < 0)
                return fail("import", "--sheet wants a sheet index from 0, not ", QString::fromLocal8Bit(argv[i]));
        } else if (input.isEmpty() && !arg.startsWith(QLatin1Char('-'))) {
            input = arg;
        } else {
            return fail("import", "unexpected argument ", arg);
        }
    }
    if (input.isEmpty() || output.isEmpty())
        return fail("import", "usage: qorgrid import in.xlsx -o out.qld [--sheet N]");
    messagesToStderr("import");
    TQorGrid grid;
    QString notes;
    if (!grid.ImportFromExcel(input, 0, 0, -1, -1, sheet, nullptr, &notes))
        return 1;
    if (!grid.SaveToFile(output))
        return fail("import", "cannot write ", output);
    std::printf("imported sheet %d of %s (%d rows, %d columns) into %s\n", sheet, qPrintable(input), grid.GetRows(),
                grid.GetCols(), qPrintable(output));
    printNotes(notes);
    return 0;
}

} // namespace qor::app
