// Hostile bytes as cell and column records read into a small grid: every input must end in a
// loaded record or a StreamFormatError, never a crash, a hang or a huge allocation.
#include <QApplication>
#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/grid.h"
#include "io/cell_record.h"
#include "io/cell_record_apply_p.h"
#include "io/column_record.h"
#include "platform/message_box.h"

namespace {
QApplication *g_app = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    g_app = new QApplication(*argc, *argv);
    // Undecodable pictures are reported on every run; the report is tested elsewhere.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    // A message box would wait for a user that is not there.
    qor::platform::SetMessageBoxHandler([](const qor::platform::MessageBoxRequest &) { return int(qor::platform::IDOK); });
    return 0;
}

// Byte 0: stream version and unit; byte 1: what is read; the rest: the record.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const int version = 3 + data[0] % 12;
    const uint8_t mode = data[1];
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));

    qor::TQorGrid grid;
    grid.SetRows(5);
    grid.SetCols(4);
    grid.SetUnitType(qor::TUnitType(data[0] / 12 % 3));
    grid.Cells(1, 1)->SetName("TAKEN");
    qor::TCellInfo &cell = *grid.Cells(2, 1 + mode % 3);
    try {
        qor::ByteReader in(bytes);
        switch (mode / 3 % 5) {
        case 0: qor::LoadCellFromStream(in, cell, version, {bool(mode & 0x40), bool(mode & 0x80)}); break;
        case 1: qor::CopyTextFromStream(in, cell, version); break;
        case 2: qor::LoadColumnFromStream(in, *grid.Columns(mode % 4), version); break;
        case 4: {
            // The grid stream reader's installer, twice in a row on neighbours.
            qor::CellRecordInstaller installer;
            installer.Load(in, cell, version);
            installer.Load(in, *grid.Cells(3, 1 + mode % 3), version);
            break;
        }
        default:
            // Two records in a row, as a block of cells holds them.
            qor::LoadCellFromStream(in, cell, version, {true, false});
            qor::LoadCellFromStream(in, *grid.Cells(4, 3), version, {true, true});
            break;
        }
    } catch (const qor::StreamFormatError &) {
    }
    // What was loaded must save again.
    qor::ByteWriter out;
    qor::SaveCellToStream(out, cell);
    qor::SaveColumnToStream(out, *grid.Columns(0));
    return 0;
}
