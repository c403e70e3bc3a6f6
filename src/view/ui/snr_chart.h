#pragma once

#include <QColor>
#include <QString>
#include <QVector>
#include <QWidget>

namespace norvane {

struct ChartBar {
    double x = 0;
    double height = 0;
    QString label;
    QColor color;
};

// Chart1 of the main window: the SNR bar chart with its one series Series1.
class SnrChart : public QWidget {
    Q_OBJECT

public:
    explicit SnrChart(QWidget* parent = nullptr);

    void clearBars();
    void addBar(const ChartBar& bar);
    const QVector<ChartBar>& bars() const { return bars_; }
    QString title() const { return title_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<ChartBar> bars_;
    QString title_ = QStringLiteral("SNR");
};

}  // namespace norvane
