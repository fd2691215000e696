// Streams that lie, end early or are damaged: refused with a message, the grid left as it was.
#include "grid_stream_helpers.h"

#include "core/grid_seams_p.h"
#include "io/stream_envelope.h"
#include "io/stream_version.h"
#include "message_recorder.h"

namespace qor::test {

namespace {

const QString kInvalid = QString::fromUtf8("无效的数据格式");

// Loads bytes into a grid that holds something; true when accepted. A refusal must show
// exactly one box and leave every stored attribute unchanged.
bool loadOrRefuse(const QByteArray &bytes)
{
    TQorGrid grid;
    FillRandomGrid(grid, 11);
    const QByteArray before = plainBytes(grid);
    MessageRecorder boxes;
    const bool ok = LoadGridFromBytes(grid, bytes);
    EXPECT_EQ(GridPrivate::get(grid).cells.checkConsistency(), "");
    EXPECT_EQ(GridPrivate::get(grid).rowAxis.checkConsistency(), "");
    if (!ok) {
        EXPECT_EQ(boxes.count(), 1);
        if (boxes.count() == 1) {
            EXPECT_EQ(boxes.last().text, kInvalid);
            EXPECT_EQ(boxes.last().caption, QString::fromUtf8("提示"));
        }
        EXPECT_EQ(plainBytes(grid), before) << "a refused stream changed the grid";
    } else {
        EXPECT_EQ(boxes.count(), 0);
    }
    return ok;
}

QByteArray sampleBody()
{
    TQorGrid grid;
    FillRandomGrid(grid, 4);
    return SaveGridToBytes(grid, false, true).chopped(7);
}

QByteArray patchI32(QByteArray b, qsizetype at, int32_t v)
{
    ByteWriter w;
    w.writeI32(v);
    b.replace(at, 4, w.bytes());
    return b;
}

} // namespace

TEST(GridStreamRefusal, WrongSignatureEmptyAndFutureVersions)
{
    QByteArray body = sampleBody();
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(QByteArray(body).replace(4, 4, "QGRX"), false)));
    EXPECT_FALSE(loadOrRefuse(QByteArray()));
    EXPECT_FALSE(loadOrRefuse("Decrypt"));
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(patchI32(body, 0, 15), false)));
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(patchI32(body, 0, 0), false)));
}

TEST(GridStreamRefusal, EveryTruncationIsRefusedOrReadAsFarAsItGoes)
{
    const QByteArray body = sampleBody();
    const QByteArray packed = WrapStreamBody(body, true);
    for (qsizetype n = 0; n < packed.size(); n += 1 + n / 16)
        EXPECT_FALSE(loadOrRefuse(packed.left(n))) << "compressed cut at " << n;
    int accepted = 0;
    for (qsizetype n = 0; n < body.size(); n += 1 + n / 8)
        accepted += loadOrRefuse(WrapStreamBody(body.left(n), false));
    // Cuts between whole object records are complete streams of fewer cells.
    EXPECT_LT(accepted, 40);
}

TEST(GridStreamRefusal, CorruptedCompressedStreamsAreRefused)
{
    const QByteArray packed = WrapStreamBody(sampleBody(), true);
    for (qsizetype at = 4; at < packed.size() - 7; at += 1 + at / 5) {
        QByteArray bad = packed;
        bad[at] = char(bad[at] ^ 0x5A);
        EXPECT_FALSE(loadOrRefuse(bad)) << "byte " << at;
    }
    EXPECT_FALSE(loadOrRefuse(patchI32(packed, 0, 1 << 30))) << "length claims a gigabyte";
    EXPECT_FALSE(loadOrRefuse(patchI32(packed, 0, -5)));
}

TEST(GridStreamRefusal, ClaimsBeyondWhatTheStreamHoldsOrMemoryAllows)
{
    const QByteArray body = sampleBody();
    // Properties block longer than the body.
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(patchI32(body, 8, body.size()), false)));
    // More columns than records; more cells than an int; negative counts.
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(patchI32(body, 16, 100000), false)));
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(patchI32(patchI32(body, 12, 1 << 20), 16, 1 << 20), false)));
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(patchI32(body, 12, -1), false)));
    // Rows far beyond what memory could hold.
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(patchI32(body, 12, 2000000000), false)));
}

TEST(GridStreamRefusal, ObjectRecordsThatLieAreRefused)
{
    TQorGrid source;
    source.SetCellText(0, 0, "a");
    const QByteArray body = SaveGridToBytes(source, false, true).chopped(7);
    const ParsedGridStream p = ParseGridStream(WrapStreamBody(body, false));
    ASSERT_EQ(p.Objects.size(), 1u);
    const qsizetype header = p.Objects[0].Offset - 8;
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(patchI32(body, header, 16), false))) << "cell outside the grid";
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(patchI32(body, header, -1), false)));
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(patchI32(body, header + 4, 1 << 20), false)));
    // A cell record cut before its tolerant part: the grid is put back as it was.
    QByteArray cut = body.left(p.Objects[0].Offset + 12);
    cut = patchI32(cut, header + 4, 12);
    EXPECT_FALSE(loadOrRefuse(WrapStreamBody(cut, false)));
    EXPECT_EQ(GetCurrentStreamVersion(), 14) << "restored after a failed load";
}

namespace {
class ActiveDataSet : public IDataBinding {
public:
    bool ControlsRowCount() const override { return true; }
};
} // namespace

TEST(GridStreamRefusal, BoundGridWithRecordsDoesNotLoad)
{
    TQorGrid grid;
    grid.SetCellText(0, 0, "kept");
    GridPrivate::get(grid).seams.binding = std::make_unique<ActiveDataSet>();
    MessageRecorder boxes;
    EXPECT_FALSE(LoadGridFromBytes(grid, SaveGridToBytes(TQorGrid(), true, true)));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QString::fromUtf8("连接数据库时不可以加载数据。"));
    EXPECT_EQ(grid.GetCellText(0, 0), QString("kept"));
}

} // namespace qor::test
