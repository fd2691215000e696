// Keeps the include directions between the folders of src/ honest: each folder names the
// folders it may include, and every #include "..." of src/ is checked against its row.
#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <vector>

namespace {

struct Layer {
    QString folder;          // a file belongs to the longest folder that prefixes its path
    QStringList mayInclude;  // besides its own folder
};

// Bottom to top; "core" alone is the grid object and its private object, the hub that the
// three core layers reach each other's state through.
const std::vector<Layer> &layers()
{
    static const QStringList coreAll{"core", "core/model", "core/view", "core/edit"};
    static const QStringList belowCore{"platform", "formula/engine", "format"};
    static const std::vector<Layer> table{
        {"platform", {}},
        {"formula/engine", {"platform"}},
        {"core/model", {"platform", "formula/engine", "core"}},
        {"format", {"platform", "core/model"}},
        {"core/view", belowCore + QStringList{"core", "core/model"}},
        {"core/edit", belowCore + QStringList{"core", "core/model", "core/view"}},
        {"core", belowCore + coreAll},
        {"formula", belowCore + coreAll},
        {"io", belowCore + coreAll + QStringList{"formula"}},
        {"data", belowCore + coreAll + QStringList{"formula", "io"}},
        {"print", belowCore + coreAll + QStringList{"formula", "io", "data"}},
        {"dataset", belowCore + coreAll + QStringList{"formula", "io", "data"}},
        {"objects", belowCore + coreAll + QStringList{"formula", "io"}},
        {"designer", belowCore + coreAll + QStringList{"formula", "io", "data", "print", "dataset", "objects"}},
        {"layers", belowCore + coreAll + QStringList{"formula", "io", "data", "print", "dataset", "objects", "designer"}},
    };
    return table;
}

const Layer *layerOf(const QString &path)
{
    const Layer *best = nullptr;
    for (const Layer &l : layers())
        if (path.startsWith(l.folder + "/") && (!best || l.folder.size() > best->folder.size()))
            best = &l;
    return best;
}

struct Include {
    QString file;    // relative to src/
    QString target;  // as written
};

std::vector<Include> includesOfSources()
{
    std::vector<Include> found;
    const QDir src(QStringLiteral(QOR_SOURCE_DIR "/src"));
    QDirIterator it(src.path(), {"*.h", "*.cpp"}, QDir::Files, QDirIterator::Subdirectories);
    static const QRegularExpression re(R"(^\s*#\s*include\s*"([^"]+)\")",
                                       QRegularExpression::MultilineOption);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(f.readAll());
        for (auto m = re.globalMatch(text); m.hasNext();)
            found.push_back({src.relativeFilePath(path), m.next().captured(1)});
    }
    return found;
}

} // namespace

TEST(Layering, EveryIncludeFollowsItsFoldersRow)
{
    const std::vector<Include> includes = includesOfSources();
    ASSERT_GT(includes.size(), 100u) << "sources not found under " QOR_SOURCE_DIR;
    for (const Include &inc : includes) {
        const Layer *from = layerOf(inc.file);
        ASSERT_TRUE(from) << inc.file.toStdString() << ": folder has no row in the layer table";
        const Layer *to = layerOf(inc.target);
        ASSERT_TRUE(to) << inc.file.toStdString() << " includes \"" << inc.target.toStdString()
                        << "\": includes are written from src/, folder first";
        EXPECT_TRUE(to == from || from->mayInclude.contains(to->folder))
            << inc.file.toStdString() << " (" << from->folder.toStdString() << ") includes "
            << inc.target.toStdString() << " (" << to->folder.toStdString() << ")";
    }
}
