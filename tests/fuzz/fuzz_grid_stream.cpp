// Hostile bytes through LoadFromStream: every input is either refused (the grid unchanged) or
// loaded into a grid that is consistent and saves into a stream that loads again.
#include <QApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/grid.h"
#include "core/grid_p.h"
#include "io/grid_stream.h"
#include "platform/message_box.h"

namespace {

// Dimensions a fuzzing run can afford; larger claims are legitimate and tested elsewhere.
constexpr int64_t kMaxCells = 1 << 16;

bool affordable(const QByteArray &bytes)
{
    try {
        const qor::ParsedGridStream p = qor::ParseGridStream(bytes);
        return int64_t(p.RowCount) * std::max(p.ColCount, 1) <= kMaxCells;
    } catch (const qor::StreamFormatError &) {
        return true;
    }
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    qor::platform::SetMessageBoxHandler([](const qor::platform::MessageBoxRequest &) { return int(qor::platform::IDOK); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!affordable(bytes))
        return 0;
    qor::TQorGrid grid;
    grid.SetCellText(0, 0, "before");
    const QByteArray before = qor::SaveGridSnapshot(grid);
    const bool loaded = qor::LoadGridFromBytes(grid, bytes);
    check(qor::GridPrivate::get(grid).cells.checkConsistency().empty());
    check(qor::GridPrivate::get(grid).rowAxis.checkConsistency().empty());
    check(qor::GridPrivate::get(grid).colAxis.checkConsistency().empty());
    if (!loaded) {
        check(qor::SaveGridSnapshot(grid) == before);
        return 0;
    }
    qor::TQorGrid again;
    check(qor::LoadGridFromBytes(again, qor::SaveGridToBytes(grid, true, true)));
    return 0;
}
