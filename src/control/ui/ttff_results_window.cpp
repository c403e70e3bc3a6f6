#include "control/ui/ttff_results_window.h"

#include "control/ttff_lab.h"
#include "desktop/ui/growing_window.h"
#include "text/number_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace norvane {

namespace {

constexpr int kLongestLimitSeconds = 86400;

int defaultLimit(RestartKind kind)
{
    switch (kind) {
    case RestartKind::Cold:
        return kTtffColdLimitSeconds;
    case RestartKind::Warm:
        return kTtffWarmLimitSeconds;
    case RestartKind::Hot:
        break;
    }
    return kTtffHotLimitSeconds;
}

// The summary's rows go hot, warm, cold like the test window's buttons.
int summaryRow(RestartKind kind)
{
    return kind == RestartKind::Hot ? 0 : kind == RestartKind::Warm ? 1 : 2;
}

QTableWidget* table(QWidget* parent, const char* name, const QStringList& headers)
{
    auto* t = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    t->setObjectName(QLatin1String(name));
    t->setHorizontalHeaderLabels(headers);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->verticalHeader()->setVisible(false);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    return t;
}

void setCell(QTableWidget* t, int row, int column, const std::string& text)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    t->setItem(row, column, item);
}

} // namespace

TtffResultsWindow::TtffResultsWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TtffResults"));
    setWindowTitle(QStringLiteral("TTFF Results"));
    createControls();
    resize(760, 460);
    growFrom(*this, size());
}

void TtffResultsWindow::createControls()
{
    auto* limits = new QHBoxLayout;
    limits->addWidget(new QLabel(QStringLiteral("Limit (s)  Hot"), this));
    ed_limithot = new QLineEdit(QString::number(kTtffHotLimitSeconds), this);
    limits->addWidget(ed_limithot);
    limits->addWidget(new QLabel(QStringLiteral("Warm"), this));
    ed_limitwarm = new QLineEdit(QString::number(kTtffWarmLimitSeconds), this);
    limits->addWidget(ed_limitwarm);
    limits->addWidget(new QLabel(QStringLiteral("Cold"), this));
    ed_limitcold = new QLineEdit(QString::number(kTtffColdLimitSeconds), this);
    limits->addWidget(ed_limitcold);
    limits->addStretch();
    ed_limithot->setObjectName(QStringLiteral("ed_limithot"));
    ed_limitwarm->setObjectName(QStringLiteral("ed_limitwarm"));
    ed_limitcold->setObjectName(QStringLiteral("ed_limitcold"));
    for (QLineEdit* field : {ed_limithot, ed_limitwarm, ed_limitcold})
        field->setMaximumWidth(60);

    tb_cycles = table(this, "tb_cycles",
                      {"Cycle", "Start", "Command UTC", "TTFF (s)", "Fix lost", "Result", "Sats", "HDOP",
                       "Latitude", "Longitude"});
    tb_summary =
        table(this, "tb_summary", {"Start", "n", "Failures", "Mean", "Median", "P90", "P95", "Max", "SD"});
    tb_summary->setRowCount(3);
    for (RestartKind kind : kSingleOrder) {
        setCell(tb_summary, summaryRow(kind), 0, startName(kind));
        showSummary(kind, TtffSummary{});
    }
    tb_summary->setFixedHeight(tb_summary->horizontalHeader()->sizeHint().height() +
                               3 * tb_summary->verticalHeader()->defaultSectionSize() + 4);
    lb_csvfile = new QLabel(this);
    lb_csvfile->setObjectName(QStringLiteral("lb_csvfile"));
    lb_csvfile->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(limits);
    layout->addWidget(tb_cycles, 1);
    layout->addWidget(tb_summary);
    layout->addWidget(lb_csvfile);
}

void TtffResultsWindow::startRun(const std::string& csvText)
{
    tb_cycles->setRowCount(0);
    for (RestartKind kind : kSingleOrder)
        showSummary(kind, TtffSummary{});
    lb_csvfile->setText(QString::fromStdString(csvText));
}

// The CSV row's own texts, so that the window shows exactly what the file keeps.
void TtffResultsWindow::addCycle(const TtffRecord& record)
{
    std::vector<std::string> fields(1);
    for (char c : csvRow(record)) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    const int at = tb_cycles->rowCount();
    tb_cycles->insertRow(at);
    for (int column = 0; column < static_cast<int>(fields.size()) && column < tb_cycles->columnCount();
         ++column)
        setCell(tb_cycles, at, column, fields[column]);
    tb_cycles->scrollToBottom();
}

void TtffResultsWindow::showSummary(RestartKind kind, const TtffSummary& s)
{
    const int row = summaryRow(kind);
    const std::string texts[] = {std::to_string(s.count), std::to_string(s.failures),
                                 secondsText(s.mean),     secondsText(s.median),
                                 secondsText(s.p90),      secondsText(s.p95),
                                 secondsText(s.max),      secondsText(s.standardDeviation)};
    int column = 1;
    for (const std::string& text : texts)
        setCell(tb_summary, row, column++, text);
}

void TtffResultsWindow::showCsvProblem(const std::string& message)
{
    lb_csvfile->setText(QString::fromStdString(message));
}

int TtffResultsWindow::limitSeconds(RestartKind kind)
{
    QLineEdit* field = limitField(kind);
    const int seconds = integerOfText(field->text().toStdString());
    const int kept = seconds > 0 ? std::min(seconds, kLongestLimitSeconds) : defaultLimit(kind);
    field->setText(QString::number(kept));
    return kept;
}

QLineEdit* TtffResultsWindow::limitField(RestartKind kind) const
{
    switch (kind) {
    case RestartKind::Cold:
        return ed_limitcold;
    case RestartKind::Warm:
        return ed_limitwarm;
    case RestartKind::Hot:
        break;
    }
    return ed_limithot;
}

} // namespace norvane
