#include "objects/qor_chart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPainter>
#include <QPieSeries>
#include <QPointer>
#include <QTimer>
#include <QValueAxis>
#include <cmath>
#include <QVBoxLayout>
#include "core/grid.h"
#include "core/model/cell.h"
#include "formula/engine/exp_value.h"

namespace qor {

TQorChart::TQorChart(TCustomQorGrid *Grid, QWidget *parent)
    : QWidget(parent), m_grid(Grid), m_chart(new QChart), m_view(new QChartView(m_chart, this))
{
    m_view->setRenderHint(QPainter::Antialiasing);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    resize(320, 200);
}

TQorChart::~TQorChart() = default;

void TQorChart::SetDefinition(const TChartDefinition &Value)
{
    m_def = Value;
    m_foreign.clear();
    m_view->setVisible(true);
    Refresh();
}

void TQorChart::RefreshLater()
{
    if (m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_pending)
            Refresh();
    });
}

// A number as the cell shows it: a formula's last result, or the text without group separators.
double TQorChart::cellValue(int row, int col)
{
    if (row < 0 || col < 0 || row >= m_grid->GetRows() || col >= m_grid->GetCols())
        return 0;
    const QString text = m_grid->GetCellText(row, col);
    if (TCustomQorGrid::IsFormulaText(text) && m_grid->PeekCell(row, col)) {
        m_formulas = true;
        return m_grid->Cells(row, col)->GetFormulaValue().AsDouble();
    }
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    bool ok = false;
    const double v = plain.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

QString TQorChart::cellLabel(int row, int col) const
{
    if (row < 0 || col < 0 || row >= m_grid->GetRows() || col >= m_grid->GetCols())
        return QString();
    return m_grid->CellDisplayText(row, col);
}

void TQorChart::Refresh()
{
    m_pending = false;
    m_formulas = false;
    m_values.clear();
    m_chart->removeAllSeries();
    for (QAbstractAxis *axis : m_chart->axes()) {
        m_chart->removeAxis(axis);
        delete axis;
    }
    m_chart->setTitle(m_def.Title);
    m_chart->legend()->setVisible(m_def.ShowLegend);
    if (!m_def.HasRange() || IsForeign())
        return;
    // Series run down the columns (or along the rows); the first line of the range names them
    // and the first line across names the categories, when the range has room for both.
    const bool rows = m_def.SeriesInRows;
    const int seriesFirst = rows ? m_def.Row1 : m_def.Col1, seriesLast = rows ? m_def.Row2 : m_def.Col2;
    const int catFirst = rows ? m_def.Col1 : m_def.Row1, catLast = rows ? m_def.Col2 : m_def.Row2;
    const bool named = catLast > catFirst, labelled = seriesLast > seriesFirst;
    auto at = [rows](int s, int c) { return rows ? std::pair(s, c) : std::pair(c, s); };
    QStringList categories;
    for (int c = catFirst + (named ? 1 : 0); c <= catLast; ++c) {
        const auto [r, col] = at(labelled ? seriesFirst : -1, c);
        categories << (labelled ? cellLabel(r, col) : QString::number(c + 1));
    }
    std::vector<QString> names;
    for (int s = seriesFirst + (labelled ? 1 : 0); s <= seriesLast; ++s) {
        std::vector<double> values;
        for (int c = catFirst + (named ? 1 : 0); c <= catLast; ++c) {
            const auto [r, col] = at(s, c);
            values.push_back(cellValue(r, col));
        }
        const auto [r, col] = at(s, catFirst);
        names.push_back(named ? cellLabel(r, col) : QString());
        m_values.push_back(std::move(values));
    }
    if (m_values.empty())
        return;
    if (m_def.Kind == ckPie) {
        auto *pie = new QPieSeries;
        for (size_t i = 0; i < m_values[0].size(); ++i)
            pie->append(i < size_t(categories.size()) ? categories[qsizetype(i)] : QString(), std::max(m_values[0][i], 0.0));
        pie->setLabelsVisible(true);
        m_chart->addSeries(pie);
        return;
    }
    auto *axisX = new QBarCategoryAxis;
    axisX->append(categories);
    auto *axisY = new QValueAxis;
    double lo = 0, hi = 0;
    for (const auto &v : m_values)
        for (double x : v)
            lo = std::min(lo, x), hi = std::max(hi, x);
    axisY->setRange(lo, hi > lo ? hi * 1.05 : lo + 1);
    m_chart->addAxis(axisX, Qt::AlignBottom);
    m_chart->addAxis(axisY, Qt::AlignLeft);
    if (m_def.Kind == ckBar) {
        auto *bars = new QBarSeries;
        for (size_t s = 0; s < m_values.size(); ++s) {
            auto *set = new QBarSet(names[s]);
            for (double x : m_values[s])
                *set << x;
            bars->append(set);
        }
        m_chart->addSeries(bars);
        bars->attachAxis(axisX);
        bars->attachAxis(axisY);
        return;
    }
    for (size_t s = 0; s < m_values.size(); ++s) {
        auto *line = new QLineSeries;
        line->setName(names[s]);
        for (size_t i = 0; i < m_values[s].size(); ++i)
            line->append(double(i), m_values[s][i]);
        m_chart->addSeries(line);
        // The category axis spaces its labels as the points' indexes: 0, 1, 2 ...
        line->attachAxis(axisY);
        auto *index = new QValueAxis;
        index->setRange(-0.5, double(m_values[s].size()) - 0.5);
        index->setVisible(false);
        m_chart->addAxis(index, Qt::AlignBottom);
        line->attachAxis(index);
    }
}

QByteArray TQorChart::SaveImage() const { return IsForeign() ? m_foreign : m_def.Save(); }

void TQorChart::LoadImage(const QByteArray &image)
{
    TChartDefinition def;
    if (def.Load(image)) {
        SetDefinition(def);
        return;
    }
    m_def = TChartDefinition();
    m_foreign = image;
    m_view->setVisible(false);
    Refresh();
    update();
}

void TQorChart::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!IsForeign())
        return;
    // A chart of another program: its frame and name, and the bytes kept for the next save.
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF4, 0xF4, 0xF4));
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("图表 %1").arg(objectName()));
}

void TQorChart::PaintInto(QImage &image)
{
    if (m_pending)
        Refresh();
    // A chart never shown has not laid its view out yet.
    if (layout())
        layout()->activate();
    render(&image);
}

} // namespace qor
