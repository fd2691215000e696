// Keeps the include directions between folders honest.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

namespace {

QStringList includesOf(const QString &area)
{
    QStringList found;
    const QString root = QStringLiteral(QOR_SOURCE_DIR "/src/") + area;
    QDirIterator it(root, {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    static const QRegularExpression re(R"(^\s*#\s*include\s*"([^"]+)\")",
                                       QRegularExpression::MultilineOption);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = re.globalMatch(text); m.hasNext();)
            found << QDir(root).relativeFilePath(path) + " -> " + m.next().captured(1);
    }
    return found;
}

void expectNoneFrom(const QString &area, const QStringList &forbidden)
{
    for (const QString &line : includesOf(area)) {
        const QString target = line.section(" -> ", 1);
        for (const QString &f : forbidden)
            EXPECT_FALSE(target.startsWith(f + "/")) << area.toStdString() << "/" << line.toStdString();
    }
}

} // namespace

TEST(Layering, PlatformIncludesNothingOfOurs)
{
    expectNoneFrom("platform", {"core", "formula", "format", "data", "io", "print", "dataset", "designer"});
}

TEST(Layering, CoreStaysBelowPrintDesignerAndDataset)
{
    expectNoneFrom("core", {"print", "designer", "dataset"});
}

TEST(Layering, FormulaEngineStandsAlone)
{
    // The evaluator is tested and fuzzed without the grid.
    for (const QString &line : includesOf("formula")) {
        if (!line.startsWith("expression") && !line.startsWith("exp_"))
            continue;
        const QString target = line.section(" -> ", 1);
        EXPECT_FALSE(target.startsWith("core/")) << line.toStdString();
    }
}
