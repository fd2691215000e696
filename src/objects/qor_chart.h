#pragma once
// A chart anchored to a cell: a Qt Charts view whose series are read from a range of the
// grid's cells and drawn again when those cells change. A chart image this library did not
// write (an older document's) is kept byte for byte and shown as a framed placeholder.
#include <QByteArray>
#include <QImage>
#include <QWidget>
#include "objects/chart_definition.h"
#include "platform/qor_global.h"

class QChart;
class QChartView;

namespace qor {

class TCustomQorGrid;

class QOR_EXPORT TQorChart : public QWidget {
    Q_OBJECT

public:
    explicit TQorChart(TCustomQorGrid *Grid, QWidget *parent = nullptr);
    ~TQorChart() override;

    TCustomQorGrid *GetGrid() const { return m_grid; }
    const TChartDefinition &Definition() const { return m_def; }
    // Takes the definition and draws from the cells at once.
    void SetDefinition(const TChartDefinition &Value);
    // Reads the cells again now.
    void Refresh();
    // Reads them at the next turn of the event loop: many edits cost one refresh.
    void RefreshLater();
    // Whether an edit of the cell changes what the chart shows.
    bool Covers(int row, int col) const { return m_def.Covers(row, col); }
    // Some cell of the range holds a formula, whose result other cells decide.
    bool ReadsFormulas() const { return m_formulas; }

    // The chart's stream image: its definition, or the foreign bytes it was loaded from.
    QByteArray SaveImage() const;
    // Always takes the bytes: ours become the definition, others are kept as they are.
    void LoadImage(const QByteArray &image);
    bool IsForeign() const { return !m_foreign.isEmpty(); }

    // The chart drawn into an image of its size (its device pixel ratio honoured), for printing.
    void PaintInto(QImage &image);
    QChart *Chart() const { return m_chart; }
    QChartView *View() const { return m_view; }
    // The values last read, series by series (for tests and tools).
    const std::vector<std::vector<double>> &Values() const { return m_values; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double cellValue(int row, int col);
    QString cellLabel(int row, int col) const;

    TCustomQorGrid *m_grid;
    TChartDefinition m_def;
    QByteArray m_foreign;
    QChart *m_chart;
    QChartView *m_view;
    bool m_pending = false;
    bool m_formulas = false;
    std::vector<std::vector<double>> m_values;
};

} // namespace qor
